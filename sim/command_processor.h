#pragma once
// What the instrument does with one command text ("NAME" or "NAME argument"): it changes
// its settings or multiplexer path, acquires and analyses waveforms of the probe in front
// of it, and says what it answers and after how long. Framing, faults and the line are
// the caller's business.

#include "sim/instrument_settings.h"
#include "sim/instrument_timing.h"
#include "sim/mux_addressing.h"
#include "sim/physical_setup.h"
#include "sim/waveform_model.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct SimulatorConfig {
    Cable cable;
    Probe probe;
    Medium medium;                    // of the probe on the connector (no multiplexer switched)
    // A reference pulse source on the input instead of the cable and probe.
    bool referenceSource = false;
    // How far the time base stretches the point spacing along a window (0.05: the last
    // spacing 5 % longer than the first); 0 for a linear time base.
    double timebaseError = 0.0;
    // Temperature of the de-ionized water the probe stands in while its cell constant is
    // measured, degrees Celsius.
    double waterTemperature = 20.0;
    std::uint64_t seed = 1;
    double noiseAtOneAverage = 0.01;  // deviation of the noise with one average
    int qrbAddress = 0;
    std::uint32_t serialNumber = 41001;
    InstrumentTiming timing;
};

struct CommandResult {
    enum class Kind { Acknowledge, Data, Error };

    Kind kind = Kind::Error;
    std::string name;  // Acknowledge and Data: the four-character name the reply carries
    int error = 0;     // Error: the instrument error number
    std::vector<std::uint32_t> words;
    std::uint32_t delayMs = 0;

    static CommandResult failure(int number, std::uint32_t delayMs);
};

class CommandProcessor {
public:
    // Version words of the operating system: major, minor, build (grows with every upgrade),
    // hardware model.
    static constexpr std::uint32_t OsMajor = 3;
    static constexpr std::uint32_t OsMinor = 12;
    static constexpr std::uint32_t OsFirstBuild = 100;
    static constexpr std::uint32_t HardwareModel = 410;
    static constexpr std::uint32_t OsDate = 20240311;  // GDTS: YYYYMMDD
    static constexpr std::uint32_t CalibrationMillivolts = 2500;

    explicit CommandProcessor(const SimulatorConfig& config);

    // Carries out one command; uptimeMs is the instrument's time since power-up.
    CommandResult execute(std::string_view text, std::uint32_t uptimeMs);
    // True for every command name the instrument understands.
    static bool isKnownCommand(std::string_view name);

    // Changes to what hangs on the connector; the next GLWF or GLDR acquires afresh.
    void setMedium(const Medium& medium);
    void setProbeMedium(const std::string& address, const Medium& medium);
    void setCable(const Cable& cable);
    void setProbe(const Probe& probe);
    void setSeed(std::uint64_t seed);
    void setNoise(double noiseAtOneAverage);
    void setReferenceSource(bool on);
    void setTimebaseError(double error);
    void setWaterTemperature(double celsius) { config_.waterTemperature = celsius; }
    void setQrbAddress(int qrb) { config_.qrbAddress = qrb; }
    void setTiming(const InstrumentTiming& timing) { config_.timing = timing; }
    // Baud rate of a paced line (0: not paced), for the transfer times GTIM includes.
    void setLineBaud(int baud) { lineBaud_ = baud; }
    // A successful operating-system upgrade raises the build number.
    void noteUpgrade() { ++upgrades_; }

    const SimulatorConfig& config() const { return config_; }
    const InstrumentSettings& settings() const { return settings_; }
    const MuxAddress& muxAddress() const { return mux_.address(); }
    Medium currentMedium() const;
    WaveformModel currentModel() const;
    const std::vector<float>& lastWaveform() const { return lastWaveform_; }
    std::uint64_t acquisitionCount() const { return acquisitions_; }
    int lineBaud() const { return lineBaud_; }

private:
    CommandResult fetch(std::string_view name, std::uint32_t uptimeMs);
    CommandResult data(std::string_view name, std::vector<std::uint32_t> words, std::uint32_t delayMs) const;
    void acquire();
    bool lastWaveformCurrent() const;

    SimulatorConfig config_;
    InstrumentSettings settings_;
    MuxSelection mux_;
    std::map<std::string, Medium> probeMedia_;
    int lineBaud_ = 0;
    std::uint32_t upgrades_ = 0;
    std::uint64_t acquisitions_ = 0;
    std::uint64_t calibrations_ = 0;
    std::vector<float> lastWaveform_;
    // What the last waveform was acquired with; false after the set-up changed.
    bool lastValid_ = false;
    InstrumentSettings lastSettings_;
    MuxAddress lastAddress_;
};

}  // namespace sim
