#pragma once
// The error routine: records the error in the environment and, while the environment's
// show-error-messages switch is on, shows it in a message box (never two at once).

#include <string_view>

namespace plotbase {

class Environment;
class GraphObject;

// Returns the code.
int ReportError(Environment& env, int code, int kind, std::string_view text = {});
// Records an error that the caller shows in its own way (a library with its own numbered
// boxes): it becomes the environment's last error, and no box is shown.
int RecordError(Environment& env, int code, std::string_view message);
// The report for an object of the wrong type for the operation.
int ReportWrongObjectType(Environment& env, const GraphObject& object, std::string_view operation = {});
// Whether a record handed back by a caller is one plotbase (or a library registering its
// records with the environment) holds alive.
bool IsValidRecord(const Environment& env, const void* record);

}  // namespace plotbase
