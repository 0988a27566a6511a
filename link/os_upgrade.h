#pragma once
// Replacing the instrument's operating system from an S-record file: every record is
// checked first; then "MON" puts the instrument into its monitor and "S" starts its loader,
// which erases the flash memory and answers ENQ; then the records go out one at a time,
// each after the instrument acknowledged the one before ("."), until it reports the end
// ("}") or a failure (">"). It writes to the port directly and borrows the protocol
// driver's packet collector for single bytes; the caller gives the collector back to the
// protocol afterwards (RestoreFraming). The waits run on the platform clock, so the window
// keeps painting; no widgets here: the dialog binds it to its controls.

#include "link/data_object.h"
#include "link/os_file.h"

#include "platform/platform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace instrument {

// Messages of the upgrade.
namespace OsUpgradeText {
inline constexpr const char* FileMissing = "Error: Selected file does NOT exist!";
inline constexpr const char* ChecksumFailed = "ERROR: CheckSum of Operating System Record Failed!";
inline constexpr const char* TimedOut = "ERROR: Timed Out waiting for response from RFX410, check connection!";
inline constexpr const char* AckAfterLast = "Unexpected error with S-record list from OS file.";
inline constexpr const char* Succeeded = "Successful Operating System Transfer!";
inline constexpr const char* Failed = "Error: Operating System Transfer FAILED!";
inline constexpr const char* Unexpected = "Unexpected Error during OS transfer!";
inline constexpr const char* NoRecords = "Error: Selected file holds no Operating System records!";
inline constexpr const char* Unreadable = "Error: Selected file cannot be read!";
inline constexpr const char* NotConnected = "ERROR: Initiating Operating System Transfer = COMM PORT NOT OPEN";
inline constexpr const char* WriteFailed = "ERROR: Writing to the RFX410 failed, Operating System Transfer stopped!";
inline constexpr const char* Disconnected = "ERROR: RFX410 disconnected, Operating System Transfer stopped!";
}  // namespace OsUpgradeText

// What the upgrade does to its dialog.
class OsUpgradeView {
public:
    virtual ~OsUpgradeView() = default;
    virtual void ShowErasing(bool visible) = 0;         // "Erasing Flash Memory "
    virtual void SetProgress(int percent) = 0;          // the progress bar, 0 to 100
    virtual void EnableButtons(bool enabled) = 0;       // OK, Cancel and Browse
    virtual void CloseWithOk() = 0;
};

class OsUpgrade {
public:
    static constexpr std::uint32_t StepWaitMs = 500;
    static constexpr std::uint32_t EraseTimeoutMs = 20000;
    static constexpr std::uint32_t RecordTimeoutMs = 3000;
    static constexpr std::uint8_t Enquiry = 0x05;

    enum class Phase {
        Idle,          // dialog open, nothing sent (or the transfer ended)
        Monitor,       // "MON" sent, waiting 500 ms
        Loader,        // "S" sent, waiting 500 ms
        Erasing,       // waiting up to 20 s for ENQ
        Transferring,  // up to 3 s per acknowledgement
        Stuck,         // "." after the last record: buttons stay off until the dialog is closed
    };

    OsUpgrade(TTDRdataObject& link, platform::Platform& platform, OsUpgradeView& view);
    ~OsUpgrade();
    OsUpgrade(const OsUpgrade&) = delete;
    OsUpgrade& operator=(const OsUpgrade&) = delete;

    // Dialog events.
    void FormShow();
    void FormHide();
    // OK: checks the file, then starts the transfer (false when it did not start).
    bool Start(const std::string& fileName);
    void TimeOutTimer();
    void ByteReceived(std::uint8_t byte);
    // The serial device went away: a transfer under way ends at once.
    void LinkLost();

    // From "MON" to the final answer: the dialog may not be closed meanwhile (the time-outs
    // end every wait).
    bool Busy() const;
    Phase CurrentPhase() const { return phase_; }
    bool Transferring() const { return transferring_; }
    const std::vector<std::string>& Records() const { return records_; }
    std::int32_t RecordCount() const { return recordCount_; }
    std::int32_t Sent() const { return sent_; }
    float Progress() const { return progress_; }

private:
    void EnterLoader();
    void ListenForAnswer();
    void WriteRecord(std::int32_t number);
    void End(const std::string& message, platform::MessageKind kind);
    void StopEverything();

    TTDRdataObject& link_;
    platform::Platform& platform_;
    OsUpgradeView& view_;
    std::unique_ptr<platform::Timer> step_;
    std::unique_ptr<platform::Timer> timeOut_;
    Phase phase_ = Phase::Idle;
    bool transferring_ = false;
    std::vector<std::string> records_;
    std::int32_t recordCount_ = 0;
    std::int32_t sent_ = 0;
    float progress_ = 0;
};

}  // namespace instrument
