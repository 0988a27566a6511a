#pragma once
// Multiplexer setup files (*.MUX and "mux.sav"): the multiplexer tree as indented text,
// one line per node in tree order (a node, its children, then its next sibling). A line
// is one TAB per level below the top, the node's text, then CR LF (the last line too); an
// empty tree is an empty file.
//
// The tree is handed over flat, as its lines in tree order with their depths (0 for a
// top-level node), which is all the format holds.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class FileCalls;
}

namespace files {

struct MuxLine {
    int depth = 0;     // 0 top level, 1 below it, ...
    std::string text;  // single-byte characters, as stored
    bool operator==(const MuxLine&) const = default;
};

// The file's bytes for a tree. Nothing is checked: what the tree holds is written.
std::string EncodeMuxLines(const std::vector<MuxLine>& lines);

struct MuxReadResult {
    std::vector<MuxLine> lines;  // the nodes read, in tree order (up to a bad line)
    std::optional<std::string> error;
    int errorLine = 0;           // 1-based line of the file the error stands on
};

// Reads a file's bytes. Lines end at CR LF, a lone CR or a lone LF; each leading TAB or
// space counts one level; the first line is a top-level node whatever its indentation; an
// empty line is a node with an empty text. A line more than one level deeper than the
// node before it stops the reading with "Invalid level (%d) for item "<text>"".
MuxReadResult DecodeMuxLines(std::string_view bytes);

// Whole-file save (replaced atomically) and load. A file that cannot be read gives an
// error and no lines.
bool SaveMuxFile(const std::filesystem::path& path, const std::vector<MuxLine>& lines, std::string& error);
bool SaveMuxFile(const std::filesystem::path& path, const std::vector<MuxLine>& lines, std::string& error,
                 platform::FileCalls& calls);
MuxReadResult LoadMuxFile(const std::filesystem::path& path);

}  // namespace files
