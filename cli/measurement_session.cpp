#include "cli/measurement_session.h"

#include "analysis/calibration_settings.h"
#include "analysis/cell_constant.h"
#include "app/settings_panel.h"

namespace cli {

SessionSetup SetupFromSettingsFile(const Options& options, const std::filesystem::path& directory,
                                   const platform::Numbers& numbers, std::string& warning) {
    const platform::ProfileFile file(directory / "RFX410.INI");
    SessionSetup setup;
    setup.directory = directory;
    for (const app::SettingEdit& e : app::SettingEdits()) {
        const auto i = static_cast<std::size_t>(e.tag - 1);
        setup.settings[i] = options.settings[i] ? *options.settings[i]
                                                : file.readString(app::SettingsSection, e.iniKey, e.defaultText);
    }
    const auto startup = analysis::StartupFromSettings(analysis::ReadCalibrationSettings(file, numbers), numbers);
    setup.calibration = startup.calibration;
    warning = analysis::DescribeStartupProblems(startup.problems, numbers);
    setup.kp = options.kp ? *options.kp : analysis::ReadCellConstant(file, numbers);
    setup.derivative = options.derivative;
    return setup;
}

MeasurementSession::MeasurementSession(platform::Platform& platform, const platform::PortMap* ports,
                                       SessionSetup setup, TakeMessages takeMessages)
    : platform_(platform),
      setup_(std::move(setup)),
      takeMessages_(std::move(takeMessages)),
      window_(setup_.settings, setup_.calibration, setup_.kp, setup_.derivative ? 1 : 0),
      settingsFile_(setup_.directory / "RFX410.INI") {
    machine_ = std::make_unique<instrument::TStateMach>(platform_.clock);
    data_ = std::make_unique<instrument::TTDRdataObject>(platform_, ports);
    data_->Driver().SetLogDirectory(setup_.directory);
    data_->DerivativeGain = 1.0f;  // the values as the instrument sends them
    data_->SetOutcomeObserver([this](std::string_view, std::int32_t code) {
        if (code != instrument::Timeout) ++answers_;
    });
    settings_ = std::make_unique<app::SettingsSteps>(window_, window_, *data_, *machine_, platform_, settingsFile_,
                                                     setup_.directory);
    settings_->SetSaving(false);
    acquisition_ = std::make_unique<app::WaveformAcquisition>(window_, window_, *settings_, *data_, *machine_,
                                                              platform_, window_.Buffers());
    const analysis::MeasurementContext context{window_, window_, *settings_, *data_, *machine_, platform_};
    waterContent_ = std::make_unique<analysis::WaterContent>(context);
    bulkEC_ = std::make_unique<analysis::BulkEC>(context);
}

MeasurementSession::~MeasurementSession() {
    Abandon();
    data_->ClosePort();
}

void MeasurementSession::Abandon() {
    if (!machine_->IsIdle()) machine_->Stop();
    data_->CancelCommand();
}

std::optional<MeasurementRecord> MeasurementSession::Measure(MeasureKind kind, const RunUntil& runUntil,
                                                             std::string time) {
    window_.ForgetResults();
    takeMessages_();
    answers_ = 0;
    switch (kind) {
        case MeasureKind::WaterContent: waterContent_->CalcWCClick(); break;
        case MeasureKind::BulkEC: bulkEC_->CalcBulkECClick(); break;
        case MeasureKind::Waveform: acquisition_->GetWfPBClick(); break;
    }
    if (!runUntil([this] { return machine_->IsIdle(); })) {
        machine_->Stop();
        return std::nullopt;
    }
    return Collect(kind, std::move(time));
}

MeasurementRecord MeasurementSession::Collect(MeasureKind kind, std::string time) {
    MeasurementRecord r;
    r.time = std::move(time);
    r.kind = kind;
    for (int tag = 1; tag <= 7; ++tag) r.settings[static_cast<std::size_t>(tag - 1)] = window_.SettingText(tag);
    r.errors = takeMessages_();
    r.answered = answers_ > 0;
    const instrument::TTDRdataObject& d = *data_;
    switch (kind) {
        case MeasureKind::WaterContent:
            r.x = d.GmosValue;
            r.equation = setup_.calibration.equation;
            r.theta = setup_.calibration.Evaluate(d.GmosValue);
            r.waterContentText = window_.WaterContentText();
            r.probeStart = window_.MarkerDistance(1);
            r.probeEnd = window_.MarkerDistance(2);
            if (r.waterContentText.empty() && r.errors.empty()) r.errors.push_back("no water content was measured");
            break;
        case MeasureKind::BulkEC:
            r.conductance = d.GconValue;
            r.kp = setup_.kp;
            r.bulkEC = analysis::BulkConductivity(d.GconValue, setup_.kp);
            r.bulkECText = window_.BulkECText();
            if (r.bulkECText.empty() && r.errors.empty()) r.errors.push_back("no conductivity was measured");
            break;
        case MeasureKind::Waveform: {
            r.windowStart = d.Settings.WinStart;
            r.windowLength = d.Settings.WinLgt;
            for (int i = 1; i <= window_.DrawnPoints(); ++i) r.waveform.push_back(d.WaveformAt(i));
            if (setup_.derivative && window_.DrawnDerivativePoints() > 1)
                for (int i = 1; i <= window_.DrawnDerivativePoints(); ++i) r.derivative.push_back(d.DerivativeAt(i));
            if (r.waveform.empty() && r.errors.empty()) r.errors.push_back("no waveform was received");
            break;
        }
    }
    return r;
}

}  // namespace cli
