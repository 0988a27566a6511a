#pragma once
// Starting plotbase, creating and destroying pages and graphs, and releasing everything.

#include "plotbase/environment.h"

#include <memory>
#include <string_view>

class QWidget;

namespace plotbase {

struct Version {
    int major;
    int minor;  // two decimal digits
};
// The library's version, for libraries that need a minimum one.
Version GetVersion();
// The interface revision this build offers; a program built for a later one is refused.
constexpr int Revision = 139;

struct DeviceDescription {
    int width = 0;   // the screen, in pixels
    int height = 0;
    double dpiX = 96.0;
    double dpiY = 96.0;
    int colours = 16;  // palette entries
};
DeviceDescription GetDevDesc(const QWidget* window = nullptr);

// Prepares the environment's tables. Returns 1.
int InitDll(Environment& env);
// Installs the application's procedures for the page and graph windows. Returns 1, or 0
// when the environment is not initialised or the program needs a later revision.
int InitTop(Environment& env, PageProcedure pageProcedure, GraphProcedure graphProcedure, int requiredRevision);

enum WindowStyle : unsigned { ChildWindow = 1, VisibleWindow = 2, ClipChildren = 4 };
// Where the page sits in its host window; all zero: it fills the host and follows its size.
struct PagePlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int id = 0;
};
// Creates a page window in the host (name: its object name; title: its window title and
// accessible name). lastGraphSlot limits the slots its graphs may take (0..15), textSize is
// the text size its graphs start with. The builder runs inside the call. Returns the page
// number (1..60) or 0.
int InitPage(Environment& env, std::string_view name, QWidget* host, std::string_view title, int options,
             int lastGraphSlot, int textSize, unsigned style, PagePlacement placement, const PageBuilder& builder);
// Creates a graph occupying (x1, y1)-(x2, y2) of the page (normalised, y downwards), with a
// border of the given colour and width (0: none). The builder runs inside the call.
// Returns the graph handle or 0.
int InitGraph(Environment& env, int page, double x1, double y1, double x2, double y2, int borderColour,
              int borderWidth, int options, const GraphBuilder& builder);

// Lays the page's graph windows out over the page window.
void ResizePage(Environment& env, int page);
// Deletes the page with its graphs and their objects. Returns 1, or 0 for no such page.
int KillGraphPage(Environment& env, int page);
// Deletes every page; flag -1 also releases the environment (its extension included), which
// then needs InitDll again. Returns 1.
int Cleanup(Environment& env, int flag);

// For libraries built on plotbase: a graph on its own, and objects of their own types.
int WGDeleteGraph(Environment& env, int graph);
// Stores the object in the graph's table with the graph's current attributes; returns its
// index, or 0.
int WGInsertObject(Environment& env, int graph, std::unique_ptr<GraphObject> object);
int WGDeleteObject(Environment& env, int graph, int index);

QWidget* WGGetPageWindow(const Environment& env, int page);
QWidget* WGGetGraphWindow(const Environment& env, int graph);
const Graph* WGGetGraph(const Environment& env, int graph);
// Read access to an object (nothing for a missing one or one of another type).
const GraphObject* WGGetObject(const Environment& env, int graph, int index);
template <typename T>
const T* WGGetObjectAs(const Environment& env, int graph, int index) {
    return dynamic_cast<const T*>(WGGetObject(env, graph, index));
}

}  // namespace plotbase
