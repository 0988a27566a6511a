#include "cli/reply_report.h"

#include "cli/json_text.h"
#include "link/command_set.h"

#include <cstdio>

namespace cli {

namespace {

// Floats in the shortest form that reads back as the same single-precision value.
std::string real(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

std::string hexWord(std::uint32_t w) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", w);
    return buf;
}

// Raw words print as hexadecimal, which is not a JSON number.
bool isNumber(const std::string& value) { return value.rfind("0x", 0) != 0; }

}  // namespace

std::vector<std::pair<std::string, std::string>> ReplyFields(const instrument::TTDRdataObject& d, const std::string& name) {
    const auto& s = d.Settings;
    if (name == "DUMP")
        return {{"Vp", real(s.Vp)},
                {"Averages", std::to_string(s.Averages)},
                {"Points", std::to_string(s.Points)},
                {"WinStart", real(s.WinStart)},
                {"WinLgt", real(s.WinLgt)},
                {"ProbeLgt", real(s.ProbeLgt)},
                {"ProbeOffset", real(s.ProbeOffset)},
                {"DumpWord8", hexWord(s.DumpWord8)},
                {"DumpWord9", hexWord(s.DumpWord9)}};
    if (name == "GTIM")
        return {{"Times1", hexWord(d.Times.Word1)},
                {"WaveformSeconds", real(d.Times.WaveformSeconds)},
                {"WaterContentSeconds", real(d.Times.WaterContentSeconds)}};
    if (name == "GVAR") return {{"Vars1", real(d.Vars[1])}, {"Vars2", real(d.Vars[2])}, {"Vars3", real(d.Vars[3])}};
    if (name == "GVER")
        return {{"Version1", hexWord(d.Version[1])}, {"Version2", hexWord(d.Version[2])},
                {"Version3", hexWord(d.Version[3])}, {"Version4", hexWord(d.Version[4])}};
    if (name == "GCAL") return {{"GcalValue", hexWord(d.GcalValue)}};
    if (name == "GCON") return {{"GconValue", real(d.GconValue)}};
    if (name == "GDTS") return {{"GdtsValue", hexWord(d.GdtsValue)}};
    if (name == "GMOS") return {{"GmosValue", real(d.GmosValue)}};
    if (name == "GRLN") return {{"GrlnValue", hexWord(d.GrlnValue)}};
    if (name == "CCCC") return {{"CellConstValue", real(d.CellConstValue)}};
    return {};
}

std::vector<float> ReplyPoints(const instrument::TTDRdataObject& d, const std::string& name) {
    const auto layout = instrument::ShapeOf(name).layout;
    if (layout != instrument::ReplyLayout::WaveformArray && layout != instrument::ReplyLayout::DerivativeArray) return {};
    std::vector<float> points;
    const int n = std::min(d.LastArrayPoints, instrument::TTDRdataObject::MaxPoints);
    for (int i = 1; i <= n; ++i)
        points.push_back(layout == instrument::ReplyLayout::WaveformArray ? d.WaveformAt(i) : d.DerivativeAt(i));
    return points;
}

std::string FormatReply(const instrument::TTDRdataObject& data, const std::string& command, OutputFormat format) {
    const std::string name = command.substr(0, 4);
    const auto fields = ReplyFields(data, name);
    const auto points = ReplyPoints(data, name);
    const bool isArray = instrument::ShapeOf(name).layout == instrument::ReplyLayout::WaveformArray ||
                         instrument::ShapeOf(name).layout == instrument::ReplyLayout::DerivativeArray;
    std::string out;
    switch (format) {
        case OutputFormat::Text:
            out = command + ": " + (fields.empty() && !isArray ? "acknowledged" : "ok") + "\n";
            for (const auto& [key, value] : fields) {
                std::string padded = key;
                padded.resize(std::max<std::size_t>(padded.size() + 1, 22), ' ');
                out += "  " + padded + value + "\n";
            }
            if (isArray) {
                out += "  " + std::to_string(points.size()) + " points\n";
                for (std::size_t i = 0; i < points.size(); ++i)
                    out += "  " + std::to_string(i + 1) + "\t" + real(points[i]) + "\n";
            }
            return out;
        case OutputFormat::Json:
            out = "{\"command\":" + JsonString(command) + ",\"result\":0";
            if (!fields.empty()) {
                out += ",\"fields\":{";
                for (std::size_t i = 0; i < fields.size(); ++i) {
                    if (i) out += ",";
                    out += JsonString(fields[i].first) + ":" +
                           (isNumber(fields[i].second) ? fields[i].second : JsonString(fields[i].second));
                }
                out += "}";
            }
            if (isArray) {
                out += ",\"points\":[";
                for (std::size_t i = 0; i < points.size(); ++i) out += (i ? "," : "") + real(points[i]);
                out += "]";
            }
            return out + "}\n";
        case OutputFormat::Csv:
            if (isArray) {
                out = "point,value\n";
                for (std::size_t i = 0; i < points.size(); ++i) out += std::to_string(i + 1) + "," + real(points[i]) + "\n";
            } else {
                out = "field,value\n";
                for (const auto& [key, value] : fields) out += key + "," + value + "\n";
            }
            return out;
    }
    return out;
}

}  // namespace cli
