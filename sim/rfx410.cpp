#include "sim/rfx410.h"

#include "link/wire.h"
#include "sim/readable_answer.h"
#include "sim/reply_tampering.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string printable(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string normalisedLine(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    std::string out(line);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string describeReply(const std::vector<std::uint8_t>& packet) {
    const auto plain = wire::unescape(packet);
    if (!plain || plain->size() < 5) return printable(std::string(packet.begin(), packet.end()));
    const char type = static_cast<char>((*plain)[1]);
    const std::size_t bodySize = plain->size() - 5;
    std::string body(plain->begin() + 2, plain->begin() + 2 + static_cast<std::ptrdiff_t>(std::min<std::size_t>(bodySize, 4)));
    std::string text = std::string(1, type) + printable(body);
    if (type == wire::DataReply && bodySize >= 4) text += " with " + std::to_string(bodySize - 4) + " data bytes";
    return text;
}

}  // namespace

Rfx410::Rfx410(platform::Clock& clock, const SimulatorConfig& config)
    : clock_(clock), powerOnTick_(clock.tickCount()), processor_(config) {
    jobTimer_ = clock_.createTimer(platform::TimerKind::SingleShot, [this] { finishJob(); });
    echoTimer_ = clock_.createTimer(platform::TimerKind::SingleShot, [this] { flushEcho(); });
    eraseTimer_ = clock_.createTimer(platform::TimerKind::SingleShot, [this] {
        if (dead_) return;
        enterLoaderState(LoaderState::Receiving);
        loader_.restart();
        recordNumber_ = 0;
        log("loader: flash erased, ready for records");
        const std::uint8_t enq = Enquiry;
        send(std::span<const std::uint8_t>(&enq, 1));
    });
    loaderAnswerTimer_ = clock_.createTimer(platform::TimerKind::SingleShot, [this] { flushLoaderAnswers(); });
    loaderIdleTimer_ = clock_.createTimer(platform::TimerKind::SingleShot, [this] { leaveLoader("no input, back to normal operation"); });
}

Rfx410::~Rfx410() = default;

std::uint32_t Rfx410::uptimeMs() const { return clock_.tickCount() - powerOnTick_; }

void Rfx410::log(const std::string& line) const {
    if (logger_) logger_(line);
}

void Rfx410::receive(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) {
        if (dead_) return;
        takeByte(b);
    }
}

void Rfx410::takeByte(std::uint8_t byte) {
    switch (loaderState_) {
    case LoaderState::Erasing:
        loaderIdleTimer_->start(processor_.config().timing.loaderIdleMs);
        return;  // the processor is busy erasing; what arrives now is lost
    case LoaderState::Receiving:
        loaderIdleTimer_->start(processor_.config().timing.loaderIdleMs);
        takeLoaderByte(byte);
        return;
    case LoaderState::Monitor:
        loaderIdleTimer_->start(processor_.config().timing.loaderIdleMs);
        takeTerminalByte(byte);  // the monitor knows no frames
        return;
    case LoaderState::Off: break;
    }
    if (inFrame_) {
        takeFrameByte(byte);
    } else if (byte == wire::FrameStart) {
        inFrame_ = true;
        frameOverflow_ = false;
        frame_.clear();
    } else {
        takeTerminalByte(byte);
    }
}

void Rfx410::takeFrameByte(std::uint8_t byte) {
    if (byte == wire::FrameEnd) {
        endFrame();
    } else if (byte == wire::FrameStart) {
        // A frame never holds a ':'; the host gave up on the previous one and starts again.
        log("frame abandoned: :" + printable(frame_));
        frame_.clear();
        frameOverflow_ = false;
    } else if (frame_.size() >= MaxFrameLength) {
        frameOverflow_ = true;
    } else {
        frame_ += static_cast<char>(byte);
    }
}

void Rfx410::endFrame() {
    inFrame_ = false;
    Job job;
    const std::string content = std::move(frame_);
    frame_.clear();
    const std::size_t n = content.size();
    const bool digitsValid = n >= 2 && hexDigit(content[n - 2]) >= 0 && hexDigit(content[n - 1]) >= 0;
    job.text = (n >= 2 && !frameOverflow_) ? content.substr(0, n - 2) : content;
    if (frameOverflow_ || !digitsValid) {
        job.frameError = error::IllegalFormat;
    } else {
        unsigned sum = 0;
        for (unsigned char c : job.text) sum += c;
        const unsigned given = static_cast<unsigned>(hexDigit(content[n - 2]) * 16 + hexDigit(content[n - 1]));
        if ((sum & 0xFF) != given) {
            job.frameError = error::BadChecksum;
        } else if (job.text.empty()) {
            job.frameError = error::NoLettersOrNumbers;
        } else if (std::any_of(job.text.begin(), job.text.end(), [](unsigned char c) { return c < 0x20 || c >= 0x7F; })) {
            job.frameError = error::IllegalFormat;
        }
    }
    if (received_.size() >= MaxObservedCommands) received_.pop_front();
    received_.push_back(job.text);
    log("received :" + printable(job.text) + (job.frameError ? " (bad frame, error " + std::to_string(job.frameError) + ")" : ""));
    enqueue(std::move(job));
}

void Rfx410::takeTerminalByte(std::uint8_t byte) {
    std::string echoed;
    const auto line = terminal_.feed(byte, echoed);
    echo(echoed);
    if (line) takeLine(*line);
}

void Rfx410::takeLine(const std::string& typed) {
    const std::string line = normalisedLine(typed);
    if (line.empty()) return;
    log("terminal line: " + printable(line));
    if (loaderState_ == LoaderState::Monitor) {
        if (line == "S") {
            enterLoaderState(LoaderState::Erasing);
            eraseTimer_->start(processor_.config().timing.eraseMs);
            log("loader: erasing flash");
        } else if (line == "Q") {
            leaveLoader("monitor left");
            echo("RFX410 Ready\r\n");
        } else {
            echo("?\r\n");
        }
        return;
    }
    if (line == "$") {
        ++greetings_;
        log("greeting received");
        return;
    }
    if (line == "MON") {
        enterLoaderState(LoaderState::Monitor);
        echo("RFX410 Monitor\r\n");
        return;
    }
    enqueue(Job{false, line, 0});
}

void Rfx410::takeLoaderByte(std::uint8_t byte) {
    if (byte == 'S' && loader_.partialRecord().empty()) {
        ++recordNumber_;
        corruptRecord_ = silentRecord_ = false;
        for (const Fault& f : faults_.takeForRecord(recordNumber_)) {
            log("fault " + describeFault(f) + " on record " + std::to_string(recordNumber_));
            if (f.kind == FaultKind::CorruptRecord) corruptRecord_ = true;
            if (f.kind == FaultKind::SilentRecord) silentRecord_ = true;
        }
    }
    if (corruptRecord_ && loader_.expectedLength() != 0 && loader_.partialRecord().size() + 1 == loader_.expectedLength()) {
        // The record's last digit changes on its way: its checksum no longer matches.
        byte = byte == '0' ? '1' : '0';
        corruptRecord_ = false;
    }
    const SRecordLoader::Outcome outcome = loader_.feed(byte);
    if (silentRecord_ && (outcome == SRecordLoader::Outcome::Accepted || outcome == SRecordLoader::Outcome::Finished)) {
        silentRecord_ = false;
        log("loader: record " + std::to_string(recordNumber_) + " taken, not answered");
        if (outcome == SRecordLoader::Outcome::Accepted) return;
        ++upgrades_;
        processor_.noteUpgrade();
        leaveLoader("upgrade finished after " + std::to_string(loader_.acceptedCount()) + " records, not answered");
        return;
    }
    switch (outcome) {
    case SRecordLoader::Outcome::Incomplete: break;
    case SRecordLoader::Outcome::Accepted: loaderAnswer('.'); break;
    case SRecordLoader::Outcome::Finished:
        loaderAnswer('}');
        ++upgrades_;
        processor_.noteUpgrade();
        leaveLoader("upgrade finished after " + std::to_string(loader_.acceptedCount()) + " records");
        break;
    case SRecordLoader::Outcome::Failed:
        loaderAnswer('>');
        leaveLoader("bad record, upgrade abandoned");
        break;
    }
}

void Rfx410::loaderAnswer(char answer) {
    // Answers only follow records of at least ten bytes, so this stays small; the bound
    // is a guard all the same.
    if (loaderAnswers_.size() < 1024) loaderAnswers_ += answer;
    if (!loaderAnswerTimer_->isActive()) loaderAnswerTimer_->start(processor_.config().timing.recordProgramMs);
}

void Rfx410::flushLoaderAnswers() {
    std::string out;
    out.swap(loaderAnswers_);
    send(bytesOf(out));
}

void Rfx410::enterLoaderState(LoaderState state) {
    loaderState_ = state;
    terminal_.clear();
    inFrame_ = false;
    frame_.clear();
    loaderIdleTimer_->start(processor_.config().timing.loaderIdleMs);
}

void Rfx410::leaveLoader(const std::string& why) {
    if (loaderState_ != LoaderState::Off) log("loader: " + why);
    loaderState_ = LoaderState::Off;
    eraseTimer_->stop();
    loaderIdleTimer_->stop();
    loader_.restart();
    terminal_.clear();
}

void Rfx410::enqueue(Job job) {
    if (jobs_.size() >= MaxQueuedCommands) {
        log("busy: command lost: " + printable(job.text));
        return;
    }
    jobs_.push_back(std::move(job));
    startNextJob();
}

void Rfx410::startNextJob() {
    if (busy_ || jobs_.empty() || dead_) return;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    replyFramed_ = job.framed;
    std::uint32_t delayMs = 0;
    if (job.framed) {
        reply_ = framedReply(job, delayMs);
        if (dead_) return;
    } else {
        const CommandResult result = processor_.execute(job.text, uptimeMs());
        const std::string answer = readableAnswer(result) + "\r\n";
        reply_.assign(answer.begin(), answer.end());
        delayMs = result.delayMs;
    }
    jobTimer_->start(delayMs);
}

void Rfx410::finishJob() {
    busy_ = false;
    std::vector<std::uint8_t> out;
    out.swap(reply_);
    if (!out.empty()) {
        log(replyFramed_ ? "reply " + describeReply(out) : "answer " + printable(std::string(out.begin(), out.end())));
        send(out);
    }
    startNextJob();
}

std::vector<std::uint8_t> Rfx410::framedReply(const Job& job, std::uint32_t& delayMs) {
    const std::string name = job.text.substr(0, 4);
    const std::vector<Fault> applied = faults_.take(name);
    const Fault* errorFault = nullptr;
    for (const Fault& f : applied) {
        log("fault " + describeFault(f) + " on " + printable(name));
        if (f.kind == FaultKind::DeadLine) {
            killLine("dead-line fault");
            return {};
        }
        if (f.kind == FaultKind::InstrumentError) errorFault = &f;
    }

    const InstrumentTiming& timing = processor_.config().timing;
    CommandResult result;
    if (errorFault) {
        result = CommandResult::failure(errorFault->value, timing.errorMs);
    } else if (job.frameError) {
        result = CommandResult::failure(job.frameError, timing.errorMs);
    } else {
        result = processor_.execute(job.text, uptimeMs());
    }
    delayMs = result.delayMs;

    std::string replyName = result.name;
    int sizeChange = 0;
    bool badCrc = false;
    bool lost = false;
    for (const Fault& f : applied) {
        switch (f.kind) {
        case FaultKind::WrongName: replyName = !f.name.empty() ? f.name : (result.name != "GVER" ? "GVER" : "DUMP"); break;
        case FaultKind::WrongSize: sizeChange += f.value; break;
        case FaultKind::LateReply: delayMs += static_cast<std::uint32_t>(f.value); break;
        case FaultKind::BadCrc: badCrc = true; break;
        case FaultKind::NoReply: lost = true; break;
        default: break;
        }
    }

    std::vector<std::uint8_t> packet;
    switch (result.kind) {
    case CommandResult::Kind::Error: packet = wire::buildError(result.error); break;
    case CommandResult::Kind::Acknowledge: packet = wire::buildAck(replyName); break;
    case CommandResult::Kind::Data: {
        std::vector<std::uint8_t> body(replyName.begin(), replyName.end());
        body.resize(4, ' ');
        for (std::uint32_t w : result.words) wire::appendWord(body, w);
        if (sizeChange > 0) body.insert(body.end(), static_cast<std::size_t>(sizeChange), 0);
        if (sizeChange < 0) body.resize(body.size() - std::min(body.size() - 4, static_cast<std::size_t>(-sizeChange)));
        packet = wire::buildPacket(wire::DataReply, body);
        break;
    }
    }
    if (badCrc) packet = withBadCrc(packet);
    if (lost) packet.clear();
    return packet;
}

void Rfx410::echo(std::string_view text) {
    if (dead_ || text.empty()) return;
    const std::size_t room = MaxEchoBacklog - std::min(MaxEchoBacklog, echo_.size());
    echo_.append(text.substr(0, room));
    if (!echoTimer_->isActive()) echoTimer_->start(0);
}

void Rfx410::flushEcho() {
    std::string out;
    out.swap(echo_);
    send(bytesOf(out));
}

void Rfx410::killLine(const std::string& why) {
    log("line dead: " + why);
    dead_ = true;
    jobs_.clear();
    busy_ = false;
    reply_.clear();
    echo_.clear();
    loaderAnswers_.clear();
    jobTimer_->stop();
    echoTimer_->stop();
    loaderAnswerTimer_->stop();
    leaveLoader("line dead");
}

void Rfx410::reviveLine() {
    dead_ = false;
    inFrame_ = false;
    frame_.clear();
    terminal_.clear();
}

void Rfx410::send(std::span<const std::uint8_t> bytes) {
    if (dead_ || bytes.empty() || !transmitter_) return;
    transmitter_(bytes);
}

}  // namespace sim
