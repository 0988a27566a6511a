#pragma once
// What a library built on plotbase registers so that plotbase can handle the objects of its
// own types (100 and above): draw them with the graph, find them under the pointer, and
// write them to a page file and read them back.

#include "plotbase/scaling.h"

#include <functional>
#include <string>
#include <string_view>

class QPainter;

namespace plotbase {

class Environment;
class GraphObject;
class ByteReader;
class ByteWriter;
struct SavedGraph;

struct DrawContext {
    Environment& env;
    int graph;
    int index;               // the object's index in the graph's table
    const Scaling& scaling;  // world to device over the graph's plot area
    DeviceRect graphRect;    // the whole graph on the device
    bool printing;
};

struct ForeignObjectHandlers {
    std::function<void(QPainter&, const DrawContext&, GraphObject&)> draw;
    // Whether the object lies under the device point (x, y). Picking asks `hitTest` before
    // plotbase's own objects and `lateHitTest` after them (for thin objects such as lines
    // across the plot, which should not hide an axis or a text).
    std::function<bool(const DrawContext&, const GraphObject&, double x, double y)> hitTest;
    std::function<bool(const DrawContext&, const GraphObject&, double x, double y)> lateHitTest;
    // Writes the object's record; false when it has none or the write failed.
    std::function<bool(ByteWriter&, Environment&, int graph, const GraphObject&)> save;
    // Reads one record written by `save` and re-creates the object in the graph; returns
    // the new object's index, or 0.
    std::function<int(ByteReader&, Environment&, int graph, int type)> restore;
    // Whether a record read from a page file is sound (with what is wrong when it is not),
    // asked for every record of the file before anything is created, so that a damaged
    // record refuses the whole page. `graph` is the saved graph the record belongs to.
    std::function<bool(int type, std::string_view record, const SavedGraph& graph, std::string& why)> check;
    // Called after plotbase has drawn any object (its own or a foreign one).
    std::function<void(QPainter&, const DrawContext&, GraphObject&)> afterDraw;
};

}  // namespace plotbase
