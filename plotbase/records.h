#pragma once
// Pages and graphs as plotbase keeps them. A page is a window inside the application's host
// window with up to 16 graphs; a graph is a window on its page, placed in normalised page
// coordinates, with its own object table and current drawing attributes.

#include "plotbase/graph_objects.h"
#include "plotbase/object_table.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace plotbase {

constexpr int MaxPages = 60;
constexpr int GraphSlots = 16;

class Environment;

// A rectangle in normalised coordinates: 0..1 from left to right and from top to bottom.
struct NormRect {
    double left = 0.0;
    double top = 0.0;
    double right = 1.0;
    double bottom = 1.0;
};

// Plot-area flags.
enum PlotAreaFlags : int { FramePlotArea = 1, ClipToPlotArea = 2 };

struct Graph {
    int handle = 0;
    int page = 0;
    int slot = 0;
    bool open = true;
    NormRect area;  // on the page
    int borderColour = 0;
    int borderWidth = 0;
    int options = 0;

    NormRect plotArea{0.1, 0.1, 0.9, 0.9};
    int plotAreaFlags = ClipToPlotArea;
    DrawingAttributes plotFrame;  // the attributes current when the plot area was set
    double xmin = 0.0, ymin = 0.0, xmax = 1.0, ymax = 1.0;  // the plot area's world scale
    double interceptX = 0.0;  // where the next vertical axis crosses (world x)
    double interceptY = 0.0;  // where the next horizontal axis crosses (world y)
    DrawingAttributes current;
    bool gridsBehind = false;

    ObjectTable objects;
    int currentObject = 0;
    int currentXAxis = 0;
    int currentYAxis = 0;
    int selected = 0;
    int highlighted = 0;
    double pointerX = 0.0;  // the last pointer position handed over by the graph window
    double pointerY = 0.0;

    QPointer<QWidget> window;
};

struct Page {
    int number = 0;
    std::string name;
    std::string title;
    bool inUse = true;
    bool repaint = true;  // repaint the page after a graph has been deleted
    int options = 0;
    int lastGraphSlot = GraphSlots - 1;
    int textSize = 8;
    int graphCount = 0;
    int currentGraph = -1;  // slot
    std::array<std::unique_ptr<Graph>, GraphSlots> graphs;
    QPointer<QWidget> window;
};

// Messages the page and graph windows hand to the application's procedures. Positions are
// in the window's device coordinates.
struct WindowMessage {
    enum Kind { MousePress, MouseRelease, MouseDoubleClick, MouseMove, KeyPress };
    Kind kind = MouseMove;
    int button = 0;  // 1 left, 2 right, 4 middle
    double x = 0.0;
    double y = 0.0;
    int key = 0;  // Qt key code for KeyPress
};

using PageProcedure = std::function<void(Environment&, int page, const WindowMessage&)>;
using GraphProcedure = std::function<void(Environment&, int graph, const WindowMessage&)>;
using PageBuilder = std::function<void(Environment&, int page)>;
using GraphBuilder = std::function<void(Environment&, int graph)>;
// Called when an axis's range has changed, with the graph and the axis's index.
using RescaleHook = std::function<void(Environment&, int graph, int axis)>;

}  // namespace plotbase
