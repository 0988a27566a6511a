#pragma once
// A legend (type 107, subtype 9): one entry per channel of the data set a dynamic object
// shows, a colour swatch in the object's colour for that channel and the channel's name,
// laid out in columns from a top-left corner given in percent of the graph.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"

#include <QRectF>
#include <QString>

#include <string>
#include <vector>

namespace dynaview {

class DynDataSet;

constexpr std::int16_t LegendSubtype = 9;
// Swatch colours for an object that has no colour of its own for a channel.
int DefaultChannelColour(int channel);
// The colour an object shows a channel in (a trace, a needle), else -1.
int ChannelColourOf(const DynObject& object, int channel);

class Legend final : public DynObject {
public:
    static constexpr std::size_t NameLength = 40;
    Legend() : DynObject(TextType, LegendSubtype) {}

    struct Entry {
        QString name;
        int colour = 0;
        QRectF cell;    // the whole entry
        QRectF swatch;  // its colour square
    };

    // The object the legend describes: its index and record, so that another object put
    // at the same index later is not taken for it.
    int source = 0;
    const DynObject* sourceRecord = nullptr;
    double left = 0.0, top = 0.0;  // percent of the graph
    int columns = 1;
    std::vector<std::string> names;  // given names by channel; empty: the channel's tag

    // The described object while it is still in the graph, else null.
    const DynObject* sourceObject(const plotbase::DrawContext& context) const;
    // The entries as they are laid out now (none once the object is gone).
    std::vector<Entry> entries(const plotbase::DrawContext& context) const;
    QRectF box(const std::vector<Entry>& entries) const;

    // The device box of entry `item`, empty when there is no such entry.
    QRectF itemRect(const plotbase::DrawContext& context, int item) const;

    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
};

// What a channel is called in a legend: the given name, else its tag, else "Channel n"
// (counted from 1).
std::string ChannelName(const DynDataSet& set, int channel, const std::vector<std::string>& given);

}  // namespace dynaview
