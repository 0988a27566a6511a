#include "link/os_upgrade.h"

#include "platform/serial_port.h"

#include <filesystem>
#include <system_error>

namespace instrument {

namespace {

bool IsFile(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(std::filesystem::path(name), error);
}

}  // namespace

OsUpgrade::OsUpgrade(TTDRdataObject& link, platform::Platform& platform, OsUpgradeView& view)
    : link_(link), platform_(platform), view_(view) {
    step_ = platform_.clock.createTimer(platform::TimerKind::SingleShot, [this] {
        if (phase_ == Phase::Monitor) EnterLoader();
        else if (phase_ == Phase::Loader) ListenForAnswer();
    });
    timeOut_ = platform_.clock.createTimer(platform::TimerKind::SingleShot, [this] { TimeOutTimer(); });
}

OsUpgrade::~OsUpgrade() { StopEverything(); }

bool OsUpgrade::Busy() const {
    return phase_ == Phase::Monitor || phase_ == Phase::Loader || phase_ == Phase::Erasing ||
           phase_ == Phase::Transferring;
}

void OsUpgrade::FormShow() {
    transferring_ = false;
    records_.clear();
}

void OsUpgrade::FormHide() {
    StopEverything();
    phase_ = Phase::Idle;
    transferring_ = false;
    records_.clear();
    records_.shrink_to_fit();
}

void OsUpgrade::StopEverything() {
    step_->stop();
    timeOut_->stop();
    // The collector is the driver's; only stop it while it is ours.
    if (phase_ != Phase::Idle)
        if (platform::PacketCollector* collector = link_.Driver().Collector()) collector->disable();
}

bool OsUpgrade::Start(const std::string& fileName) {
    if (Busy()) return false;
    sent_ = 0;
    transferring_ = false;
    phase_ = Phase::Idle;
    if (!IsFile(fileName)) {
        platform_.tones.messageBeep(platform::Tones::Default);
        platform_.dialogs.message(OsUpgradeText::FileMissing, platform::MessageKind::Error);
        return false;
    }
    // Every record is checked before anything is sent: the loader erases the flash first.
    OsFileCheck check;
    std::string error;
    if (!LoadOsFile(fileName, check, error)) {
        platform_.dialogs.message(std::string(OsUpgradeText::Unreadable) + "\r\n" + error, platform::MessageKind::Error);
        return false;
    }
    if (!check.ok()) {
        platform_.dialogs.message(std::string(OsUpgradeText::ChecksumFailed) + "\r\n" + DescribeBadRecord(check),
                                  platform::MessageKind::Error);
        return false;
    }
    if (check.records.empty()) {
        platform_.dialogs.message(OsUpgradeText::NoRecords, platform::MessageKind::Error);
        return false;
    }
    platform::SerialPort* port = link_.Driver().Port();
    if (!link_.Connected() || !port || !port->isOpen() || !link_.Driver().Collector()) {
        platform_.dialogs.message(OsUpgradeText::NotConnected, platform::MessageKind::Error);
        return false;
    }
    records_ = std::move(check.records);

    view_.EnableButtons(false);
    recordCount_ = static_cast<std::int32_t>(records_.size());
    phase_ = Phase::Monitor;
    if (!port->writeString("MON\r")) {
        End(std::string(OsUpgradeText::WriteFailed) + "\r\n" + port->lastError(), platform::MessageKind::Error);
        return false;
    }
    step_->start(StepWaitMs);
    return true;
}

void OsUpgrade::EnterLoader() {
    platform::SerialPort* port = link_.Driver().Port();
    phase_ = Phase::Loader;
    if (!port || !port->writeString("S") || !port->writeString("\r")) {
        End(std::string(OsUpgradeText::WriteFailed) + (port ? "\r\n" + port->lastError() : std::string()),
            platform::MessageKind::Error);
        return;
    }
    view_.ShowErasing(true);
    step_->start(StepWaitMs);
}

void OsUpgrade::ListenForAnswer() {
    platform::SerialPort* port = link_.Driver().Port();
    platform::PacketCollector* collector = link_.Driver().Collector();
    if (!port || !collector) {
        End(OsUpgradeText::Disconnected, platform::MessageKind::Error);
        return;
    }
    // What the monitor echoed and said meanwhile is not the loader's answer.
    port->flushInput();
    phase_ = Phase::Erasing;
    collector->setStartAnyByte();
    collector->setEndSize(1);
    collector->setHandler([this](const std::uint8_t* data, std::size_t size) {
        if (size > 0) ByteReceived(data[0]);
    });
    collector->enable();
    timeOut_->start(EraseTimeoutMs);
    progress_ = 0;
    sent_ = 0;
}

void OsUpgrade::WriteRecord(std::int32_t number) {
    platform::SerialPort* port = link_.Driver().Port();
    if (!port || !port->writeString(records_[static_cast<std::size_t>(number - 1)])) {
        End(std::string(OsUpgradeText::WriteFailed) + (port ? "\r\n" + port->lastError() : std::string()),
            platform::MessageKind::Error);
        return;
    }
    sent_ = number;
}

void OsUpgrade::ByteReceived(std::uint8_t byte) {
    platform::PacketCollector* collector = link_.Driver().Collector();
    if (!transferring_) {
        if (phase_ != Phase::Erasing) return;
        // Anything but ENQ while the flash is erased is left alone, and nothing more is
        // listened to: the 20 s time-out ends the upgrade.
        if (byte != Enquiry) return;
        transferring_ = true;
        phase_ = Phase::Transferring;
        timeOut_->stop();
        view_.ShowErasing(false);
        if (!records_.empty() && sent_ < recordCount_) {
            WriteRecord(1);
            if (phase_ != Phase::Transferring) return;
        }
        timeOut_->start(RecordTimeoutMs);
        if (collector) collector->enable();
        return;
    }

    if (byte == '.') {
        if (!records_.empty() && sent_ < recordCount_) {
            timeOut_->stop();
            WriteRecord(sent_ + 1);
            if (phase_ != Phase::Transferring) return;
            progress_ += 1;
            // Records after the first, as a whole percentage (exact integer arithmetic).
            view_.SetProgress(static_cast<int>(static_cast<std::int64_t>(progress_) * 100 / recordCount_));
            if (collector) collector->enable();
            timeOut_->start(RecordTimeoutMs);
            return;
        }
        // An acknowledgement after the last record: the file had no end record.
        transferring_ = false;
        timeOut_->stop();
        phase_ = Phase::Stuck;
        platform_.dialogs.message(OsUpgradeText::AckAfterLast, platform::MessageKind::Error);
        return;
    }

    timeOut_->stop();
    if (byte == '}') End(OsUpgradeText::Succeeded, platform::MessageKind::Information);
    else if (byte == '>') End(OsUpgradeText::Failed, platform::MessageKind::Error);
    else End(OsUpgradeText::Unexpected, platform::MessageKind::Error);
}

void OsUpgrade::TimeOutTimer() {
    if (!Busy()) return;
    End(OsUpgradeText::TimedOut, platform::MessageKind::Error);
}

void OsUpgrade::LinkLost() {
    if (Busy()) End(OsUpgradeText::Disconnected, platform::MessageKind::Error);
}

void OsUpgrade::End(const std::string& message, platform::MessageKind kind) {
    StopEverything();
    phase_ = Phase::Idle;
    transferring_ = false;
    platform_.dialogs.message(message, kind);
    view_.CloseWithOk();
    view_.EnableButtons(true);
    view_.SetProgress(0);
}

}  // namespace instrument
