#pragma once
// Stepping from probe to probe: the spin button moves the selection through the tree's
// probes, the address label follows, and 500 ms after the last click (MuxOut) the
// multiplexers are switched to it by a chain of "SMUX" commands while that probe's
// remembered settings are taken in.

#include "mux/mux_setup.h"
#include "mux/probe_window_port.h"

#include "link/chain_table.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mux {

inline constexpr std::uint32_t MuxOutMs = 500;

// State numbers of the address chain.
namespace MuxChain {
inline constexpr int Lv1 = 0, Lv2 = 1, Lv3 = 2, Err = 3, End = 4;
}

// A probe address taken apart: its channels, top level first, and the QRB address.
struct ParsedAddress {
    std::array<int, MaxLevels> channels{};
    int levels = 0;
    long long qrb = 0;
};

// Splits "c1[-c2[-c3]]" and reads the QRB address as a decimal integer. A channel that is
// not one decimal digit, more than three levels, or a QRB address that is not a decimal
// number gives nothing and the reason in error.
std::optional<ParsedAddress> ParseProbeAddress(const std::string& address, const std::string& qrbAddress,
                                               std::string& error);
// "SMUX " + channel + (qrb + level) * 10.
std::string SmuxCommand(int channel, long long qrb, int level);

class ProbeAddressing {
public:
    ProbeAddressing(ProbeWindowPort& window, MuxSetup& setup, instrument::TTDRdataObject& data,
                    instrument::TStateMach& machine, platform::Platform& platform,
                    std::filesystem::path startDirectory);

    // The spin button.
    void NextProbeUpClick();
    void NextProbeDownClick();
    // MuxOut's handler: stops the timer and addresses the multiplexers.
    void MuxOutTimer();
    bool MuxOutActive() const { return muxOut_->isActive(); }
    // Switches the multiplexers to the shown address and takes in that probe's settings.
    void AddressMux();
    // At start-up: the first probe in tree order is selected and its address shown, or
    // "?-?-?" with an empty tree. Nothing is sent.
    void ShowStartAddress();

    std::vector<instrument::ChainRow> AddressChain();
    void Lv1Step(std::int32_t& result);
    void Lv2Step(std::int32_t& result) { LevelStep(2, result); }
    void Lv3Step(std::int32_t& result) { LevelStep(3, result); }
    void ErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);

private:
    void Step(bool up);
    void LevelStep(int level, std::int32_t& result);
    void Send(int level, std::int32_t& result);

    ProbeWindowPort& window_;
    MuxSetup& setup_;
    instrument::TTDRdataObject& data_;
    instrument::TStateMach& machine_;
    platform::Platform& platform_;
    std::filesystem::path startDirectory_;
    std::unique_ptr<platform::Timer> muxOut_;
    ParsedAddress chainAddress_;
};

}  // namespace mux
