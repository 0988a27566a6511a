#pragma once
// The error routine: records the error in the environment and, while the environment's
// show-error-messages switch is on, shows it in a message box (never two at once).

#include <string_view>

namespace plotbase {

class Environment;
class GraphObject;

// Returns the code.
int ReportError(Environment& env, int code, int kind, std::string_view text = {});
// The report for an object of the wrong type for the operation.
int ReportWrongObjectType(Environment& env, const GraphObject& object, std::string_view operation = {});
// Whether a record handed back by a caller is one plotbase (or a library registering its
// records with the environment) holds alive.
bool IsValidRecord(const Environment& env, const void* record);

}  // namespace plotbase
