#include "cli/measurement_report.h"

#include "app/settings_panel.h"
#include "cli/json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {

namespace {

// The column names of the settings, by tag.
constexpr const char* SettingColumns[7] = {"vp", "averages", "points", "start_m", "length_m", "probe_length_m",
                                           "probe_offset_m"};

// The shortest text that reads back as the same float; "nan", "inf" as JSON cannot hold them.
std::string Real(double v, int decimals = -1) {
    if (!std::isfinite(v)) return {};
    char buf[64];
    const auto result = decimals < 0 ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(v))
                                     : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return std::string(buf, result.ptr);
}

std::string JsonNumberOrNull(const std::string& number) { return number.empty() ? "null" : number; }

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// A settings text as a number in machine form, or the text itself when it is not one.
std::string SettingValue(const std::string& text, const platform::Numbers& numbers) {
    if (const auto v = numbers.parseReal(text)) return Real(*v);
    return text;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const auto& p : parts) {
        if (!out.empty()) out += separator;
        // Message boxes break lines with CR LF; a log row keeps to one line.
        for (char c : p) out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

struct Values {
    std::string x, theta, equation, conductance, kp, ec;
};

Values ValuesOf(const MeasurementRecord& r) {
    Values v;
    if (!r.ok()) return v;  // a failed measurement has no values, not stale ones
    if (r.kind == MeasureKind::WaterContent) {
        v.x = Real(r.x);
        if (r.theta) v.theta = Real(*r.theta, 3);
        v.equation = std::to_string(r.equation);
    } else if (r.kind == MeasureKind::BulkEC) {
        v.conductance = Real(r.conductance);
        v.kp = Real(r.kp);
        v.ec = Real(r.bulkEC, 4);
    }
    return v;
}

std::string Points(const std::vector<float>& values, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) out += separator;
        out += Real(values[i]);
    }
    return out;
}

std::string Text(const MeasurementRecord& r) {
    std::string out = MeasureKindName(r.kind) + " at " + r.time + (r.ok() ? "" : ": failed") + "\n";
    auto line = [&out](const std::string& key, const std::string& value) {
        std::string padded = key;
        padded.resize(std::max<std::size_t>(padded.size() + 1, 22), ' ');
        out += "  " + padded + value + "\n";
    };
    for (const std::string& e : r.errors) line("Error", Joined({e}, " "));
    for (const app::SettingEdit& e : app::SettingEdits()) line(e.accessibleName, r.settings[static_cast<std::size_t>(e.tag - 1)]);
    if (!r.ok()) return out;
    switch (r.kind) {
        case MeasureKind::WaterContent:
            line("X = La/L", Real(r.x));
            line("Calibration equation", std::to_string(r.equation));
            line("Water content", Trimmed(r.waterContentText));
            line("Probe start (m)", Real(r.probeStart));
            line("Probe end (m)", Real(r.probeEnd));
            break;
        case MeasureKind::BulkEC:
            line("Conductance (S)", Real(r.conductance));
            line("Cell constant (1/m)", Real(r.kp));
            line("Bulk EC (S/m)", Trimmed(r.bulkECText));
            break;
        case MeasureKind::Waveform:
            line("Points", std::to_string(r.waveform.size()));
            for (std::size_t i = 0; i < r.waveform.size(); ++i)
                out += "  " + std::to_string(i + 1) + "\t" + Real(r.waveform[i]) +
                       (i < r.derivative.size() ? "\t" + Real(r.derivative[i]) : "") + "\n";
            break;
    }
    return out;
}

std::string Json(const MeasurementRecord& r, const platform::Numbers& numbers) {
    const Values v = ValuesOf(r);
    std::string out = "{\"time\":" + JsonString(r.time) + ",\"measurement\":" + JsonString(MeasureKindName(r.kind));
    out += ",\"settings\":{";
    for (std::size_t i = 0; i < 7; ++i) {
        const std::string value = SettingValue(r.settings[i], numbers);
        const bool numeric = numbers.parseReal(r.settings[i]).has_value();
        out += (i ? "," : "") + JsonString(SettingColumns[i]) + ":" + (numeric ? value : JsonString(value));
    }
    out += "}";
    if (r.kind == MeasureKind::WaterContent)
        out += ",\"x\":" + JsonNumberOrNull(v.x) + ",\"water_content\":" + JsonNumberOrNull(v.theta) +
               ",\"equation\":" + JsonNumberOrNull(v.equation);
    if (r.kind == MeasureKind::BulkEC)
        out += ",\"conductance_s\":" + JsonNumberOrNull(v.conductance) + ",\"kp_per_m\":" + JsonNumberOrNull(v.kp) +
               ",\"bulk_ec_s_per_m\":" + JsonNumberOrNull(v.ec);
    if (r.kind == MeasureKind::Waveform && r.ok()) {
        out += ",\"waveform\":[" + Points(r.waveform, ",") + "]";
        if (!r.derivative.empty()) out += ",\"derivative\":[" + Points(r.derivative, ",") + "]";
    }
    out += ",\"error\":" + (r.ok() ? std::string("null") : JsonString(Joined(r.errors, "; ")));
    return out + "}\n";
}

std::string Csv(const MeasurementRecord& r, const platform::Numbers& numbers) {
    const Values v = ValuesOf(r);
    std::vector<std::string> fields = {r.time, MeasureKindName(r.kind)};
    for (std::size_t i = 0; i < 7; ++i) fields.push_back(SettingValue(r.settings[i], numbers));
    for (const std::string* f : {&v.x, &v.theta, &v.equation, &v.conductance, &v.kp, &v.ec}) fields.push_back(*f);
    fields.push_back(r.ok() ? std::string() : Joined(r.errors, "; "));
    fields.push_back(r.ok() ? Points(r.waveform, " ") : std::string());
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + CsvField(fields[i]);
    return out + "\n";
}

}  // namespace

std::string IsoTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff;
    const int minutes = static_cast<int>(((offset < 0 ? -offset : offset) / 60) % (24 * 60));
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return std::string(buf) + zone;
}

std::string CsvHeader() {
    std::string header = "time,measurement";
    for (const char* c : SettingColumns) header += std::string(",") + c;
    return header + ",x,water_content,equation,conductance_s,kp_per_m,bulk_ec_s_per_m,error,waveform";
}

std::string FormatRecord(const MeasurementRecord& record, OutputFormat format, const platform::Numbers& numbers) {
    switch (format) {
        case OutputFormat::Text: return Text(record);
        case OutputFormat::Json: return Json(record, numbers);
        case OutputFormat::Csv: return Csv(record, numbers);
    }
    return Text(record);
}

}  // namespace cli
