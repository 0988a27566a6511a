#include "dynaview/text/dialogs/dyn_text_dialog.h"

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/operations_change.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int BackgroundId = 1050, PrecisionId = 1850;

}  // namespace

DynTextDialog::DynTextDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : TextObjectDialog(env, graph, object, owner, "DynText", "Dynamic Text") {
    const auto* text = dynamic_cast<const DynamicText*>(FindDynObject(env, graph, object));
    const DynamicText defaults;
    const DynamicText& shown = text ? *text : defaults;
    text_ = shown.attributes.text;
    if (shown.textSize > 0) text_.size = shown.textSize;

    const dialogs::PositionFields place = dialogs::PositionBox(env, shown.left, shown.top, shown.width, shown.height);
    LeftEd = place.left;
    TopEd = place.top;
    WidthEd = place.width;
    HeightEd = place.height;

    auto* look = new QFormLayout;
    look->addRow(borderRow(shown.hasBorder(), shown.borderPattern, shown.borderWidth, QStringLiteral("Border &Attributes...")));
    BackgroundCombo = Named(dialogs::ColourCombo(shown.background, true), "BackgroundCombo", BackgroundId, QStringLiteral("Colour"));
    look->addRow(QStringLiteral("Colo&r:"), BackgroundCombo);
    PrecisionSpin = Named(new QSpinBox, "PrecisionSpin", PrecisionId, QStringLiteral("Precision"));
    PrecisionSpin->setRange(0, 15);
    PrecisionSpin->setValue(shown.precision);
    look->addRow(QStringLiteral("&Precision:"), PrecisionSpin);

    finishLayout(place.box, look, nullptr);
}

bool DynTextDialog::apply() {
    auto* text = dynamic_cast<DynamicText*>(FindDynObject(env_, graph_, object_));
    if (!text) return true;
    const std::optional<double> left = dialogs::ReadWithin(env_, LeftEd, "Left", -99.0, 99.0);
    if (!left) return false;
    const std::optional<double> top = dialogs::ReadWithin(env_, TopEd, "Top", -99.0, 99.0);
    if (!top) return false;
    const std::optional<double> width = dialogs::ReadWithin(env_, WidthEd, "Width", 0.0, 200.0);
    if (!width) return false;
    const std::optional<double> height = dialogs::ReadWithin(env_, HeightEd, "Height", 0.0, 200.0);
    if (!height) return false;
    text->left = *left;
    text->top = *top;
    text->width = *width;
    text->height = *height;
    text->borderPattern = chosenBorderPattern();
    text->borderWidth = chosenBorderWidth();
    text->background = dialogs::ChosenColour(BackgroundCombo, true);
    text->precision = PrecisionSpin->value();
    text->textSize = text_.size;
    text->attributes.text.style = text_.style;
    text->redrawAll();
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    return true;
}

}  // namespace dynaview
