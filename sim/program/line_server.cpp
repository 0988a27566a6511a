#include "sim/program/line_server.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace sim::program {

LineServer::LineServer(PseudoTerminal& terminal, Rfx410& instrument, platform::Clock& clock, bool pace, Reporter report)
    : terminal_(terminal),
      instrument_(instrument),
      clock_(clock),
      pace_(pace),
      report_(std::move(report)),
      readNotifier_(terminal.masterFd(), QSocketNotifier::Read),
      writeNotifier_(terminal.masterFd(), QSocketNotifier::Write) {
    writeNotifier_.setEnabled(false);
    QObject::connect(&readNotifier_, &QSocketNotifier::activated, [this] { readInput(); });
    QObject::connect(&writeNotifier_, &QSocketNotifier::activated, [this] {
        writePending(pending_.size());
        if (pending_.empty()) writeNotifier_.setEnabled(false);
    });
    paceTimer_ = clock_.createTimer(platform::TimerKind::Periodic, [this] { paceTick(); });
    instrument_.setTransmitter([this](std::span<const std::uint8_t> bytes) { queueOutput(bytes); });
    if (pace_) instrument_.setLineBaud(terminal_.baud());
}

LineServer::~LineServer() { instrument_.setTransmitter({}); }

void LineServer::readInput() {
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = ::read(terminal_.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            // The client may change the baud rate at any time; GTIM accounts for it.
            if (pace_) instrument_.setLineBaud(terminal_.baud());
            instrument_.receive(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
        if (!readErrorReported_) {
            report_(std::string("reading the pseudo-terminal failed: ") + (n == 0 ? "end of file" : std::strerror(errno)));
            readErrorReported_ = true;
        }
        return;
    }
}

void LineServer::queueOutput(std::span<const std::uint8_t> bytes) {
    const std::size_t room = MaxPendingOutput - std::min(MaxPendingOutput, pending_.size());
    if (bytes.size() > room && !droppedReported_) {
        report_("the client is not reading; output is being dropped");
        droppedReported_ = true;
    }
    pending_.insert(pending_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
    if (pace_) {
        if (!paceTimer_->isActive()) {
            paceBudget_ = 1;  // the first byte leaves at once
            lastPaceTick_ = clock_.tickCount();
            paceTick();
            if (!pending_.empty()) paceTimer_->start(PaceTickMs);
        }
    } else {
        writePending(pending_.size());
        if (!pending_.empty()) writeNotifier_.setEnabled(true);
    }
}

std::size_t LineServer::writePending(std::size_t limit) {
    std::size_t written = 0;
    std::uint8_t chunk[4096];
    while (written < limit && !pending_.empty()) {
        const std::size_t n = std::min({limit - written, pending_.size(), sizeof chunk});
        std::copy_n(pending_.begin(), n, chunk);
        const ssize_t done = ::write(terminal_.masterFd(), chunk, n);
        if (done <= 0) break;  // the terminal's buffer is full; try again later
        pending_.erase(pending_.begin(), pending_.begin() + done);
        written += static_cast<std::size_t>(done);
        droppedReported_ = false;
    }
    return written;
}

void LineServer::paceTick() {
    const std::uint32_t now = clock_.tickCount();
    const int baud = terminal_.baud();
    // Ten bits a byte (8N1); an unknown rate is taken as 9600 baud.
    const double bytesPerMs = (baud > 0 ? baud : 9600) / 10000.0;
    paceBudget_ = std::min(paceBudget_ + (now - lastPaceTick_) * bytesPerMs, 64.0);
    lastPaceTick_ = now;
    const auto allowed = static_cast<std::size_t>(paceBudget_);
    paceBudget_ -= static_cast<double>(writePending(allowed));
    if (pending_.empty()) paceTimer_->stop();
}

}  // namespace sim::program
