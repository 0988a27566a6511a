#include "mux/mux_setup.h"

#include "platform/atomic_file.h"

namespace mux {

void MuxSetup::TakeSnapshot() {
    snapshot_ = files::EncodeMuxLines(tree_.ToLines());
    snapshotQrb_ = QrbAddress;
}

void MuxSetup::RestoreSnapshot() {
    // The snapshot was written from a tree, so it reads back whole.
    tree_.FromLines(files::DecodeMuxLines(snapshot_).lines);
    tree_.RebuildProbeFlags();
    QrbAddress = snapshotQrb_;
}

std::optional<std::string> MuxSetup::LoadAutomaticFile() {
    const auto path = AutomaticFilePath();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    const files::MuxReadResult read = files::LoadMuxFile(path);
    tree_.FromLines(read.lines);
    tree_.RebuildProbeFlags();
    if (!read.error) return std::nullopt;
    if (read.errorLine == 0) return *read.error + " The multiplexer setup is empty.";
    return "Line " + std::to_string(read.errorLine) + " of " + path.string() + " was refused: " + *read.error +
           ". The multiplexer setup holds the " + std::to_string(read.lines.size()) +
           (read.lines.size() == 1 ? " channel" : " channels") + " read before it.";
}

bool MuxSetup::SaveAutomaticFile(std::string& error, platform::FileCalls& calls) {
    return files::SaveMuxFile(AutomaticFilePath(), tree_.ToLines(), error, calls);
}

bool MuxSetup::SaveAutomaticFile(std::string& error) {
    return SaveAutomaticFile(error, platform::systemFileCalls());
}

std::optional<std::string> MuxSetup::LoadFile(const std::filesystem::path& path) {
    const files::MuxReadResult read = files::LoadMuxFile(path);
    if (read.error && read.errorLine == 0) return read.error;  // not opened: the tree stays
    tree_.FromLines(read.lines);
    tree_.RebuildProbeFlags();
    if (read.error) return *read.error + " (line " + std::to_string(read.errorLine) + " of " + path.string() + ")";
    return std::nullopt;
}

bool MuxSetup::SaveFile(const std::filesystem::path& path, std::string& error) const {
    return files::SaveMuxFile(path, tree_.ToLines(), error);
}

}  // namespace mux
