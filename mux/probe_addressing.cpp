#include "mux/probe_addressing.h"

#include "link/chain_start.h"
#include "link/chain_steps.h"
#include "link/result_codes.h"

namespace mux {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

std::optional<ParsedAddress> ParseProbeAddress(const std::string& address, const std::string& qrbAddress,
                                               std::string& error) {
    ParsedAddress parsed;
    std::size_t start = 0;
    while (true) {
        const std::size_t dash = address.find('-', start);
        const std::string field = address.substr(start, dash == std::string::npos ? std::string::npos : dash - start);
        if (parsed.levels == MaxLevels) {
            error = "The probe address \"" + address + "\" has more than " + std::to_string(MaxLevels) +
                    " levels; the multiplexers cannot be set to it.";
            return std::nullopt;
        }
        if (field.size() != 1 || field[0] < '0' || field[0] > '9') {
            error = "The probe address \"" + address + "\" holds the channel \"" + field +
                    "\", which is not a decimal number from 1 to 8; the multiplexers cannot be set to it.";
            return std::nullopt;
        }
        parsed.channels[static_cast<std::size_t>(parsed.levels++)] = field[0] - '0';
        if (dash == std::string::npos) break;
        start = dash + 1;
    }
    // A decimal integer, blanks around it allowed.
    const auto first = qrbAddress.find_first_not_of(' ');
    const auto last = qrbAddress.find_last_not_of(' ');
    const std::string qrb = first == std::string::npos ? "" : qrbAddress.substr(first, last - first + 1);
    std::size_t digits = (!qrb.empty() && (qrb[0] == '-' || qrb[0] == '+')) ? 1 : 0;
    const bool numeric = qrb.size() > digits && qrb.size() - digits <= 9 &&
                         qrb.find_first_not_of("0123456789", digits) == std::string::npos;
    if (!numeric) {
        error = "The RFX410 QRB address \"" + qrbAddress +
                "\" is not a decimal number; the multiplexers cannot be set. Correct it under Settings, Multiplexer.";
        return std::nullopt;
    }
    parsed.qrb = std::stoll(qrb);
    return parsed;
}

std::string SmuxCommand(int channel, long long qrb, int level) {
    return "SMUX " + std::to_string(channel + (qrb + level) * 10);
}

ProbeAddressing::ProbeAddressing(ProbeWindowPort& window, MuxSetup& setup, instrument::TTDRdataObject& data,
                                 instrument::TStateMach& machine, platform::Platform& platform,
                                 std::filesystem::path startDirectory)
    : window_(window), setup_(setup), data_(data), machine_(machine), platform_(platform),
      startDirectory_(std::move(startDirectory)) {
    muxOut_ = platform_.clock.createTimer(platform::TimerKind::SingleShot, [this] { MuxOutTimer(); });
}

void ProbeAddressing::NextProbeUpClick() { Step(true); }

void ProbeAddressing::NextProbeDownClick() { Step(false); }

void ProbeAddressing::Step(bool up) {
    muxOut_->stop();
    if (window_.ProbeSettingsChanged()) {
        if (platform_.dialogs.ask("Setting have been changed, Save Changes?", platform::Question::OkCancel,
                                  "Warning") == platform::Answer::Ok)
            window_.SaveProbeSettings();
        window_.ClearProbeSettingsChanged();
    }
    MuxTree& tree = setup_.Tree();
    if (!tree.Empty()) {
        if (up) tree.StepUp();
        else tree.StepDown();
    }
    window_.SetMuxAddressText(tree.SelectedProbeAddress());
    muxOut_->start(MuxOutMs);
}

void ProbeAddressing::MuxOutTimer() {
    muxOut_->stop();
    AddressMux();
}

void ProbeAddressing::AddressMux() {
    const std::string address = window_.MuxAddressText();
    if (address.empty() || address[0] == '?') return;
    std::string problem;
    if (const auto parsed = ParseProbeAddress(address, setup_.QrbAddress, problem)) {
        if (!machine_.IsIdle()) {
            platform_.dialogs.message(instrument::ChainActiveMessage);
        } else {
            chainAddress_ = *parsed;
            // Loaded first: a table that does not load must not leave the hourglass on.
            if (instrument::LoadChain(machine_, AddressChain())) {
                window_.SetHourglass(true);
                machine_.Start(MuxChain::Lv1);
            } else {
                platform_.dialogs.message(instrument::ChainNotLoadedMessage, platform::MessageKind::Error);
            }
        }
    } else {
        platform_.dialogs.message(problem, platform::MessageKind::Error);
    }
    // The probe's settings are taken in at once, not after the chain.
    window_.ShowProbeSettings(
        files::ReadProbeSettings(files::ProbeSettingsPath(startDirectory_, address), platform_.numbers));
    window_.ClearProbeSettingsChanged();
}

void ProbeAddressing::ShowStartAddress() {
    MuxTree& tree = setup_.Tree();
    tree.SelectFirstProbe();
    window_.SetMuxAddressText(tree.SelectedProbeAddress());
}

std::vector<ChainRow> ProbeAddressing::AddressChain() {
    auto act = [this](void (ProbeAddressing::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    return {
        //  #  name   action                          limit    success   failure   also allowed
        {0, "Lv1", act(&ProbeAddressing::Lv1Step),  2000,    1,        3,        {4}},
        {1, "Lv2", act(&ProbeAddressing::Lv2Step),  2000,    2,        3,        {4}},
        {2, "Lv3", act(&ProbeAddressing::Lv3Step),  2000,    4,        3},
        {3, "Err", act(&ProbeAddressing::ErrStep),  NoLimit, 4,        4},
        {4, "END", act(&ProbeAddressing::EndStep),  NoLimit, NoTarget, NoTarget},
    };
}

void ProbeAddressing::Send(int level, std::int32_t& result) {
    const std::string command =
        SmuxCommand(chainAddress_.channels[static_cast<std::size_t>(level - 1)], chainAddress_.qrb, level);
    result = data_.SetCommand(command, [this](std::int32_t) { machine_.ActionDone = true; });
    if (result != instrument::Success)
        platform_.dialogs.message("ERROR: Initiating SMUX command = " + instrument::CodeText(result),
                                  platform::MessageKind::Error);
}

void ProbeAddressing::Lv1Step(std::int32_t& result) {
    if (data_.Busy()) {
        platform_.dialogs.message("Another Command is current being processed.", platform::MessageKind::Warning);
        result = instrument::AnotherCommandActive;
        return;
    }
    Send(1, result);
}

void ProbeAddressing::LevelStep(int level, std::int32_t& result) {
    if (chainAddress_.levels < level) {
        // This level is not part of the address: straight to the end.
        machine_.SetSuccessNext(machine_.Current(), MuxChain::End);
        result = 0;
        machine_.ActionDone = true;
        return;
    }
    Send(level, result);
}

void ProbeAddressing::ErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(machine_, data_, platform_.dialogs, "Error: Failed to Set Mux!", result);
}

void ProbeAddressing::EndStep(std::int32_t& result) {
    // This chain leaves the window's controls alone; it only had the hourglass on.
    platform_.tones.beep(10000, 50);
    window_.SetHourglass(false);
    result = 0;
    machine_.Stop();
}

}  // namespace mux
