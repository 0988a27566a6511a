#pragma once
// What the instrument prints when a command is typed at it instead of framed.

#include "sim/command_processor.h"

#include <string>

namespace sim {

// The instrument's text for an error number.
std::string errorText(int number);
// One line (without line end) describing a command's result.
std::string readableAnswer(const CommandResult& result);

}  // namespace sim
