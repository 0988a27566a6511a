#pragma once
// The simulated RFX410, byte in and byte out. Framed commands (':' text checksum CR) are
// answered with acknowledgement, data or error packets after the time the instrument would
// take; everything else on the line is terminal input (echoed, and interpreted line by line,
// including the monitor and the loader of an operating-system upgrade). Replies and echoes
// leave through clock timers, never from inside receive(). Faults can be injected.

#include "platform/clock.h"
#include "sim/command_processor.h"
#include "sim/fault_plan.h"
#include "sim/srecord_loader.h"
#include "sim/terminal_line.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace sim {

enum class LoaderState {
    Off,        // normal operation
    Monitor,    // "MON" typed: waiting for "S" (or "Q" to leave)
    Erasing,    // "S" typed: erasing flash, ENQ when done
    Receiving,  // taking S-records
};

class Rfx410 {
public:
    using Transmitter = std::function<void(std::span<const std::uint8_t>)>;
    using Logger = std::function<void(const std::string&)>;

    // Frame text and checksum digits; longer frames are answered with error 2.
    static constexpr std::size_t MaxFrameLength = 64;
    // Commands waiting while one is being processed; more are lost, as in a full UART buffer.
    static constexpr std::size_t MaxQueuedCommands = 8;
    // Echo not yet sent; more is dropped.
    static constexpr std::size_t MaxEchoBacklog = 4096;
    static constexpr std::size_t MaxObservedCommands = 1000;
    static constexpr std::uint8_t Enquiry = 0x05;

    explicit Rfx410(platform::Clock& clock, const SimulatorConfig& config = {});
    ~Rfx410();
    Rfx410(const Rfx410&) = delete;
    Rfx410& operator=(const Rfx410&) = delete;

    void receive(std::span<const std::uint8_t> bytes);
    void setTransmitter(Transmitter transmitter) { transmitter_ = std::move(transmitter); }
    // One line per command, reply, terminal line and loader event (for --verbose).
    void setLogger(Logger logger) { logger_ = std::move(logger); }

    // The set-up in front of the instrument.
    CommandProcessor& processor() { return processor_; }
    void setMedium(const Medium& medium) { processor_.setMedium(medium); }
    void setProbeMedium(const std::string& address, const Medium& medium) { processor_.setProbeMedium(address, medium); }
    void setCable(const Cable& cable) { processor_.setCable(cable); }
    void setProbe(const Probe& probe) { processor_.setProbe(probe); }
    void setSeed(std::uint64_t seed) { processor_.setSeed(seed); }
    void setTiming(const InstrumentTiming& timing) { processor_.setTiming(timing); }
    void setLineBaud(int baud) { processor_.setLineBaud(baud); }
    void setReferenceSource(bool on) { processor_.setReferenceSource(on); }
    void setTimebaseError(double error) { processor_.setTimebaseError(error); }
    void setWaterTemperature(double celsius) { processor_.setWaterTemperature(celsius); }

    // Faults.
    FaultPlan& faults() { return faults_; }
    bool lineDead() const { return dead_; }
    // Brings a dead line back (the instrument as after power-up of its serial port).
    void reviveLine();

    // Observations.
    const std::deque<std::string>& receivedCommands() const { return received_; }
    void clearReceivedCommands() { received_.clear(); }
    int greetingCount() const { return greetings_; }
    const InstrumentSettings& settings() const { return processor_.settings(); }
    std::string probeAddress() const { return processor_.muxAddress().text(); }
    Medium currentMedium() const { return processor_.currentMedium(); }
    // The model behind the answers for the present settings and probe: edge distances,
    // marker positions, La/L, late level, conductance.
    WaveformModel model() const { return processor_.currentModel(); }
    const std::vector<float>& lastWaveform() const { return processor_.lastWaveform(); }
    LoaderState loaderState() const { return loaderState_; }
    const std::vector<std::string>& acceptedRecords() const { return loader_.acceptedRecords(); }
    std::size_t acceptedRecordCount() const { return loader_.acceptedCount(); }
    int completedUpgrades() const { return upgrades_; }
    // Commands received and not yet answered.
    std::size_t pendingCommands() const { return jobs_.size() + (busy_ ? 1 : 0); }

private:
    struct Job {
        bool framed = true;
        std::string text;  // the command text
        int frameError = 0;  // set when the frame itself was bad
    };

    void takeByte(std::uint8_t byte);
    void takeFrameByte(std::uint8_t byte);
    void endFrame();
    void takeTerminalByte(std::uint8_t byte);
    void takeLine(const std::string& line);
    void takeLoaderByte(std::uint8_t byte);
    void enqueue(Job job);
    void startNextJob();
    void finishJob();
    std::vector<std::uint8_t> framedReply(const Job& job, std::uint32_t& delayMs);
    void echo(std::string_view text);
    void flushEcho();
    void loaderAnswer(char answer);
    void flushLoaderAnswers();
    void enterLoaderState(LoaderState state);
    void leaveLoader(const std::string& why);
    void killLine(const std::string& why);
    void send(std::span<const std::uint8_t> bytes);
    void log(const std::string& line) const;
    std::uint32_t uptimeMs() const;

    platform::Clock& clock_;
    std::uint32_t powerOnTick_;
    CommandProcessor processor_;
    FaultPlan faults_;
    Transmitter transmitter_;
    Logger logger_;

    // Frame being received.
    bool inFrame_ = false;
    bool frameOverflow_ = false;
    std::string frame_;
    TerminalLine terminal_;

    // Commands in order of arrival, one processed at a time.
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool replyFramed_ = false;
    std::vector<std::uint8_t> reply_;
    std::unique_ptr<platform::Timer> jobTimer_;

    std::string echo_;
    std::unique_ptr<platform::Timer> echoTimer_;

    LoaderState loaderState_ = LoaderState::Off;
    SRecordLoader loader_;
    std::string loaderAnswers_;
    std::unique_ptr<platform::Timer> eraseTimer_;
    std::unique_ptr<platform::Timer> loaderAnswerTimer_;
    std::unique_ptr<platform::Timer> loaderIdleTimer_;
    int upgrades_ = 0;
    // The record under way in this upgrade (from 1) and the faults aimed at it.
    int recordNumber_ = 0;
    bool corruptRecord_ = false;
    bool silentRecord_ = false;

    bool dead_ = false;
    std::deque<std::string> received_;
    int greetings_ = 0;
};

}  // namespace sim
