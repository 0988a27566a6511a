#include "files/mux_file.h"

#include "platform/atomic_file.h"

namespace files {

namespace {

// Far more than three levels of eight channels need (about 15 KB): a file this large is
// not a multiplexer setup.
constexpr std::size_t MaxFileBytes = 4 << 20;

}  // namespace

std::string EncodeMuxLines(const std::vector<MuxLine>& lines) {
    std::string out;
    for (const MuxLine& line : lines) {
        out.append(static_cast<std::size_t>(line.depth < 0 ? 0 : line.depth), '\t');
        out += line.text;
        out += "\r\n";
    }
    return out;
}

MuxReadResult DecodeMuxLines(std::string_view bytes) {
    MuxReadResult result;
    std::size_t pos = 0;
    int lineNumber = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        std::string_view line = bytes.substr(pos, end - pos);
        // The line ends at CR LF, a lone CR or a lone LF.
        pos = end;
        if (pos < bytes.size()) {
            if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') pos += 2;
            else pos += 1;
        }
        ++lineNumber;
        std::size_t indent = 0;
        while (indent < line.size() && (line[indent] == '\t' || line[indent] == ' ')) ++indent;
        const std::string text(line.substr(indent));
        // Levels beyond any int are as wrong as one level too deep.
        const int level = indent > 1000000 ? 1000000 : static_cast<int>(indent);
        if (result.lines.empty()) {
            result.lines.push_back({0, text});
            continue;
        }
        const int previous = result.lines.back().depth;
        if (level > previous + 1) {
            result.error = "Invalid level (" + std::to_string(level) + ") for item \"" + text + "\"";
            result.errorLine = lineNumber;
            return result;
        }
        // Same level: a sibling; one deeper: a child; shallower: a sibling of the ancestor
        // at that level. In each case the node's depth is the line's level.
        result.lines.push_back({level, text});
    }
    return result;
}

bool SaveMuxFile(const std::filesystem::path& path, const std::vector<MuxLine>& lines, std::string& error,
                 platform::FileCalls& calls) {
    return platform::writeFileAtomically(path, EncodeMuxLines(lines), error, calls);
}

bool SaveMuxFile(const std::filesystem::path& path, const std::vector<MuxLine>& lines, std::string& error) {
    return SaveMuxFile(path, lines, error, platform::systemFileCalls());
}

MuxReadResult LoadMuxFile(const std::filesystem::path& path) {
    MuxReadResult result;
    std::string error;
    const auto bytes = platform::readWholeFile(path, MaxFileBytes, error);
    if (!bytes) {
        result.error = error;
        return result;
    }
    return DecodeMuxLines(*bytes);
}

}  // namespace files
