#pragma once
// Moves bytes between the pseudo-terminal and the instrument: what the client writes is fed
// to the instrument; what the instrument sends goes out at once, or paced at the line's
// baud rate.

#include "platform/clock.h"
#include "sim/program/pseudo_terminal.h"
#include "sim/rfx410.h"

#include <QSocketNotifier>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace sim::program {

class LineServer {
public:
    // Output the client has not taken yet; more is dropped (with a message).
    static constexpr std::size_t MaxPendingOutput = 1 << 20;
    static constexpr std::uint32_t PaceTickMs = 5;

    using Reporter = std::function<void(const std::string&)>;

    LineServer(PseudoTerminal& terminal, Rfx410& instrument, platform::Clock& clock, bool pace, Reporter report);
    ~LineServer();
    LineServer(const LineServer&) = delete;
    LineServer& operator=(const LineServer&) = delete;

private:
    void readInput();
    void queueOutput(std::span<const std::uint8_t> bytes);
    // Writes up to limit pending bytes; returns how many went out.
    std::size_t writePending(std::size_t limit);
    void paceTick();

    PseudoTerminal& terminal_;
    Rfx410& instrument_;
    platform::Clock& clock_;
    bool pace_;
    Reporter report_;
    QSocketNotifier readNotifier_;
    QSocketNotifier writeNotifier_;
    std::unique_ptr<platform::Timer> paceTimer_;
    std::deque<std::uint8_t> pending_;
    double paceBudget_ = 0;
    std::uint32_t lastPaceTick_ = 0;
    bool droppedReported_ = false;
    bool readErrorReported_ = false;
};

}  // namespace sim::program
