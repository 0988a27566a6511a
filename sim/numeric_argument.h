#pragma once
// Numbers typed as command arguments: what the instrument accepts is a plain decimal
// number (optional sign, digits, optional point), surrounded by spaces at most.

#include <optional>
#include <string_view>

namespace sim {

std::optional<double> parseDecimal(std::string_view text);
// A decimal whose value is a whole number ("16" or "16.0"), within int range.
std::optional<int> parseWholeNumber(std::string_view text);

}  // namespace sim
