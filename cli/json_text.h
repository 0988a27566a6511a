#pragma once
// Text as a JSON string literal, for the command-line program's JSON lines.

#include <string>

namespace cli {

// Quotes s, escaping quotes, backslashes and control characters.
std::string JsonString(const std::string& s);

}  // namespace cli
