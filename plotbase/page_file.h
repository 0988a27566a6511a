#pragma once
// Page files: a page with its graphs and every object, written to a file and read back. The
// objects of libraries built on plotbase (types 100 and up) are written and re-created by
// the save and restore handlers they registered; plotbase keeps each one's record as it is.
//
// Layout (little-endian): "PBPAGE", version u16; the page (name, title, options, last graph
// slot, text size); the graphs, each with its placement and settings and its object table
// slot by slot up to the last slot that holds something (empty, a plotbase object, or a
// library's record with its length).

#include "plotbase/environment.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace plotbase {

// One slot of a saved object table: a plotbase object, a library's record, or neither (a
// free slot).
struct SavedObject {
    std::unique_ptr<GraphObject> object;
    std::int16_t foreignType = 0;
    std::string foreignRecord;
};

struct SavedGraph {
    NormRect area;
    int borderColour = 0;
    int borderWidth = 0;
    int options = 0;
    NormRect plotArea;
    int plotAreaFlags = 0;
    DrawingAttributes plotFrame;
    double xmin = 0, ymin = 0, xmax = 1, ymax = 1;
    double interceptX = 0, interceptY = 0;
    DrawingAttributes current;
    bool gridsBehind = false;
    std::vector<SavedObject> objects;
    int currentXAxis = 0;
    int currentYAxis = 0;
};

struct SavedPage {
    std::string name;
    std::string title;
    int options = 0;
    int lastGraphSlot = GraphSlots - 1;
    int textSize = 8;
    std::vector<SavedGraph> graphs;
};

// The page file's bytes for a page (libraries' objects through their save handler).
std::optional<std::string> SerializePage(Environment& env, int page);
// Reads and checks a page file's bytes; nothing (with the reason) when they are not a
// whole, sound page file.
std::optional<SavedPage> ParsePageFile(std::string_view bytes, std::string& error);

// Writes the page to the file, replacing it atomically. Returns 1, or 0 after reporting.
int WGSavePage(Environment& env, int page, const std::filesystem::path& path);
// Creates the page of the file in the host window. Returns its number, or 0 after
// reporting (nothing is created then).
int WGRestorePage(Environment& env, const std::filesystem::path& path, QWidget* host);

}  // namespace plotbase
