#pragma once
// A measurement as wavix-cli prints or logs it: readable text, one JSON object per line,
// or one CSV row under a fixed header. Numbers in JSON and CSV are written with a point
// whatever the locale; the settings are numbers when they read as numbers.

#include "cli/measurement_session.h"
#include "cli/reply_report.h"

#include "platform/numbers.h"

#include <ctime>
#include <string>

namespace cli {

// Local time in ISO 8601 with the offset from UTC, e.g. 2024-03-11T14:05:00+01:00.
std::string IsoTime(std::time_t time);

// The header line of the CSV rows (without the line end); every measurement kind shares it.
std::string CsvHeader();
// One measurement: several lines of text, or one JSON or CSV line; each ends with a line end.
std::string FormatRecord(const MeasurementRecord& record, OutputFormat format, const platform::Numbers& numbers);

}  // namespace cli
