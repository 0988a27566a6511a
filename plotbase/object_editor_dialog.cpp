#include "plotbase/object_editor_dialog.h"

#include "plotbase/drawing_tools.h"
#include "plotbase/environment.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace plotbase {

namespace {

const char* captionOf(const GraphObject& object) {
    switch (object.type) {
    case AxisType: return object.subtype == VerticalAxis ? "Vertical Axis" : "Horizontal Axis";
    case AxisLabelsType: return "Axis Labels";
    case GridType: return "Grid";
    case LinePlotType: return "Line Plot";
    case AxisTitleType: return "Axis Title";
    case DataCursorType: return "Data Cursor";
    case TextType: return "Text";
    default: return "Object";
    }
}

void name(QWidget* control, const char* objectName, const QString& accessibleName) {
    control->setObjectName(QString::fromLatin1(objectName));
    control->setAccessibleName(accessibleName);
}

}  // namespace

bool ObjectEditorDialog::canEdit(const GraphObject& object) {
    return object.type >= AxisType && object.type <= TextType;
}

ObjectEditorDialog::ObjectEditorDialog(Environment& env, int graph, int object, QWidget* parent)
    : QDialog(parent), env_(env), graph_(graph), object_(object) {
    const GraphObject* target = WGGetObject(env, graph, object);
    setObjectName(QStringLiteral("ObjectEditorDlg"));
    setWindowTitle(QStringLiteral("Edit ") + QString::fromLatin1(target ? captionOf(*target) : "Object"));
    setAccessibleName(windowTitle());
    setModal(true);

    auto* form = new QFormLayout;
    if (target) {
        switch (target->type) {
        case AxisType: {
            const auto& axis = static_cast<const Axis&>(*target);
            AxisMinEd = addNumberEdit(form, "AxisMinEd", QStringLiteral("Axis Minimum"), axis.min);
            AxisMaxEd = addNumberEdit(form, "AxisMaxEd", QStringLiteral("Axis Maximum"), axis.max);
            TickSpacingEd = addNumberEdit(form, "TickSpacingEd", QStringLiteral("Tick Spacing"), axis.tickSpacing);
            TickCountSpin = new QSpinBox;
            TickCountSpin->setRange(0, 100);
            TickCountSpin->setValue(axis.tickCount);
            name(TickCountSpin, "TickCountSpin", QStringLiteral("Minor Ticks"));
            form->addRow(QStringLiteral("Minor &Ticks:"), TickCountSpin);
            TickSideCombo = new QComboBox;
            TickSideCombo->addItems(axis.vertical() ? QStringList{QStringLiteral("Right"), QStringLiteral("Left")}
                                                    : QStringList{QStringLiteral("Below"), QStringLiteral("Above")});
            TickSideCombo->setCurrentIndex(axis.side);
            name(TickSideCombo, "TickSideCombo", QStringLiteral("Tick Side"));
            form->addRow(QStringLiteral("Tick &Side:"), TickSideCombo);
            addColour(form, axis.attributes.colour);
            break;
        }
        case AxisLabelsType:
            DecimalsSpin = new QSpinBox;
            DecimalsSpin->setRange(-1, 15);
            DecimalsSpin->setSpecialValueText(QStringLiteral("Automatic"));
            DecimalsSpin->setValue(static_cast<const AxisLabels&>(*target).decimals);
            name(DecimalsSpin, "DecimalsSpin", QStringLiteral("Decimals"));
            form->addRow(QStringLiteral("&Decimals:"), DecimalsSpin);
            addColour(form, target->attributes.colour);
            break;
        case GridType:
            addColour(form, target->attributes.colour);
            addLineStyle(form, target->attributes.pattern, target->attributes.width, false);
            break;
        case LinePlotType:
            addColour(form, target->attributes.colour);
            addLineStyle(form, target->attributes.pattern, target->attributes.width, true);
            break;
        case AxisTitleType:
        case TextType:
            TextEd = new QLineEdit(QString::fromStdString(target->type == TextType ? static_cast<const TextObject&>(*target).text
                                                                                 : static_cast<const AxisTitle&>(*target).text));
            name(TextEd, "TextEd", QStringLiteral("Text"));
            form->addRow(QStringLiteral("&Text:"), TextEd);
            addColour(form, target->attributes.colour);
            break;
        case DataCursorType:
            addColour(form, target->attributes.colour);
            break;
        default:
            break;
        }
    }

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    name(ok, "OKBtn", QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"));
    name(cancel, "CancelBtn", QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &ObjectEditorDialog::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QLineEdit* ObjectEditorDialog::addNumberEdit(QFormLayout* form, const char* objectName, const QString& label, double value) {
    auto* edit = new QLineEdit(QString::fromStdString(env_.numbers.formatGeneral(value)));
    name(edit, objectName, label);
    form->addRow(QStringLiteral("&") + label + QStringLiteral(":"), edit);
    return edit;
}

void ObjectEditorDialog::addColour(QFormLayout* form, int colour) {
    ColourCombo = new QComboBox;
    for (int i = 0; i < PaletteSize; ++i) {
        QPixmap swatch(12, 12);
        swatch.fill(detail::colourOf(i));
        ColourCombo->addItem(QIcon(swatch), QString::number(i) + QStringLiteral(" ") + QString::fromLatin1(PaletteNames[static_cast<std::size_t>(i)]));
    }
    ColourCombo->setCurrentIndex(isPaletteIndex(colour) ? colour : 0);
    name(ColourCombo, "ColourCombo", QStringLiteral("Colour"));
    form->addRow(QStringLiteral("&Colour:"), ColourCombo);
}

void ObjectEditorDialog::addLineStyle(QFormLayout* form, int pattern, int width, bool withWidth) {
    LinePatternCombo = new QComboBox;
    LinePatternCombo->addItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"), QStringLiteral("Dash Dot"),
                                QStringLiteral("Dash Dot Dot"), QStringLiteral("None")});
    LinePatternCombo->setCurrentIndex(std::clamp(pattern, 0, 5));
    name(LinePatternCombo, "LinePatternCombo", QStringLiteral("Line Pattern"));
    form->addRow(QStringLiteral("&Pattern:"), LinePatternCombo);
    if (!withWidth) return;
    LineWidthSpin = new QSpinBox;
    LineWidthSpin->setRange(1, 50);
    LineWidthSpin->setValue(std::max(1, width));
    name(LineWidthSpin, "LineWidthSpin", QStringLiteral("Line Width"));
    form->addRow(QStringLiteral("&Width:"), LineWidthSpin);
}

void ObjectEditorDialog::refuse(const QString& text, QWidget* control) {
    env_.dialogs.message(text.toStdString(), platform::MessageKind::Information);
    if (control) control->setFocus();
}

bool ObjectEditorDialog::readNumber(QLineEdit* edit, const QString& label, double& value) {
    const auto number = env_.numbers.parseReal(edit->text().toStdString());
    if (!number) {
        refuse(label + QStringLiteral(" is not a number."), edit);
        return false;
    }
    value = *number;
    return true;
}

bool ObjectEditorDialog::apply() {
    const GraphObject* target = WGGetObject(env_, graph_, object_);
    if (!target) return false;
    if (AxisMinEd) {
        double min = 0, max = 0, spacing = 0;
        if (!readNumber(AxisMinEd, QStringLiteral("Axis Minimum"), min)) return false;
        if (!readNumber(AxisMaxEd, QStringLiteral("Axis Maximum"), max)) return false;
        if (!(max > min)) {
            refuse(QStringLiteral("Axis Maximum must be greater than Axis Minimum."), AxisMaxEd);
            return false;
        }
        if (!readNumber(TickSpacingEd, QStringLiteral("Tick Spacing"), spacing)) return false;
        if (!(spacing > 0)) {
            refuse(QStringLiteral("Tick Spacing must be greater than 0."), TickSpacingEd);
            return false;
        }
        WGChangeAxisRange(env_, graph_, object_, min, max);
        WGChangeAxisTicks(env_, graph_, object_, spacing, TickCountSpin->value(), TickSideCombo->currentIndex());
    }
    if (DecimalsSpin) WGChangeLabelsPrec(env_, graph_, object_, DecimalsSpin->value());
    if (TextEd) WGChangeString(env_, graph_, object_, TextEd->text().toStdString());
    if (LinePatternCombo)
        WGChangeLineStyle(env_, graph_, object_, LinePatternCombo->currentIndex(),
                          LineWidthSpin ? LineWidthSpin->value() : target->attributes.width);
    if (ColourCombo) WGChangeLineColor(env_, graph_, object_, ColourCombo->currentIndex());
    return true;
}

void ObjectEditorDialog::OKBtnClick() {
    if (apply()) accept();
}

int DefEditObject(Environment& env, int graph) {
    const int selected = WGGetSelObject(env, graph);
    const GraphObject* object = WGGetObject(env, graph, selected);
    if (!object || !ObjectEditorDialog::canEdit(*object)) return 0;
    QWidget* owner = WGGetGraphWindow(env, graph);
    ObjectEditorDialog dialog(env, graph, selected, owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (QWidget* window = WGGetGraphWindow(env, graph)) window->setFocus();
    return accepted ? 1 : 2;
}

}  // namespace plotbase
