#pragma once
// Between dynaview's objects and their page-file records: the record of a live object,
// the object re-created from a record through the creator an application calls, and the
// check of a record against the saved graph it belongs to.

#include "dynaview/saverestore/page_records.h"

#include <optional>
#include <string>
#include <string_view>

namespace plotbase {
class Environment;
struct SavedGraph;
}  // namespace plotbase

namespace dynaview {

class DynObject;

// The object's record, or nothing for an object without a saved form.
std::optional<PageRecord> RecordOf(plotbase::Environment& env, int graph, const DynObject& object);
// Re-creates the object of a record in the graph (the environment becomes the current one
// for the creator's call). Returns its index, or 0 (the creator has reported why).
int RestoreRecord(plotbase::Environment& env, int graph, const PageRecord& record);
// Whether a record read from a page file is whole and sound, and its references point at
// objects of the right kind in the saved graph; else why not.
bool CheckRecord(int type, std::string_view bytes, const plotbase::SavedGraph& graph, std::string& why);
// Installs the page-file handlers in the environment's foreign-object handlers.
void InstallPageFileHandlers(plotbase::Environment& env);

}  // namespace dynaview
