#include "dynaview/bars/dialogs/dyn_bars_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/bars/bar_graph.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "platform/dialogs.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace dynaview {

using dialogs::Named;

namespace {

// In the combo's order; the last is the solid fill.
constexpr const char* HatchNames[] = {"Horizontal", "Vertical", "Forward Diagonal", "Backward Diagonal", "Cross", "Diagonal Cross", "Solid"};
constexpr int SolidItem = 6;

BarGraph* barsAt(plotbase::Environment& env, int graph, int object) {
    return FindDynObjectOf<BarGraph>(env, graph, object, BarGraphType, " - DynBars");
}

QScrollBar* colourScroll(int value) {
    auto* scroll = new QScrollBar(Qt::Horizontal);
    scroll->setRange(0, 255);
    scroll->setPageStep(16);
    scroll->setValue(value);
    scroll->setMinimumWidth(160);
    return scroll;
}

}  // namespace

DynBarsDialog::DynBarsDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("DynBars"));
    setWindowTitle(QStringLiteral("Dynamic Bar Graphs"));
    setAccessibleName(windowTitle());
    const BarGraph* bars = barsAt(env, graph, object);
    const plotbase::Graph* g = env.graph(graph);
    if (bars && g) {
        // The bar under the pointer, as a double click found the object.
        if (const auto scaling = plotbase::WGGetScaling(env, graph)) {
            const QWidget* window = g->window.data();
            const QRect r = window ? window->rect() : QRect();
            const plotbase::DrawContext context{env, graph, object, *scaling, {0.0, 0.0, double(r.width()), double(r.height())}, false};
            bar_ = bars->barAt(context, g->pointerX, g->pointerY);
        }
        const plotbase::WorldRange& positions = bars->orientation == 0 ? bars->xRange : bars->yRange;
        positionRange_ = std::fabs(positions.max - positions.min);
    }
    const auto i = static_cast<std::size_t>(bar_);
    const std::uint32_t rgb = bars ? bars->fills[i] : 0xFFFFFFu;
    const int hatch = bars ? bars->hatches[i] : BarGraph::SolidHatch;

    auto* which = Named(new QLabel(QStringLiteral("Bar %1 of %2").arg(bar_ + 1).arg(bars ? bars->barCount : 0)), "BarLabel", 0,
                        QStringLiteral("Bar"));
    auto* form = new QGridLayout;
    WidthEd = Named(dialogs::NumberEdit(env, bars ? std::fabs(bars->widthFraction) * positionRange_ : 0.0, 4), "WidthEd", 1846,
                    QStringLiteral("Width"));
    auto* widthLabel = new QLabel(QStringLiteral("&Width"));
    widthLabel->setBuddy(WidthEd);
    HatchStylesCombo = Named(new QComboBox, "HatchStylesCombo", 1260, QStringLiteral("Hatch Styles"));
    for (const char* name : HatchNames) HatchStylesCombo->addItem(QString::fromLatin1(name));
    HatchStylesCombo->setCurrentIndex(hatch == BarGraph::SolidHatch ? SolidItem : std::clamp(hatch, 0, SolidItem));
    auto* hatchLabel = new QLabel(QStringLiteral("&Hatch Styles"));
    hatchLabel->setBuddy(HatchStylesCombo);
    form->addWidget(widthLabel, 0, 0);
    form->addWidget(WidthEd, 0, 1);
    form->addWidget(hatchLabel, 1, 0);
    form->addWidget(HatchStylesCombo, 1, 1);

    auto* colour = new QGroupBox(QStringLiteral("Bar Color"));
    auto* colourForm = new QGridLayout(colour);
    RedScroll = Named(colourScroll(int((rgb >> 16) & 0xFF)), "RedScroll", 1250, QStringLiteral("Red"));
    GreenScroll = Named(colourScroll(int((rgb >> 8) & 0xFF)), "GreenScroll", 1251, QStringLiteral("Green"));
    BlueScroll = Named(colourScroll(int(rgb & 0xFF)), "BlueScroll", 1252, QStringLiteral("Blue"));
    RedValue = Named(new QLabel, "RedValue", 1253, QStringLiteral("Red Value"));
    GreenValue = Named(new QLabel, "GreenValue", 1254, QStringLiteral("Green Value"));
    BlueValue = Named(new QLabel, "BlueValue", 1255, QStringLiteral("Blue Value"));
    ColourSample = Named(new QLabel, "ColourSample", 1090, QStringLiteral("Colour Sample"));
    ColourSample->setMinimumSize(48, 48);
    ColourSample->setAutoFillBackground(true);
    int row = 0;
    for (auto [name, scroll, value] : {std::tuple{"Red", RedScroll, RedValue}, {"Green", GreenScroll, GreenValue}, {"Blue", BlueScroll, BlueValue}}) {
        colourForm->addWidget(new QLabel(QString::fromLatin1(name)), row, 0);
        colourForm->addWidget(scroll, row, 1);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000")));
        colourForm->addWidget(value, row, 2);
        connect(scroll, &QScrollBar::valueChanged, this, &DynBarsDialog::ColourScroll);
        ++row;
    }
    colourForm->addWidget(ColourSample, 0, 3, 3, 1);
    ColourScroll();

    auto* alarms = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", 1760, QStringLiteral("Alarm Attributes"));
    alarms->setAutoDefault(false);
    connect(alarms, &QPushButton::clicked, this, &DynBarsDialog::AlarmAttributesBtnClick);

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &DynBarsDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(which);
    layout->addLayout(form);
    layout->addWidget(colour);
    layout->addWidget(alarms, 0, Qt::AlignLeft);
    layout->addLayout(buttons.row);
}

void DynBarsDialog::ColourScroll() {
    RedValue->setText(QString::number(RedScroll->value()));
    GreenValue->setText(QString::number(GreenScroll->value()));
    BlueValue->setText(QString::number(BlueScroll->value()));
    QPalette palette = ColourSample->palette();
    palette.setColor(QPalette::Window, QColor(RedScroll->value(), GreenScroll->value(), BlueScroll->value()));
    ColourSample->setPalette(palette);
}

void DynBarsDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

void DynBarsDialog::OKBtnClick() {
    const std::optional<double> width = dialogs::ReadNumber(env_, WidthEd, QStringLiteral("Width"));
    if (!width) return;
    if (!(*width > 0.0) || !(positionRange_ > 0.0)) {
        env_.dialogs.message("Width must be above 0.", platform::MessageKind::Information);
        WidthEd->setFocus();
        return;
    }
    BarGraph* bars = barsAt(env_, graph_, object_);
    if (!bars) {
        accept();  // deleted meanwhile
        return;
    }
    const auto i = static_cast<std::size_t>(bar_);
    bars->widthFraction = static_cast<float>(*width / positionRange_);
    const int hatch = HatchStylesCombo->currentIndex();
    bars->hatches[i] = hatch == SolidItem ? BarGraph::SolidHatch : static_cast<std::uint8_t>(hatch);
    bars->fills[i] = (static_cast<std::uint32_t>(RedScroll->value()) << 16) | (static_cast<std::uint32_t>(GreenScroll->value()) << 8) |
                     static_cast<std::uint32_t>(BlueScroll->value());
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    accept();
}

}  // namespace dynaview
