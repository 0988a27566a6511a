#include "dynaview/alarms/dialogs/alarm_marks_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int ShownIds = 1930, NameIds = 1935, ColourIds = 1940;
constexpr int InsideId = 1945, OutsideId = 1946, SizeId = 1947, LineWidthId = 1948;
constexpr int AlarmAttributesId = 1760;

}  // namespace

AlarmMarksDialog::AlarmMarksDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("AlarmMarks"));
    setWindowTitle(QStringLiteral("Alarm Marks"));
    setAccessibleName(windowTitle());
    const auto* marks = dynamic_cast<const AlarmMarks*>(FindDynObject(env, graph, object));
    const AlarmMarks defaults;
    const AlarmMarks& shown = marks ? *marks : defaults;

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Name")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Colour")), 0, 2);
    for (int mark = 0; mark < AlarmLineCount; ++mark) {
        const auto i = static_cast<std::size_t>(mark);
        const QString name = QString::fromLatin1(AlarmLineName(mark));
        const std::string base = AlarmLineObjectName(mark);
        shownChecks_[i] = Named(new QCheckBox(name), (base + "MarkCheck").c_str(), ShownIds + mark, name);
        shownChecks_[i]->setChecked(shown.enables[i] != 0);
        nameEdits_[i] = Named(new QLineEdit(QString::fromStdString(shown.names[i])), (base + "NameEd").c_str(), NameIds + mark,
                              name + QStringLiteral(" Name"));
        nameEdits_[i]->setMaxLength(static_cast<int>(AlarmMarks::NameLength));
        colourCombos_[i] = Named(dialogs::ColourCombo(shown.colours[i]), (base + "ColourCombo").c_str(), ColourIds + mark,
                                 name + QStringLiteral(" Colour"));
        grid->addWidget(shownChecks_[i], mark + 1, 0);
        grid->addWidget(nameEdits_[i], mark + 1, 1);
        grid->addWidget(colourCombos_[i], mark + 1, 2);
    }

    auto* side = new QGroupBox(QStringLiteral("Position"));
    auto* sideRow = new QHBoxLayout(side);
    InsideRadio = Named(new QRadioButton(QStringLiteral("&Inside the plot")), "InsideRadio", InsideId, QStringLiteral("Inside the plot"));
    OutsideRadio = Named(new QRadioButton(QStringLiteral("&Outside the plot")), "OutsideRadio", OutsideId, QStringLiteral("Outside the plot"));
    (shown.position == 0 ? InsideRadio : OutsideRadio)->setChecked(true);
    sideRow->addWidget(InsideRadio);
    sideRow->addWidget(OutsideRadio);

    auto* form = new QFormLayout;
    MarkSizeSpin = Named(new QSpinBox, "MarkSizeSpin", SizeId, QStringLiteral("Mark Size"));
    MarkSizeSpin->setRange(1, 72);
    MarkSizeSpin->setSuffix(QStringLiteral(" pt"));
    MarkSizeSpin->setValue(shown.markSize);
    LineWidthSpin = Named(new QSpinBox, "LineWidthSpin", LineWidthId, QStringLiteral("Line Width"));
    LineWidthSpin->setRange(0, 50);
    LineWidthSpin->setValue(shown.lineWidth);
    form->addRow(QStringLiteral("Mark &size:"), MarkSizeSpin);
    form->addRow(QStringLiteral("Line &width:"), LineWidthSpin);

    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &AlarmMarksDialog::AlarmAttributesBtnClick);
    auto* attributesRow = new QHBoxLayout;
    attributesRow->addStretch(1);
    attributesRow->addWidget(attributes);

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &AlarmMarksDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(side);
    layout->addLayout(form);
    layout->addLayout(attributesRow);
    layout->addLayout(buttons.row);
}

void AlarmMarksDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

void AlarmMarksDialog::OKBtnClick() {
    if (auto* marks = dynamic_cast<AlarmMarks*>(FindDynObject(env_, graph_, object_))) {
        for (int mark = 0; mark < AlarmLineCount; ++mark) {
            const auto i = static_cast<std::size_t>(mark);
            marks->enables[i] = shownChecks_[i]->isChecked() ? 1 : 0;
            marks->names[i] = nameEdits_[i]->text().left(static_cast<int>(AlarmMarks::NameLength)).toStdString();
            marks->colours[i] = dialogs::ChosenColour(colourCombos_[i]);
        }
        marks->position = InsideRadio->isChecked() ? 0 : 1;
        marks->markSize = MarkSizeSpin->value();
        marks->lineWidth = LineWidthSpin->value();
        marks->alarmsChanged(ObjectPlace{env_, graph_, object_});
    }
    accept();
}

}  // namespace dynaview
