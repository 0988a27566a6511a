#pragma once
// wavix-cli's measurements: the program's own chains (water content, bulk EC, a waveform)
// on a window without widgets, one measurement at a time, each turned into a record of what
// was measured or of what went wrong.

#include "cli/cli_options.h"
#include "cli/headless_window.h"

#include "analysis/bulk_ec.h"
#include "analysis/water_content.h"
#include "app/acquisition.h"
#include "app/settings_steps.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"
#include "platform/profile_file.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class PortMap;
}

namespace cli {

struct MeasurementRecord {
    std::string time;  // ISO 8601, when the measurement began
    MeasureKind kind = MeasureKind::WaterContent;
    // The settings as the panel shows them afterwards: what the instrument reported, or
    // what was sent when it did not report.
    std::array<std::string, 7> settings;
    // Water content.
    float x = 0;                  // X = La/L
    std::optional<float> theta;   // water content
    int equation = 0;
    std::string waterContentText; // as WAVIX shows it
    float probeStart = 0;         // marker distances, metres
    float probeEnd = 0;
    // Bulk EC.
    float conductance = 0;        // siemens
    double kp = 0;
    float bulkEC = 0;             // siemens per metre
    std::string bulkECText;
    // Waveform.
    float windowStart = 0;
    float windowLength = 0;
    std::vector<float> waveform;
    std::vector<float> derivative;

    std::vector<std::string> errors;  // what was reported; empty when the measurement worked
    bool answered = false;            // the instrument answered at least one request
    bool ok() const { return errors.empty(); }
};

struct SessionSetup {
    std::array<std::string, 7> settings;  // texts by tag
    analysis::Calibration calibration;
    double kp = 1.0;
    bool derivative = false;
    std::filesystem::path directory;      // where RFX410.INI is (read only)
};

// What the settings file gives a measurement: the seven texts (with the options given
// instead), the calibration in force (with a message when stored coefficients are unusable)
// and Kp.
SessionSetup SetupFromSettingsFile(const Options& options, const std::filesystem::path& directory,
                                   const platform::Numbers& numbers, std::string& warning);

class MeasurementSession {
public:
    // Runs the event loop until done() holds; false when the run was interrupted.
    using RunUntil = std::function<bool(const std::function<bool()>& done)>;
    // The messages shown since the last call.
    using TakeMessages = std::function<std::vector<std::string>()>;

    MeasurementSession(platform::Platform& platform, const platform::PortMap* ports, SessionSetup setup,
                       TakeMessages takeMessages);
    ~MeasurementSession();

    instrument::TTDRdataObject& Data() { return *data_; }
    HeadlessWindow& Window() { return window_; }

    // One measurement; nothing when it was interrupted. The chain is then stopped (no
    // further command goes out) while the command under way may still complete: wait for
    // Data().Busy() to clear, or Abandon().
    std::optional<MeasurementRecord> Measure(MeasureKind kind, const RunUntil& runUntil, std::string time);
    // Ends a chain still running and forgets its request.
    void Abandon();

private:
    MeasurementRecord Collect(MeasureKind kind, std::string time);

    platform::Platform& platform_;
    SessionSetup setup_;
    TakeMessages takeMessages_;
    HeadlessWindow window_;
    platform::ProfileFile settingsFile_;
    std::unique_ptr<instrument::TStateMach> machine_;
    std::unique_ptr<instrument::TTDRdataObject> data_;
    std::unique_ptr<app::SettingsSteps> settings_;
    std::unique_ptr<app::WaveformAcquisition> acquisition_;
    std::unique_ptr<analysis::WaterContent> waterContent_;
    std::unique_ptr<analysis::BulkEC> bulkEC_;
    int answers_ = 0;
};

}  // namespace cli
