#include "dynaview/meters/dialogs/meter_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "platform/dialogs.h"
#include "plotbase/operations_change.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int FromId = 2001, ToId = 2002, CentreValueId = 2003, AngleFromId = 2004, AngleToId = 2005;
constexpr int TickLengthId = 2010, TickStepId = 2011, MinorTicksId = 2012, TickPositionId = 2013;
constexpr int LabelsOutsideId = 2020, LabelPrecisionId = 2021, ReadoutId = 2030, ReadoutPrecisionId = 2031;
constexpr int NeedleStyleId = 2040, NeedleColourIds = 2041, BackgroundId = 2050, AlarmAttributesId = 1760;
constexpr int FaceColourId = 2060, BorderStyleId = 2061, BorderColourId = 2062, BorderWidthId = 2063;
constexpr int CentreXId = 2064, CentreYId = 2065, WidthId = 2066, HeightId = 2067;

}  // namespace

MeterDialog::MeterDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("Meter"));
    setWindowTitle(QStringLiteral("Meter Parameters"));
    setAccessibleName(windowTitle());
    const auto* meter = dynamic_cast<const Meter*>(FindDynObject(env, graph, object));
    const Meter defaults;
    const Meter& shown = meter ? *meter : defaults;

    auto* scale = new QGroupBox(QStringLiteral("Scale"));
    auto* scaleForm = new QFormLayout(scale);
    FromEd = Named(dialogs::NumberEdit(env, shown.from, 2), "FromEd", FromId, QStringLiteral("Range From"));
    ToEd = Named(dialogs::NumberEdit(env, shown.to, 2), "ToEd", ToId, QStringLiteral("Range To"));
    CentreValueEd = Named(dialogs::NumberEdit(env, shown.centreValue, 2), "CentreValueEd", CentreValueId, QStringLiteral("Centre Value"));
    CentreValueEd->setEnabled(shown.subtype != NeedleMeter);
    AngleFromSpin = Named(dialogs::SpinBox(-720, 720, shown.angleFrom), "AngleFromSpin", AngleFromId, QStringLiteral("Angle From"));
    AngleToSpin = Named(dialogs::SpinBox(-720, 720, shown.angleTo), "AngleToSpin", AngleToId, QStringLiteral("Angle To"));
    scaleForm->addRow(QStringLiteral("Range &from:"), FromEd);
    scaleForm->addRow(QStringLiteral("Ran&ge to:"), ToEd);
    scaleForm->addRow(QStringLiteral("Centre &value:"), CentreValueEd);
    scaleForm->addRow(QStringLiteral("&Angle from:"), AngleFromSpin);
    scaleForm->addRow(QStringLiteral("Angle &to:"), AngleToSpin);

    auto* ticks = new QGroupBox(QStringLiteral("Ticks"));
    auto* ticksForm = new QFormLayout(ticks);
    TickLengthEd = Named(dialogs::NumberEdit(env, shown.relativeTickLength, 3), "TickLengthEd", TickLengthId, QStringLiteral("Tick Length"));
    TickStepEd = Named(dialogs::NumberEdit(env, shown.tickStep, 3), "TickStepEd", TickStepId, QStringLiteral("Tick Step"));
    MinorTicksSpin = Named(dialogs::SpinBox(0, 100, shown.minorTicks), "MinorTicksSpin", MinorTicksId, QStringLiteral("Minor Ticks"));
    TickPositionCombo = Named(new QComboBox, "TickPositionCombo", TickPositionId, QStringLiteral("Tick Position"));
    TickPositionCombo->addItems({QStringLiteral("Inside"), QStringLiteral("Outside"), QStringLiteral("Middle")});
    TickPositionCombo->setCurrentIndex(shown.tickPosition);
    ticksForm->addRow(QStringLiteral("&Length (of the radius):"), TickLengthEd);
    ticksForm->addRow(QStringLiteral("&Step:"), TickStepEd);
    ticksForm->addRow(QStringLiteral("M&inor ticks:"), MinorTicksSpin);
    ticksForm->addRow(QStringLiteral("&Position:"), TickPositionCombo);

    auto* labels = new QGroupBox(QStringLiteral("Labels"));
    auto* labelsForm = new QFormLayout(labels);
    LabelsOutsideCheck = Named(new QCheckBox(QStringLiteral("O&utside")), "LabelsOutsideCheck", LabelsOutsideId, QStringLiteral("Labels Outside"));
    LabelsOutsideCheck->setChecked(shown.labelPosition == 1);
    LabelPrecisionSpin = Named(dialogs::SpinBox(0, 9, shown.labelPrecision), "LabelPrecisionSpin", LabelPrecisionId, QStringLiteral("Label Precision"));
    labelsForm->addRow(LabelsOutsideCheck);
    labelsForm->addRow(QStringLiteral("Pr&ecision:"), LabelPrecisionSpin);

    auto* readout = new QGroupBox(QStringLiteral("Dynamic Text"));
    auto* readoutForm = new QFormLayout(readout);
    ReadoutCheck = Named(new QCheckBox(QStringLiteral("&Read-out")), "ReadoutCheck", ReadoutId, QStringLiteral("Read-out"));
    ReadoutCheck->setChecked(shown.readout);
    ReadoutPrecisionSpin = Named(dialogs::SpinBox(0, 15, shown.readoutPrecision), "ReadoutPrecisionSpin", ReadoutPrecisionId, QStringLiteral("Read-out Precision"));
    readoutForm->addRow(ReadoutCheck);
    readoutForm->addRow(QStringLiteral("Precisio&n:"), ReadoutPrecisionSpin);

    auto* colours = new QGroupBox(QStringLiteral("Color Attributes"));
    auto* colourGrid = new QGridLayout(colours);
    NeedleStyleCombo = Named(new QComboBox, "NeedleStyleCombo", NeedleStyleId, QStringLiteral("Needle Style"));
    NeedleStyleCombo->addItems({QStringLiteral("Line"), QStringLiteral("Line with hub"), QStringLiteral("Filled triangle"),
                                QStringLiteral("Outlined triangle"), QStringLiteral("Filled diamond"), QStringLiteral("Outlined diamond")});
    NeedleStyleCombo->setCurrentIndex(shown.needleStyle);
    NeedleStyleCombo->setEnabled(shown.subtype == NeedleMeter);
    auto* styleLabel = new QLabel(QStringLiteral("Needle st&yle:"));
    styleLabel->setBuddy(NeedleStyleCombo);
    colourGrid->addWidget(styleLabel, 0, 0);
    colourGrid->addWidget(NeedleStyleCombo, 0, 1);
    const int shownNeedles = meter ? meter->shownNeedles(meter->dataSet(TopOf(env))) : 1;
    for (int n = 0; n < MaxNeedles; ++n) {
        const auto k = static_cast<std::size_t>(n);
        needleColours_[k] = Named(dialogs::ColourCombo(shown.needles[k].colour), ("NeedleColourCombo" + std::to_string(n)).c_str(),
                                  NeedleColourIds + n, QStringLiteral("Needle %1 Colour").arg(n));
        needleColours_[k]->setEnabled(n < shownNeedles);
        auto* label = new QLabel(QStringLiteral("Needle &%1:").arg(n));
        label->setBuddy(needleColours_[k]);
        colourGrid->addWidget(label, n + 1, 0);
        colourGrid->addWidget(needleColours_[k], n + 1, 1);
    }

    auto* background = Named(new QPushButton(QStringLiteral("Bac&kground...")), "BackgroundBtn", BackgroundId, QStringLiteral("Background..."));
    connect(background, &QPushButton::clicked, this, &MeterDialog::BackgroundBtnClick);
    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &MeterDialog::AlarmAttributesBtnClick);
    auto* moreRow = new QHBoxLayout;
    moreRow->addStretch(1);
    moreRow->addWidget(background);
    moreRow->addWidget(attributes);

    auto* grid = new QGridLayout;
    grid->addWidget(scale, 0, 0);
    grid->addWidget(ticks, 0, 1);
    grid->addWidget(labels, 1, 0);
    grid->addWidget(readout, 1, 1);
    grid->addWidget(colours, 0, 2, 2, 1);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &MeterDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(moreRow);
    layout->addLayout(buttons.row);
}

void MeterDialog::BackgroundBtnClick() {
    MeterBackgroundDialog dialog(env_, graph_, object_, this);
    dialog.exec();
}

void MeterDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

bool MeterDialog::apply() {
    auto* meter = dynamic_cast<Meter*>(FindDynObject(env_, graph_, object_));
    if (!meter) return true;
    const std::optional<double> from = dialogs::ReadWithin(env_, FromEd, "Range from", -1e30, 1e30);
    if (!from) return false;
    const std::optional<double> to = dialogs::ReadWithin(env_, ToEd, "Range to", -1e30, 1e30);
    if (!to) return false;
    if (*from == *to) {
        env_.dialogs.message("Range to must differ from Range from.", platform::MessageKind::Information);
        ToEd->setFocus();
        return false;
    }
    const std::optional<double> centre = dialogs::ReadWithin(env_, CentreValueEd, "Centre value", -1e30, 1e30);
    if (!centre) return false;
    const std::optional<double> length = dialogs::ReadWithin(env_, TickLengthEd, "Tick length", 0.0, 1.0);
    if (!length) return false;
    const std::optional<double> step = dialogs::ReadWithin(env_, TickStepEd, "Tick step", 0.0, std::fabs(*to - *from));
    if (!step) return false;
    meter->setAngles(AngleFromSpin->value(), AngleToSpin->value());
    meter->setRange(*from, *to);
    meter->centreValue = *centre;
    meter->relativeTickLength = *length;
    if (*step > 0) meter->tickStep = *step;
    meter->minorTicks = MinorTicksSpin->value();
    meter->tickPosition = TickPositionCombo->currentIndex();
    meter->labelPosition = LabelsOutsideCheck->isChecked() ? 1 : 0;
    meter->labelPrecision = LabelPrecisionSpin->value();
    meter->readout = ReadoutCheck->isChecked();
    meter->readoutPrecision = ReadoutPrecisionSpin->value();
    if (meter->subtype == NeedleMeter) meter->needleStyle = NeedleStyleCombo->currentIndex();
    for (std::size_t k = 0; k < needleColours_.size(); ++k) meter->needles[k].colour = dialogs::ChosenColour(needleColours_[k]);
    meter->dialChanged();
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    return true;
}

void MeterDialog::OKBtnClick() {
    if (apply()) accept();
}

MeterBackgroundDialog::MeterBackgroundDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("MeterBackground"));
    setWindowTitle(QStringLiteral("Meter Background"));
    setAccessibleName(windowTitle());
    const auto* meter = dynamic_cast<const Meter*>(FindDynObject(env, graph, object));
    const Meter defaults;
    const Meter& shown = meter ? *meter : defaults;
    FaceColourCombo = Named(dialogs::ColourCombo(shown.faceColour, true), "FaceColourCombo", FaceColourId, QStringLiteral("Face Colour"));
    FaceColourCombo->setItemText(0, QStringLiteral("White"));
    BorderStyleCombo = Named(new QComboBox, "BorderStyleCombo", BorderStyleId, QStringLiteral("Border"));
    BorderStyleCombo->addItems({QStringLiteral("None"), QStringLiteral("Rectangle"), QStringLiteral("Square")});
    BorderStyleCombo->setCurrentIndex(shown.borderStyle);
    BorderColourCombo = Named(dialogs::ColourCombo(shown.borderColour), "BorderColourCombo", BorderColourId, QStringLiteral("Border Colour"));
    BorderWidthSpin = Named(dialogs::SpinBox(1, 50, std::max(1, shown.borderLineWidth)), "BorderWidthSpin", BorderWidthId, QStringLiteral("Border Width"));
    CentreXEd = Named(dialogs::NumberEdit(env, shown.borderX, 3), "CentreXEd", CentreXId, QStringLiteral("Centre X"));
    CentreYEd = Named(dialogs::NumberEdit(env, shown.borderY, 3), "CentreYEd", CentreYId, QStringLiteral("Centre Y"));
    WidthEd = Named(dialogs::NumberEdit(env, shown.borderWidthNorm, 3), "WidthEd", WidthId, QStringLiteral("Width"));
    HeightEd = Named(dialogs::NumberEdit(env, shown.borderHeightNorm, 3), "HeightEd", HeightId, QStringLiteral("Height"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Face colour:"), FaceColourCombo);
    form->addRow(QStringLiteral("&Border:"), BorderStyleCombo);
    form->addRow(QStringLiteral("Bo&rder colour:"), BorderColourCombo);
    form->addRow(QStringLiteral("Border &width:"), BorderWidthSpin);
    form->addRow(QStringLiteral("Centre &x (0..1):"), CentreXEd);
    form->addRow(QStringLiteral("Centre &y (0..1):"), CentreYEd);
    form->addRow(QStringLiteral("W&idth (0..1):"), WidthEd);
    form->addRow(QStringLiteral("&Height (0..1):"), HeightEd);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &MeterBackgroundDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.row);
}

bool MeterBackgroundDialog::apply() {
    auto* meter = dynamic_cast<Meter*>(FindDynObject(env_, graph_, object_));
    if (!meter) return true;
    const std::optional<double> x = dialogs::ReadWithin(env_, CentreXEd, "Centre x", -1.0, 2.0);
    if (!x) return false;
    const std::optional<double> y = dialogs::ReadWithin(env_, CentreYEd, "Centre y", -1.0, 2.0);
    if (!y) return false;
    const std::optional<double> w = dialogs::ReadWithin(env_, WidthEd, "Width", 0.0, 4.0);
    if (!w) return false;
    const std::optional<double> h = dialogs::ReadWithin(env_, HeightEd, "Height", 0.0, 4.0);
    if (!h) return false;
    meter->faceColour = dialogs::ChosenColour(FaceColourCombo, true);
    meter->borderStyle = BorderStyleCombo->currentIndex();
    meter->borderColour = dialogs::ChosenColour(BorderColourCombo);
    meter->borderLineWidth = BorderWidthSpin->value();
    meter->borderX = *x;
    meter->borderY = *y;
    meter->borderWidthNorm = *w;
    meter->borderHeightNorm = *h;
    meter->dialChanged();
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    return true;
}

void MeterBackgroundDialog::OKBtnClick() {
    if (apply()) accept();
}

}  // namespace dynaview
