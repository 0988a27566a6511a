#pragma once
// The environment record: one per program, owned by the caller and handed to every plotbase
// operation. Besides plotbase's own tables it carries what libraries built on plotbase rely
// on: an extension slot, the page count, the application key, the error switches, the
// rescale hook and the page table.

#include "plotbase/foreign_objects.h"
#include "plotbase/record_registry.h"
#include "plotbase/records.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace platform {
class Dialogs;
class Numbers;
}  // namespace platform

namespace plotbase {

// A library's own record hung on the environment (freed with it unless freed before).
class Extension {
public:
    virtual ~Extension() = default;
};

struct ErrorRecord {
    int code = 0;
    std::string text;
};

class Environment {
public:
    Environment(platform::Dialogs& dialogs, const platform::Numbers& numbers);
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // --- what libraries built on plotbase use ---
    std::unique_ptr<Extension> extension;
    int openPages = 0;
    std::uint32_t applicationKey = 0;
    bool showErrorMessages = true;
    bool stop = false;  // set by a library when the user chose to stop after an error
    RescaleHook rescaleHook;
    ForeignObjectHandlers foreignObjects;
    std::array<std::unique_ptr<Page>, MaxPages + 1> pages;  // 1..60; slot 0 unused

    // --- plotbase's own ---
    platform::Dialogs& dialogs;
    const platform::Numbers& numbers;
    bool initialised = false;
    bool topInitialised = false;
    PageProcedure pageProcedure;
    GraphProcedure graphProcedure;
    ErrorRecord lastError;
    bool errorBoxOpen = false;
    bool rescaling = false;  // inside the rescale hook
    RecordRegistry records;

    Page* page(int number) const;
    Graph* graph(int handle) const;
    // Registers a graph under a fresh handle (handles are never reused, so a stale handle
    // stays invalid).
    int addGraph(Graph& graph);
    void removeGraph(int handle);

private:
    int nextGraphHandle_ = 1;
    std::map<int, Graph*> graphs_;
};

}  // namespace plotbase
