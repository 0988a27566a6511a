#include "dynaview/timeaxis/legend.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/rt_top.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/palette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <array>
#include <cstring>

namespace dynaview {

namespace {

constexpr double Margin = 4.0;      // inside the frame
constexpr double SwatchGap = 4.0;   // between swatch and name
constexpr double ColumnGap = 10.0;  // between two columns

}  // namespace

int DefaultChannelColour(int channel) {
    // Colours that stand apart on white, in the order traces usually take them.
    static constexpr std::array<int, 10> colours{1, 4, 2, 15, 5, 14, 6, 12, 10, 8};
    return colours[static_cast<std::size_t>(channel) % colours.size()];
}

int ChannelColourOf(const DynObject& object, int channel) { return object.channelColour(channel); }

std::string ChannelName(const DynDataSet& set, int channel, const std::vector<std::string>& given) {
    const auto c = static_cast<std::size_t>(channel);
    if (c < given.size() && !given[c].empty()) return given[c];
    if (channel >= 0 && channel < MaxChannels) {
        const DynDataSet::Tag& tag = set.tags[c];
        const std::string text(tag.data(), strnlen(tag.data(), tag.size()));
        if (!text.empty()) return text;
    }
    return "Channel " + std::to_string(channel + 1);
}

const DynObject* Legend::sourceObject(const plotbase::DrawContext& context) const {
    const plotbase::Graph* graph = context.env.graph(context.graph);
    const plotbase::GraphObject* object = graph ? graph->objects.at(source) : nullptr;
    return object == sourceRecord ? sourceRecord : nullptr;
}

std::vector<Legend::Entry> Legend::entries(const plotbase::DrawContext& context) const {
    std::vector<Entry> out;
    const DynObject* object = sourceObject(context);
    const DynDataSet* set = object ? object->dataSet(TopOf(context.env)) : nullptr;
    if (!set) return out;
    const QFontMetricsF metrics(plotbase::detail::fontFor(attributes.text));
    const double height = metrics.height();
    const double swatch = std::max(4.0, height - 4.0);
    for (int channel = 0; channel < set->channels; ++channel) {
        Entry entry;
        entry.name = QString::fromStdString(ChannelName(*set, channel, names));
        const int own = ChannelColourOf(*object, channel);
        entry.colour = plotbase::isPaletteIndex(own) ? own : DefaultChannelColour(channel);
        out.push_back(entry);
    }
    // Every column as wide as its widest entry.
    const int perColumn = (set->channels + columns - 1) / columns;
    const plotbase::DeviceRect& g = context.graphRect;
    double x = g.left + left / 100.0 * g.width + Margin;
    const double y0 = g.top + top / 100.0 * g.height + Margin;
    for (int column = 0; column * perColumn < set->channels; ++column) {
        double widest = 0.0;
        const int first = column * perColumn, end = std::min(set->channels, first + perColumn);
        for (int i = first; i < end; ++i) widest = std::max(widest, metrics.horizontalAdvance(out[static_cast<std::size_t>(i)].name));
        const double cellWidth = swatch + SwatchGap + widest;
        for (int i = first; i < end; ++i) {
            Entry& entry = out[static_cast<std::size_t>(i)];
            entry.cell = QRectF(x, y0 + (i - first) * height, cellWidth, height);
            entry.swatch = QRectF(x, entry.cell.center().y() - swatch / 2, swatch, swatch);
        }
        x += cellWidth + ColumnGap;
    }
    return out;
}

QRectF Legend::box(const std::vector<Entry>& list) const {
    QRectF all;
    for (const Entry& entry : list) all = all.isNull() ? entry.cell : all.united(entry.cell);
    return all.isNull() ? all : all.adjusted(-Margin, -Margin, Margin, Margin);
}

void Legend::paint(QPainter& painter, const plotbase::DrawContext& context) {
    const std::vector<Entry> list = entries(context);
    if (list.empty()) return;
    const QRectF frame = box(list);
    painter.fillRect(frame, plotbase::detail::toQColor(plotbase::GraphBackground));
    painter.setPen(plotbase::detail::penFor({plotbase::SolidLine, std::max(1, attributes.width), attributes.colour, attributes.text}));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setFont(plotbase::detail::fontFor(attributes.text));
    for (const Entry& entry : list) {
        painter.fillRect(entry.swatch, plotbase::detail::colourOf(entry.colour));
        painter.setPen(plotbase::detail::colourOf(attributes.colour));
        const QRectF text = entry.cell.adjusted(entry.swatch.width() + SwatchGap, 0, 0, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, entry.name);
    }
}

bool Legend::hitTest(const plotbase::DrawContext& context, double x, double y) const { return box(entries(context)).contains(QPointF(x, y)); }

QRectF Legend::itemRect(const plotbase::DrawContext& context, int item) const {
    const std::vector<Entry> list = entries(context);
    if (item < 0 || item >= static_cast<int>(list.size())) return {};
    return list[static_cast<std::size_t>(item)].cell;
}

}  // namespace dynaview
