#pragma once
// The records dynaview's objects leave in plotbase's page files: alarm lines (100), alarm
// marks (101), dynamic grids (102), the scrolling-graph family (103) and text objects
// (107). These layouts are a file format shared by every build: little-endian, a fixed part
// whose first two fields are its own length and the type, bytes no type fills written as
// zero, then the arrays of 32-bit values whose lengths the fixed part gives (not counted in
// its length). Lines and marks keep only the entries whose enable value is non-zero.
//
// Encoding gives the whole record; decoding checks a whole record (fixed part and arrays,
// nothing after them) and says what is wrong with one that is not sound.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dynaview {

namespace records {

constexpr std::size_t AlarmLinesLength = 44;
constexpr std::size_t AlarmMarksLength = 109;
constexpr std::size_t DynamicGridLength = 38;
constexpr std::size_t ScrollLength = 52;
constexpr std::size_t TextLength = 100;

constexpr int EntryCount = 5;  // lines and marks: 0 setpoint, 1 High, 2 Low, 3 High-high, 4 Low-low
using Entries = std::array<std::int32_t, EntryCount>;
constexpr std::size_t MarkNameSize = 12;     // a mark's name field, NUL included
constexpr std::size_t NormalMessageSize = 14;  // the alarm text's Normal message field
constexpr int AlarmTextColours = 8;

// The subtypes of the scrolling-graph family and of text objects that have a saved form.
enum ScrollSubtype : std::int16_t { ScrollingGraph = 1, ScrollingBars = 2, SweepGraph = 3, LogicGraph = 4, VariableScroll = 5, StackedGraph = 7 };
enum TextSubtype : std::int16_t { DynamicText = 1, AlarmText = 6 };

}  // namespace records

// Entries of lines and marks that are not shown are not stored; a decoded record gives
// them these defaults.
struct AlarmLinesRecord {
    std::int16_t subtype = 0;
    std::int32_t dataSet = 0;
    records::Entries enables{};
    std::int32_t refreshPeriod = 0;  // seconds
    std::int32_t direction = 1;
    records::Entries widths{1, 1, 1, 1, 1};
    records::Entries colours{2, 4, 1, 12, 9};
    records::Entries patterns{};
    bool operator==(const AlarmLinesRecord&) const = default;
};

struct AlarmMarksRecord {
    std::int16_t subtype = 0;
    std::int32_t dataSet = 0;
    records::Entries enables{};
    std::int32_t lineWidth = 1;
    std::int16_t axis = 0;  // the axis object's index in the graph
    std::int32_t position = 0;
    std::int32_t markSize = 8;
    std::array<std::string, records::EntryCount> names;  // at most 11 characters each
    records::Entries colours{2, 4, 1, 12, 9};
    bool operator==(const AlarmMarksRecord&) const = default;
};

struct GridLine {
    std::int16_t style = 0;
    std::int32_t width = 1;
    std::int32_t colour = 0;
    bool operator==(const GridLine&) const = default;
};

struct DynamicGridRecord {
    std::int16_t axis = 0;    // the axis object's index in the graph
    std::int16_t period = 0;  // refresh period in seconds
    std::int32_t firstPresent = 0;
    std::int32_t secondPresent = 0;
    GridLine first;
    GridLine second;
    bool operator==(const DynamicGridRecord&) const = default;
};

struct ScrollRecord {
    std::int16_t subtype = records::ScrollingGraph;
    std::int32_t dataSet = 0;
    double sampleInterval = 0.0;
    float relativeReset = 0.0f;
    std::int16_t direction = 0;
    std::int16_t scrollStyle = 0;
    std::int16_t traceCount = 0;
    // Scrolling bars only.
    std::int16_t barArgument3 = 0;  // the creator's third argument
    double barWidth = 0.0;          // world units along the scrolling direction
    std::int32_t barArgument8 = 0;  // the creator's eighth argument
    std::int32_t barColour = 0;
    // Sweep graphs only.
    std::int32_t sweepColour = 0;
    // One per trace, in trace order; none for scrolling bars.
    std::vector<std::int32_t> colours, patterns, widths;
    bool operator==(const ScrollRecord&) const = default;
};

struct TextRecord {
    std::int16_t subtype = records::AlarmText;
    std::int32_t dataSet = 0;
    std::int32_t channel = 0;
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    std::int32_t borderPattern = -1;  // -1: no border
    std::int32_t borderWidth = 0;
    std::int32_t background = 0;
    std::int32_t layout = 0;
    // Dynamic text: the creator's argument between layout and precision; alarm text: its
    // last argument (the text size).
    std::int32_t argument62 = 0;
    // Dynamic text only.
    std::int32_t precision = 0;
    std::int16_t colourSource = 0;  // the object's index in the graph, 0: none
    std::int32_t marginStyle = 0;
    // Alarm text only.
    std::string normalMessage;        // at most 13 characters
    std::int32_t textAttributes = 0;  // the text style
    // Alarm text: eight, one per alarm kind (High ... Fail, Normal). Dynamic text: one per
    // channel when there is no colour source, else none.
    std::vector<std::int32_t> colours;
    bool operator==(const TextRecord&) const = default;
};

using PageRecord = std::variant<AlarmLinesRecord, AlarmMarksRecord, DynamicGridRecord, ScrollRecord, TextRecord>;

// Whether objects of the type have a record at all.
bool HasSavedForm(int type);
// The length of the type's fixed part, 0 for a type without a saved form.
std::size_t FixedPartLength(int type);

// The whole record.
std::string EncodeRecord(const PageRecord& record);
// How many bytes of arrays follow a fixed part of the type (the fixed part is whole and its
// length and type fields are checked), or nothing with the reason.
std::optional<std::size_t> ArrayBytesAfter(int type, std::string_view fixedPart, std::string& why);
// A whole record of the type (plotbase keeps the type beside the record as well), or
// nothing with the reason.
std::optional<PageRecord> DecodeRecord(int type, std::string_view bytes, std::string& why);

// The type code a record is written under.
std::int16_t RecordType(const PageRecord& record);

}  // namespace dynaview
