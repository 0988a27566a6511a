#include "dynaview/frame/dialog_support.h"

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/qt/dialog_buttons.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_setup.h"
#include "plotbase/palette.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

namespace dynaview::dialogs {

void NameControl(QWidget* control, const char* objectName, int controlId, const QString& accessibleName) {
    control->setObjectName(QString::fromLatin1(objectName));
    if (controlId != 0) control->setProperty("controlId", controlId);
    control->setAccessibleName(accessibleName);
}

QComboBox* ColourCombo(int colour, bool withTransparent) {
    auto* combo = new QComboBox;
    if (withTransparent) combo->addItem(QStringLiteral("Transparent"));
    for (int i = 0; i < plotbase::PaletteSize; ++i) {
        QPixmap swatch(12, 12);
        swatch.fill(plotbase::detail::colourOf(i));
        combo->addItem(QIcon(swatch), QString::fromLatin1(plotbase::PaletteNames[static_cast<std::size_t>(i)]));
    }
    const int shift = withTransparent ? 1 : 0;
    combo->setCurrentIndex(plotbase::isPaletteIndex(colour) ? colour + shift : 0);
    return combo;
}

int ChosenColour(const QComboBox* combo, bool withTransparent) { return combo->currentIndex() - (withTransparent ? 1 : 0); }

QComboBox* PatternCombo(int pattern) {
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"), QStringLiteral("Dash Dot"),
                     QStringLiteral("Dash Dot Dot"), QStringLiteral("None")});
    combo->setCurrentIndex(std::clamp(pattern, 0, 5));
    return combo;
}

QLineEdit* NumberEdit(const plotbase::Environment& env, double value, int decimals, int width) {
    const std::string text = width > 0 ? env.numbers.formatWidth(value, width, decimals) : env.numbers.formatFixed(value, decimals);
    return new QLineEdit(QString::fromStdString(text).trimmed());
}

QSpinBox* SpinBox(int low, int high, int value) {
    auto* spin = new QSpinBox;
    spin->setRange(low, high);
    spin->setValue(value);
    return spin;
}

std::optional<double> ReadNumber(plotbase::Environment& env, QLineEdit* edit, const QString& field) {
    const std::optional<double> value = env.numbers.parseReal(edit->text().toStdString());
    if (!value) {
        env.dialogs.message((field + QStringLiteral(" is not a number.")).toStdString(), platform::MessageKind::Information);
        edit->setFocus();
        edit->selectAll();
    }
    return value;
}

std::optional<double> ReadWithin(plotbase::Environment& env, QLineEdit* edit, const char* field, double low, double high) {
    const std::optional<double> value = ReadNumber(env, edit, QString::fromLatin1(field));
    if (!value) return std::nullopt;
    if (*value < low || *value > high) {
        env.dialogs.message(std::string(field) + " must lie between " + env.numbers.formatGeneral(low) + " and " +
                                env.numbers.formatGeneral(high) + ".",
                            platform::MessageKind::Information);
        edit->setFocus();
        return std::nullopt;
    }
    return value;
}

PositionFields PositionBox(const plotbase::Environment& env, double left, double top, std::optional<double> width,
                           std::optional<double> height) {
    constexpr int LeftId = 1814, TopId = 1813, WidthId = 1812, HeightId = 1811;
    PositionFields f;
    f.box = new QGroupBox(QStringLiteral("Position (% of the graph)"));
    auto* form = new QFormLayout(f.box);
    f.left = Named(NumberEdit(env, left, 1), "LeftEd", LeftId, QStringLiteral("Left"));
    f.top = Named(NumberEdit(env, top, 1), "TopEd", TopId, QStringLiteral("Top"));
    form->addRow(QStringLiteral("L&eft:"), f.left);
    form->addRow(QStringLiteral("&Top:"), f.top);
    if (width) {
        f.width = Named(NumberEdit(env, *width, 1), "WidthEd", WidthId, QStringLiteral("Width"));
        form->addRow(QStringLiteral("&Width:"), f.width);
    }
    if (height) {
        f.height = Named(NumberEdit(env, *height, 1), "HeightEd", HeightId, QStringLiteral("Height"));
        form->addRow(QStringLiteral("He&ight:"), f.height);
    }
    return f;
}

OkCancel OkCancelRow(QDialog* dialog) {
    const platform::DialogButtons buttons = platform::MakeDialogButtons(dialog, "OKBtn", "CancelBtn", "HelpBtn");
    // dynaview's dialogs have no help of their own.
    buttons.row->removeWidget(buttons.help);
    delete buttons.help;
    buttons.ok->setProperty("controlId", 1);
    buttons.cancel->setProperty("controlId", 2);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {buttons.ok, buttons.cancel, buttons.row};
}

int RunDialogProcedure(const char* templateName, const char* ownTemplate, DVWindow owner, const DVDialogParam* param,
                       const std::function<QDialog*(plotbase::Environment&, const DVDialogParam&, QWidget* owner)>& make) {
    return api::WithEnvironment(0, [&](plotbase::Environment& env) {
        const bool ownName = !templateName || std::string_view(templateName) == ownTemplate;
        QWidget* ownerWindow = owner ? api::KnownWidget(owner) : nullptr;
        if (!ownName || !param || (owner && !ownerWindow)) {
            ReportDynError(env, plotbase::InvalidArgument, 2, std::string(" - ") + ownTemplate);
            return 0;
        }
        if (!ownerWindow) ownerWindow = plotbase::WGGetGraphWindow(env, param->graph);
        // Guarded: the owner may take the dialog with it.
        QPointer<QDialog> dialog = make(env, *param, ownerWindow);
        if (!dialog) return 0;  // the maker reported why
        const int result = dialog->exec() == QDialog::Accepted ? 1 : 2;
        delete dialog.data();
        return result;
    });
}

bool IsObjectOf(plotbase::Environment& env, const DVDialogParam& param, std::int16_t type, int subtype, const char* dialog) {
    const std::string suffix = std::string(" - ") + dialog;
    DynObject* d = FindDynObject(env, param.graph, param.object, suffix);
    if (!d) return false;
    if (d->type != type || (subtype != AnySubtype && d->subtype != subtype)) {
        ReportWrongType(env, *d, suffix);
        return false;
    }
    return true;
}

}  // namespace dynaview::dialogs
