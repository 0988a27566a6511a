#pragma once
// The one object through which the program talks to the instrument: it holds the single
// request that may be outstanding, hands it to the protocol driver, reports failed
// outcomes once, calls the requester's completion routine, and stores everything the
// instrument sends back.

#include "link/one_based_array.h"
#include "link/protocol_driver.h"
#include "link/result_codes.h"

#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class PortMap;
}

namespace instrument {

// Completion routine of a request: called once with the outcome's result code.
using TCommandDone = std::function<void(std::int32_t code)>;

// A serial device that went away under the open port.
struct LostDevice {
    std::string devicePath;
    int baud = 0;
    std::string reason;
};

// The instrument's settings as its last "DUMP" reply gave them.
struct InstrumentSettings {
    float Vp = 0;
    std::int32_t Averages = 0;
    std::int32_t Points = 0;
    float WinStart = 0;
    float WinLgt = 0;
    float ProbeLgt = 0;
    float ProbeOffset = 0;
    std::uint32_t DumpWord8 = 0;  // kept raw, not interpreted
    std::uint32_t DumpWord9 = 0;  // kept raw, copied into configuration files
};

// "GTIM": word 1 raw; then the seconds a waveform and a water-content measurement take.
struct AcquisitionTimes {
    std::uint32_t Word1 = 0;
    float WaveformSeconds = 0;
    float WaterContentSeconds = 0;
};

class TTDRdataObject {
public:
    static constexpr int MaxPoints = 2048;

    TTDRdataObject(platform::Platform& platform, const platform::PortMap* ports = nullptr);
    ~TTDRdataObject();
    TTDRdataObject(const TTDRdataObject&) = delete;
    TTDRdataObject& operator=(const TTDRdataObject&) = delete;

    // Requests. Each returns 0 when the command went out (onDone will be called exactly
    // once), or the reason it did not: -7 another request is outstanding, -9 the port is
    // not open, -10 writing failed; onDone is then never called.
    std::int32_t SetCommand(std::string_view cmdText, TCommandDone onDone);
    std::int32_t GetCommand(std::string_view cmdName, std::int32_t timeoutSecs, TCommandDone onDone);

    // Delivers the outcome of the outstanding request (the driver calls it). A failed
    // outcome is shown in a message box, then the completion routine runs, then the
    // request ends. Called with an empty name and code 0 it cancels the outstanding
    // request instead: silently, without calling its completion routine; a reply that
    // still arrives for it is dropped.
    void CommandDone(std::string_view name, std::int32_t code);
    void CancelCommand();

    // Told of every outcome delivered for a request (replies and reply time-outs, not
    // cancels) before it is reported; for programs that keep count of what the line does.
    using OutcomeObserver = std::function<void(std::string_view name, std::int32_t code)>;
    void SetOutcomeObserver(OutcomeObserver observer) { observer_ = std::move(observer); }

    // The driver's port lost its device: the handler hears of it first, then the
    // outstanding request (if any) fails with -9, so its chain ends with its failure
    // message.
    using LinkLostHandler = std::function<void(const LostDevice&)>;
    void SetLinkLostHandler(LinkLostHandler handler) { linkLost_ = std::move(handler); }
    void LinkLost(const std::string& devicePath, int baud, const std::string& reason);

    bool Busy() const { return busy_; }
    const std::string& PendingName() const { return pendingName_; }

    // The reply store.
    InstrumentSettings Settings;
    std::uint32_t GrlnValue = 0;
    std::uint32_t GcalValue = 0;
    float GconValue = 0;
    std::uint32_t GdtsValue = 0;
    float GmosValue = 0;
    float CellConstValue = 0;
    OneBasedArray<std::uint32_t, 4> Version;
    AcquisitionTimes Times;
    OneBasedArray<float, 3> Vars;
    float DerivativeGain = 1.0f;
    // Number of points the last array reply ("GWAV", "GLDR" ...) carried.
    std::int32_t LastArrayPoints = 0;

    // Points 1..2048; 0.0 outside.
    float WaveformAt(int i) const;
    float DerivativeAt(int i) const;
    // Used by the reply decoder; indexes outside 1..2048 are ignored.
    void StoreWaveformWord(int i, std::uint32_t word);
    void StoreDerivativePoint(int i, float x);

    // Straight through to the driver.
    bool OpenPort(int portNumber, int baud) { return driver_->Open(portNumber, baud); }
    bool OpenPortPath(const std::string& devicePath, int baud) { return driver_->OpenDevice(devicePath, baud); }
    bool Connected() const { return driver_->Connected(); }
    void ClosePort() { driver_->Close(); }
    std::int32_t SendChar(char ch) { return driver_->SendChar(ch); }
    void SetRawReceiver(TProtocolDvr::RawReceiver handler) { driver_->SetRawReceiver(std::move(handler)); }
    void RestoreFraming() { driver_->RestoreFraming(); }
    void DetachPort() { driver_->DetachPort(); }
    void AttachPort() { driver_->AttachPort(); }

    TProtocolDvr& Driver() { return *driver_; }
    platform::Platform& Services() { return platform_; }

private:
    std::int32_t StartRequest(std::string_view text, std::int32_t timeoutSecs, TCommandDone onDone);

    platform::Platform& platform_;
    std::unique_ptr<TProtocolDvr> driver_;
    bool busy_ = false;
    std::string pendingName_;
    TCommandDone onDone_;
    OutcomeObserver observer_;
    std::uint64_t requestNumber_ = 0;
    LinkLostHandler linkLost_;
    std::array<std::uint32_t, MaxPoints> waveform_{};
    std::array<float, MaxPoints> derivative_{};
};

}  // namespace instrument
