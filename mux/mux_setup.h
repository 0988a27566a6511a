#pragma once
// The multiplexer setup as the program keeps it: the tree, the RFX410's QRB address, the
// snapshot the setup dialog restores on Cancel, and the automatic file "mux.sav" in the
// start directory that carries the tree from one run to the next.

#include "mux/mux_tree.h"

#include <filesystem>
#include <optional>
#include <string>

namespace platform {
class FileCalls;
}

namespace mux {

inline constexpr const char* AutomaticSetupFile = "mux.sav";
inline constexpr const char* DefaultQrbAddress = "00";

class MuxSetup {
public:
    explicit MuxSetup(std::filesystem::path startDirectory) : startDirectory_(std::move(startDirectory)) {}

    MuxTree& Tree() { return tree_; }
    const MuxTree& Tree() const { return tree_; }
    std::filesystem::path AutomaticFilePath() const { return startDirectory_ / AutomaticSetupFile; }

    // The QRB address text as the user typed it ("00" unless changed).
    std::string QrbAddress = DefaultQrbAddress;

    // The dialog's snapshot: the tree in the setup file's format, and the QRB address.
    void TakeSnapshot();
    // Rebuilds the tree from the snapshot, with its probe flags; nothing is selected.
    void RestoreSnapshot();

    // "mux.sav" at start-up, when it exists: the tree with its probe flags. A damaged file
    // gives the nodes before the bad line and a message naming the line and the file.
    std::optional<std::string> LoadAutomaticFile();
    // "mux.sav" as the dialog closes. False with error when it cannot be written (the old
    // file stays whole).
    bool SaveAutomaticFile(std::string& error);
    bool SaveAutomaticFile(std::string& error, platform::FileCalls& calls);

    // A setup file chosen by the user. Loading replaces the tree by what the file holds (up
    // to a bad line) and rebuilds the probe flags; the error, if any, is returned.
    std::optional<std::string> LoadFile(const std::filesystem::path& path);
    bool SaveFile(const std::filesystem::path& path, std::string& error) const;

private:
    MuxTree tree_;
    std::filesystem::path startDirectory_;
    std::string snapshot_;
    std::string snapshotQrb_ = DefaultQrbAddress;
};

}  // namespace mux
