#include "sim/command_processor.h"

#include "link/wire.h"
#include "sim/de_ionized_water.h"
#include "sim/gaussian_noise.h"
#include "sim/numeric_argument.h"
#include "sim/reference_source.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr std::string_view fetchCommands[] = {"DUMP", "GTIM", "GWAV", "GNWA", "GLWF", "GLDR", "GNDR",
                                              "GCAL", "GCON", "GMOS", "GVAR", "GVER", "GDTS", "GRLN"};

bool isFetchCommand(std::string_view name) {
    return std::find(std::begin(fetchCommands), std::end(fetchCommands), name) != std::end(fetchCommands);
}

std::uint32_t floatWord(double value) { return wire::floatToWord(static_cast<float>(value)); }

std::vector<std::uint32_t> floatWords(const std::vector<float>& values) {
    std::vector<std::uint32_t> words;
    words.reserve(values.size());
    for (float v : values) words.push_back(wire::floatToWord(v));
    return words;
}

bool hasLetterOrDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

CommandResult CommandResult::failure(int number, std::uint32_t delayMs) {
    CommandResult result;
    result.kind = Kind::Error;
    result.error = number;
    result.delayMs = delayMs;
    return result;
}

CommandProcessor::CommandProcessor(const SimulatorConfig& config) : config_(config) {}

bool CommandProcessor::isKnownCommand(std::string_view name) {
    return isSettingCommand(name) || isFetchCommand(name) || name == "SMUX" || name == "CCCC";
}

Medium CommandProcessor::currentMedium() const {
    const MuxAddress& address = mux_.address();
    if (address.levels == 0) return config_.medium;
    const std::string text = address.text();
    const auto it = probeMedia_.find(text);
    return it != probeMedia_.end() ? it->second : mediumForAddress(text);
}

WaveformModel CommandProcessor::currentModel() const {
    return WaveformModel(settings_, config_.cable, config_.probe, currentMedium(), config_.timebaseError);
}

CommandResult CommandProcessor::data(std::string_view name, std::vector<std::uint32_t> words, std::uint32_t delayMs) const {
    CommandResult result;
    result.kind = CommandResult::Kind::Data;
    result.name = std::string(name);
    result.words = std::move(words);
    result.delayMs = delayMs;
    return result;
}

CommandResult CommandProcessor::execute(std::string_view text, std::uint32_t uptimeMs) {
    const InstrumentTiming& timing = config_.timing;
    if (!hasLetterOrDigit(text)) return CommandResult::failure(error::NoLettersOrNumbers, timing.errorMs);
    if (text.size() < 4) return CommandResult::failure(error::NotIdentified, timing.errorMs);
    const std::string_view name = text.substr(0, 4);
    std::string_view rest = text.substr(4);
    if (!rest.empty() && rest.front() != ' ') return CommandResult::failure(error::NotIdentified, timing.errorMs);
    const std::string_view argument = trimSpaces(rest);
    if (!isKnownCommand(name)) return CommandResult::failure(error::NotIdentified, timing.errorMs);

    if (isSettingCommand(name)) {
        if (argument.empty()) return CommandResult::failure(error::CouldNotBeParsed, timing.errorMs);
        const int code = applySetting(settings_, name, argument);
        if (code != 0) return CommandResult::failure(code, timing.errorMs);
        CommandResult ack;
        ack.kind = CommandResult::Kind::Acknowledge;
        ack.name = std::string(name);
        ack.delayMs = timing.acknowledgeMs;
        return ack;
    }
    if (name == "SMUX") {
        const auto number = parseWholeNumber(argument);
        if (!number) return CommandResult::failure(error::CouldNotBeParsed, timing.errorMs);
        const int code = mux_.apply(*number, config_.qrbAddress);
        if (code != 0) return CommandResult::failure(code, timing.muxSwitchMs);
        CommandResult ack;
        ack.kind = CommandResult::Kind::Acknowledge;
        ack.name = "SMUX";
        ack.delayMs = timing.muxSwitchMs;
        return ack;
    }
    if (name == "CCCC") {
        const auto temperature = parseDecimal(argument);
        if (!temperature) return CommandResult::failure(error::CouldNotBeParsed, timing.errorMs);
        if (*temperature <= 0 || *temperature > 100) return CommandResult::failure(error::OutOfRange, timing.errorMs);
        // The probe stands in de-ionized water as the procedure asks. The instrument measures
        // its conductance G = EC(water) / Kp and divides the conductivity of pure water at the
        // temperature it is told by it: the probe's own Kp when that is the water's temperature.
        const double ratio = pureWaterConductivity(*temperature) / pureWaterConductivity(config_.waterTemperature);
        return data(name, {floatWord(config_.probe.cellConstant * ratio)}, timing.cellConstantMs);
    }
    if (!argument.empty()) return CommandResult::failure(error::IllegalFormat, timing.errorMs);
    return fetch(name, uptimeMs);
}

CommandResult CommandProcessor::fetch(std::string_view name, std::uint32_t uptimeMs) {
    const InstrumentTiming& timing = config_.timing;
    const std::uint32_t acquireMs = acquisitionMs(timing, settings_);

    if (name == "DUMP") {
        const MuxAddress& address = mux_.address();
        std::uint32_t muxDigits = 0;
        for (int k = 0; k < address.levels; ++k) muxDigits = muxDigits * 10 + static_cast<std::uint32_t>(address.channels[static_cast<std::size_t>(k)]);
        return data(name,
                    {floatWord(settings_.vp), floatWord(settings_.averages), floatWord(settings_.points),
                     floatWord(settings_.start), floatWord(settings_.length), floatWord(settings_.probeLength),
                     floatWord(settings_.probeOffset), muxDigits, config_.serialNumber},
                    timing.fetchMs);
    }
    if (name == "GTIM") {
        return data(name,
                    {uptimeMs, floatWord(reportedWaveformSeconds(timing, settings_, lineBaud_)),
                     floatWord(reportedWaterContentSeconds(timing, settings_, lineBaud_))},
                    timing.fetchMs);
    }
    if (name == "GWAV" || name == "GNWA" || name == "GNDR") {
        acquire();
        const auto& values = name == "GNDR" ? derivativePerPoint(lastWaveform_) : lastWaveform_;
        return data(name, floatWords(values), acquireMs);
    }
    if (name == "GLWF" || name == "GLDR") {
        std::uint32_t delay = timing.fetchMs;
        if (!lastWaveformCurrent()) {
            acquire();
            delay = acquireMs;
        }
        return data(name, floatWords(name == "GLDR" ? derivativePerPoint(lastWaveform_) : lastWaveform_), delay);
    }
    if (name == "GMOS") {
        const WaveformModel model = currentModel();
        const std::uint32_t delay = acquireMs + timing.analysisMs;
        if (settings_.probeLength <= 0) return CommandResult::failure(error::BadMoistureCalculation, timing.errorMs);
        acquire();
        // A signal source on the input has no probe to find.
        if (config_.referenceSource) return CommandResult::failure(error::UnableToLocatePulse, delay);
        const double windowEnd = static_cast<double>(settings_.start) + settings_.length;
        if (model.headDistance() < settings_.start || model.endDistance() > windowEnd)
            return CommandResult::failure(error::UnableToLocatePulse, delay);
        const auto x = model.relativeApparentLength();
        if (!x) return CommandResult::failure(error::BadMoistureCalculation, delay);
        return data(name, {floatWord(*x)}, delay);
    }
    if (name == "GVAR") {
        const WaveformModel model = currentModel();
        return data(name,
                    {floatWord(model.markerPosition(model.headDistance())),
                     floatWord(model.markerPosition(model.endDistance())), floatWord(model.apparentLength())},
                    timing.fetchMs);
    }
    if (name == "GCON") {
        const std::uint32_t delay =
            timing.conductivityBaseMs + timing.conductivityPerAverageMs * static_cast<std::uint32_t>(std::max(settings_.averages, 1));
        return data(name, {floatWord(currentModel().conductance())}, delay);
    }
    if (name == "GCAL") {
        // The step generator's calibration voltage, millivolts, a little noisy.
        GaussianNoise noise(config_.seed, 0x43414C00ull + ++calibrations_);
        const double mv = CalibrationMillivolts + 1.5 * noise.next();
        return data(name, {static_cast<std::uint32_t>(std::lround(mv))}, timing.calibrationMs);
    }
    if (name == "GVER") return data(name, {OsMajor, OsMinor, OsFirstBuild + upgrades_, HardwareModel}, timing.fetchMs);
    if (name == "GDTS") return data(name, {OsDate}, timing.fetchMs);
    // GRLN: the reference length, the probe head's apparent distance in millimetres.
    const double head = currentModel().headDistance();
    return data(name, {static_cast<std::uint32_t>(std::lround(std::clamp(head, 0.0, 4.0e6) * 1000.0))}, timing.fetchMs);
}

void CommandProcessor::acquire() {
    const WaveformModel model = currentModel();
    GaussianNoise noise(config_.seed, ++acquisitions_);
    lastWaveform_ = config_.referenceSource
                        ? ReferenceSource::sample(settings_, config_.timebaseError, &noise, config_.noiseAtOneAverage)
                        : model.sample(&noise, config_.noiseAtOneAverage);
    lastSettings_ = settings_;
    lastAddress_ = mux_.address();
    lastValid_ = true;
}

bool CommandProcessor::lastWaveformCurrent() const {
    return lastValid_ && lastSettings_ == settings_ && lastAddress_ == mux_.address();
}

void CommandProcessor::setMedium(const Medium& medium) {
    config_.medium = medium;
    lastValid_ = false;
}

void CommandProcessor::setProbeMedium(const std::string& address, const Medium& medium) {
    probeMedia_[address] = medium;
    lastValid_ = false;
}

void CommandProcessor::setCable(const Cable& cable) {
    config_.cable = cable;
    lastValid_ = false;
}

void CommandProcessor::setProbe(const Probe& probe) {
    config_.probe = probe;
    lastValid_ = false;
}

void CommandProcessor::setSeed(std::uint64_t seed) {
    config_.seed = seed;
    lastValid_ = false;
}

void CommandProcessor::setReferenceSource(bool on) {
    config_.referenceSource = on;
    lastValid_ = false;
}

void CommandProcessor::setTimebaseError(double error) {
    config_.timebaseError = error;
    lastValid_ = false;
}

void CommandProcessor::setNoise(double noiseAtOneAverage) {
    config_.noiseAtOneAverage = noiseAtOneAverage;
    lastValid_ = false;
}

}  // namespace sim
