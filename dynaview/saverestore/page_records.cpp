#include "dynaview/saverestore/page_records.h"

#include "dynaview/saverestore/record_bytes.h"

#include <cmath>

namespace dynaview {

using namespace records;

namespace {

constexpr std::int16_t AlarmLinesCode = 100, AlarmMarksCode = 101, GridCode = 102, ScrollCode = 103, TextCode = 107;
constexpr int MaxDataSet = 199;
constexpr int MaxChannels = 32;

const char* nameOf(int type) {
    switch (type) {
    case AlarmLinesCode: return "alarm lines";
    case AlarmMarksCode: return "alarm marks";
    case GridCode: return "dynamic grid";
    case ScrollCode: return "scrolling graph";
    case TextCode: return "text";
    default: return "unknown";
    }
}

int shownCount(const Entries& enables) {
    int n = 0;
    for (std::int32_t e : enables) n += e != 0 ? 1 : 0;
    return n;
}

// The entries of the shown lines or marks, in order.
void appendShown(RecordWriter& w, const Entries& enables, const Entries& values) {
    for (int i = 0; i < EntryCount; ++i)
        if (enables[static_cast<std::size_t>(i)] != 0) w.append(values[static_cast<std::size_t>(i)]);
}

// Puts the stored values back on the shown entries; the others keep their defaults.
void readShown(const RecordReader& r, std::size_t& offset, const Entries& enables, Entries& values) {
    for (int i = 0; i < EntryCount; ++i) {
        if (enables[static_cast<std::size_t>(i)] == 0) continue;
        values[static_cast<std::size_t>(i)] = r.i32(offset);
        offset += 4;
    }
}

Entries readEntries(const RecordReader& r, std::size_t offset) {
    Entries e{};
    for (std::size_t i = 0; i < e.size(); ++i) e[i] = r.i32(offset + 4 * i);
    return e;
}

void writeEntries(RecordWriter& w, std::size_t offset, const Entries& e) {
    for (std::size_t i = 0; i < e.size(); ++i) w.i32(offset + 4 * i, e[i]);
}

std::vector<std::int32_t> readArray(const RecordReader& r, std::size_t& offset, std::size_t count) {
    std::vector<std::int32_t> values(count);
    for (auto& v : values) {
        v = r.i32(offset);
        offset += 4;
    }
    return values;
}

// count values of the array, 0 where it is short.
void appendArray(RecordWriter& w, const std::vector<std::int32_t>& values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) w.append(i < values.size() ? values[i] : 0);
}

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

std::string encode(const AlarmLinesRecord& d) {
    RecordWriter w(AlarmLinesLength);
    w.i16(0, AlarmLinesLength);
    w.i16(2, AlarmLinesCode);
    w.i16(4, d.subtype);
    w.i32(6, d.dataSet);
    writeEntries(w, 10, d.enables);
    w.i32(30, d.refreshPeriod);
    w.i32(34, d.direction);
    w.i32(38, shownCount(d.enables));
    appendShown(w, d.enables, d.widths);
    appendShown(w, d.enables, d.colours);
    appendShown(w, d.enables, d.patterns);
    return w.bytes();
}

std::string encode(const AlarmMarksRecord& d) {
    RecordWriter w(AlarmMarksLength);
    w.i16(0, AlarmMarksLength);
    w.i16(2, AlarmMarksCode);
    w.i16(4, d.subtype);
    w.i32(6, d.dataSet);
    writeEntries(w, 10, d.enables);
    w.i32(30, shownCount(d.enables));
    w.i32(34, d.lineWidth);
    w.i16(38, d.axis);
    w.i32(40, d.position);
    w.i32(44, d.markSize);
    for (std::size_t i = 0; i < d.names.size(); ++i) w.text(48 + MarkNameSize * i, MarkNameSize, d.names[i]);
    appendShown(w, d.enables, d.colours);
    return w.bytes();
}

void writeGridLine(RecordWriter& w, std::size_t offset, const GridLine& line) {
    w.i16(offset, line.style);
    w.i32(offset + 2, line.width);
    w.i32(offset + 6, line.colour);
}

GridLine readGridLine(const RecordReader& r, std::size_t offset) { return {r.i16(offset), r.i32(offset + 2), r.i32(offset + 6)}; }

std::string encode(const DynamicGridRecord& d) {
    RecordWriter w(DynamicGridLength);
    w.i16(0, DynamicGridLength);
    w.i16(2, GridCode);
    w.i16(4, d.axis);
    w.i16(6, d.period);
    w.i32(8, d.firstPresent);
    w.i32(12, d.secondPresent);
    writeGridLine(w, 16, d.first);
    writeGridLine(w, 26, d.second);
    return w.bytes();
}

std::string encode(const ScrollRecord& d) {
    RecordWriter w(ScrollLength);
    w.i16(0, ScrollLength);
    w.i16(2, ScrollCode);
    w.i16(4, d.subtype);
    w.i32(6, d.dataSet);
    w.f64(10, d.sampleInterval);
    w.f32(18, d.relativeReset);
    w.i16(22, d.direction);
    w.i16(24, d.scrollStyle);
    w.i16(26, d.traceCount);
    if (d.subtype == ScrollingBars) {
        w.i16(28, d.barArgument3);
        w.f64(30, d.barWidth);
        w.i32(38, d.barArgument8);
        w.i32(42, d.barColour);
        return w.bytes();
    }
    if (d.subtype == SweepGraph) w.i32(46, d.sweepColour);
    const auto n = static_cast<std::size_t>(std::max<std::int16_t>(d.traceCount, 0));
    appendArray(w, d.colours, n);
    appendArray(w, d.patterns, n);
    appendArray(w, d.widths, n);
    return w.bytes();
}

std::string encode(const TextRecord& d) {
    RecordWriter w(TextLength);
    w.i16(0, TextLength);
    w.i16(2, TextCode);
    w.i16(4, d.subtype);
    w.i32(6, d.dataSet);
    w.i32(10, d.channel);
    w.f64(14, d.left);
    w.f64(22, d.top);
    w.f64(30, d.width);
    w.f64(38, d.height);
    w.i32(46, d.borderPattern);
    w.i32(50, d.borderWidth);
    w.i32(54, d.background);
    w.i32(58, d.layout);
    w.i32(62, d.argument62);
    if (d.subtype == AlarmText) {
        w.i16(70, -1);
        w.text(80, NormalMessageSize, d.normalMessage);
        w.i32(94, d.textAttributes);
        appendArray(w, d.colours, AlarmTextColours);
        return w.bytes();
    }
    w.i32(66, d.precision);
    w.i16(70, d.colourSource);
    w.i32(72, d.marginStyle);
    // With a colour source the colours come from that object: none follow.
    const std::size_t n = d.colourSource == 0 ? d.colours.size() : 0;
    w.i32(76, static_cast<std::int32_t>(n));
    appendArray(w, d.colours, n);
    return w.bytes();
}

class Decoder {
public:
    Decoder(int type, std::string_view bytes, std::string& why) : type_(type), bytes_(bytes), r_(bytes), why_(why) {}

    // Checks the fixed part and gives the number of array values after it.
    std::optional<std::size_t> arrayValues() {
        const std::size_t fixed = FixedPartLength(type_);
        if (fixed == 0) return fail("objects of type " + std::to_string(type_) + " have no saved form");
        if (bytes_.size() < 4) return cutShort();
        if (r_.u16(0) != fixed)
            return fail("the " + std::string(nameOf(type_)) + " record gives its length as " + std::to_string(r_.u16(0)) +
                        ", not " + std::to_string(fixed));
        if (r_.i16(2) != type_) return fail("a record of type " + std::to_string(type_) + " says it is of type " + std::to_string(r_.i16(2)));
        if (bytes_.size() < fixed) return cutShort();
        switch (type_) {
        case AlarmLinesCode: return entryArrays(38, 3);
        case AlarmMarksCode: {
            const auto n = entryArrays(30, 1);
            if (!n) return n;
            std::string name;
            for (std::size_t i = 0; i < EntryCount; ++i)
                if (!r_.text(48 + MarkNameSize * i, MarkNameSize, name)) return damaged("a mark name without its end");
            if (r_.i16(38) < 1) return damaged("no axis object");
            return n;
        }
        case GridCode:
            if (r_.i16(4) < 1) return damaged("no axis object");
            return 0;
        case ScrollCode: {
            const std::int16_t subtype = r_.i16(4);
            if (subtype != ScrollingGraph && subtype != ScrollingBars && subtype != SweepGraph && subtype != LogicGraph &&
                subtype != VariableScroll && subtype != StackedGraph)
                return damaged("unknown subtype " + std::to_string(subtype));
            if (!dataSetOk()) return std::nullopt;
            const std::int16_t n = r_.i16(26);
            if (n < 0 || n > MaxChannels) return damaged(std::to_string(n) + " traces");
            if (!finite({r_.f64(10), r_.f32(18)}) || (subtype == ScrollingBars && !finite({r_.f64(30)})))
                return damaged("a number that is not finite");
            return subtype == ScrollingBars ? 0 : 3 * static_cast<std::size_t>(n);
        }
        case TextCode: {
            const std::int16_t subtype = r_.i16(4);
            if (subtype != DynamicText && subtype != AlarmText) return damaged("unknown subtype " + std::to_string(subtype));
            if (!dataSetOk()) return std::nullopt;
            if (!finite({r_.f64(14), r_.f64(22), r_.f64(30), r_.f64(38)})) return damaged("a rectangle that is not finite");
            if (subtype == AlarmText) {
                std::string message;
                if (!r_.text(80, NormalMessageSize, message)) return damaged("a Normal message without its end");
                return AlarmTextColours;
            }
            const std::int16_t source = r_.i16(70);
            if (source < 0) return damaged("colour source " + std::to_string(source));
            if (source != 0) return 0;
            const std::int32_t n = r_.i32(76);
            if (n < 0 || n > MaxChannels) return damaged(std::to_string(n) + " colours");
            return static_cast<std::size_t>(n);
        }
        default: return fail("objects of type " + std::to_string(type_) + " have no saved form");
        }
    }

    std::optional<PageRecord> record() {
        const auto values = arrayValues();
        if (!values) return std::nullopt;
        const std::size_t whole = FixedPartLength(type_) + 4 * *values;
        if (bytes_.size() < whole) return cutShort();
        if (bytes_.size() > whole) return fail("unexpected bytes after the " + std::string(nameOf(type_)) + " record");
        std::size_t at = FixedPartLength(type_);
        switch (type_) {
        case AlarmLinesCode: {
            AlarmLinesRecord d;
            d.subtype = r_.i16(4);
            d.dataSet = r_.i32(6);
            d.enables = readEntries(r_, 10);
            d.refreshPeriod = r_.i32(30);
            d.direction = r_.i32(34);
            readShown(r_, at, d.enables, d.widths);
            readShown(r_, at, d.enables, d.colours);
            readShown(r_, at, d.enables, d.patterns);
            return d;
        }
        case AlarmMarksCode: {
            AlarmMarksRecord d;
            d.subtype = r_.i16(4);
            d.dataSet = r_.i32(6);
            d.enables = readEntries(r_, 10);
            d.lineWidth = r_.i32(34);
            d.axis = r_.i16(38);
            d.position = r_.i32(40);
            d.markSize = r_.i32(44);
            for (std::size_t i = 0; i < d.names.size(); ++i) r_.text(48 + MarkNameSize * i, MarkNameSize, d.names[i]);
            readShown(r_, at, d.enables, d.colours);
            return d;
        }
        case GridCode: {
            DynamicGridRecord d;
            d.axis = r_.i16(4);
            d.period = r_.i16(6);
            d.firstPresent = r_.i32(8);
            d.secondPresent = r_.i32(12);
            d.first = readGridLine(r_, 16);
            d.second = readGridLine(r_, 26);
            return d;
        }
        case ScrollCode: {
            ScrollRecord d;
            d.subtype = r_.i16(4);
            d.dataSet = r_.i32(6);
            d.sampleInterval = r_.f64(10);
            d.relativeReset = r_.f32(18);
            d.direction = r_.i16(22);
            d.scrollStyle = r_.i16(24);
            d.traceCount = r_.i16(26);
            if (d.subtype == ScrollingBars) {
                d.barArgument3 = r_.i16(28);
                d.barWidth = r_.f64(30);
                d.barArgument8 = r_.i32(38);
                d.barColour = r_.i32(42);
                return d;
            }
            if (d.subtype == SweepGraph) d.sweepColour = r_.i32(46);
            const auto n = static_cast<std::size_t>(d.traceCount);
            d.colours = readArray(r_, at, n);
            d.patterns = readArray(r_, at, n);
            d.widths = readArray(r_, at, n);
            return d;
        }
        default: {
            TextRecord d;
            d.subtype = r_.i16(4);
            d.dataSet = r_.i32(6);
            d.channel = r_.i32(10);
            d.left = r_.f64(14);
            d.top = r_.f64(22);
            d.width = r_.f64(30);
            d.height = r_.f64(38);
            d.borderPattern = r_.i32(46);
            d.borderWidth = r_.i32(50);
            d.background = r_.i32(54);
            d.layout = r_.i32(58);
            d.argument62 = r_.i32(62);
            if (d.subtype == AlarmText) {
                r_.text(80, NormalMessageSize, d.normalMessage);
                d.textAttributes = r_.i32(94);
            } else {
                d.precision = r_.i32(66);
                d.colourSource = r_.i16(70);
                d.marginStyle = r_.i32(72);
            }
            d.colours = readArray(r_, at, *values);
            return d;
        }
        }
    }

private:
    std::nullopt_t fail(std::string why) {
        why_ = std::move(why);
        return std::nullopt;
    }
    std::nullopt_t cutShort() { return fail("the " + std::string(nameOf(type_)) + " record is cut short"); }
    std::nullopt_t damaged(const std::string& what) { return fail("damaged " + std::string(nameOf(type_)) + " record: " + what); }

    bool dataSetOk() {
        const std::int32_t set = r_.i32(6);
        if (set >= 1 && set <= MaxDataSet) return true;
        damaged("data set " + std::to_string(set));
        return false;
    }

    // Lines and marks: the count at countOffset must be that of the non-zero enables.
    std::optional<std::size_t> entryArrays(std::size_t countOffset, std::size_t arrays) {
        if (!dataSetOk()) return std::nullopt;
        const std::int32_t n = r_.i32(countOffset);
        const int shown = shownCount(readEntries(r_, 10));
        if (n != shown) return damaged(std::to_string(n) + " entries stored for " + std::to_string(shown) + " shown");
        return arrays * static_cast<std::size_t>(n);
    }

    int type_;
    std::string_view bytes_;
    RecordReader r_;
    std::string& why_;
};

}  // namespace

bool HasSavedForm(int type) { return FixedPartLength(type) != 0; }

std::size_t FixedPartLength(int type) {
    switch (type) {
    case AlarmLinesCode: return AlarmLinesLength;
    case AlarmMarksCode: return AlarmMarksLength;
    case GridCode: return DynamicGridLength;
    case ScrollCode: return ScrollLength;
    case TextCode: return TextLength;
    default: return 0;
    }
}

std::string EncodeRecord(const PageRecord& record) {
    return std::visit([](const auto& d) { return encode(d); }, record);
}

std::int16_t RecordType(const PageRecord& record) {
    static constexpr std::int16_t codes[] = {AlarmLinesCode, AlarmMarksCode, GridCode, ScrollCode, TextCode};
    return codes[record.index()];
}

std::optional<std::size_t> ArrayBytesAfter(int type, std::string_view fixedPart, std::string& why) {
    const auto values = Decoder(type, fixedPart, why).arrayValues();
    if (!values) return std::nullopt;
    return 4 * *values;
}

std::optional<PageRecord> DecodeRecord(int type, std::string_view bytes, std::string& why) { return Decoder(type, bytes, why).record(); }

}  // namespace dynaview
