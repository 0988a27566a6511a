#pragma once
// The common part of every dynaview object: plotbase's object header (type, subtype, the
// links to the axes that scale it, the drawing attributes it was created with) and
// dynaview's (timer period and last update, the enabled flag, the data set it shows).
// Each family derives its objects from DynObject and overrides what its objects do: paint
// themselves, take data updates, be found under the pointer, follow a rescale, a new data
// set or a change of alarm limits.

#include "plotbase/foreign_objects.h"
#include "plotbase/graph_objects.h"
#include "plotbase/scaling.h"

#include <cstdint>

class QPainter;

namespace plotbase {
class Environment;
}

namespace dynaview {

class DynDataSet;
class RTTop;
class TimeLabelSlots;

// Where an object lives: its environment, graph and index.
struct ObjectPlace {
    plotbase::Environment& env;
    int graph;
    int index;
};

// What an update of the bound data set gives an object.
enum class DataUpdate {
    None,    // nothing (alarm lines: they follow the timer)
    Once,    // one update per push, also for a block
    PerRow,  // one update per row of a block (scrolling and XY graphs)
};

// A number no object made before in this process had.
std::uint64_t NextObjectIdentity();

class DynObject : public plotbase::GraphObject {
public:
    std::uint32_t lastUpdate = 0;  // whole seconds of the tick count
    std::uint16_t period = 0;      // seconds, when registered with the update timer
    bool enabled = true;           // an object switched off is never updated

    // The world limits the object was last scaled to.
    plotbase::WorldRange xRange;
    plotbase::WorldRange yRange;

    // Tells this object from any made before or after it, also one that takes its index (or
    // its memory) once it is deleted: for links held by index, such as a scrolling graph's
    // time labels.
    std::uint64_t identity = NextObjectIdentity();

    // The bound data set: its index and record, so that a data set freed and defined again
    // at the same index is not mistaken for the old one.
    int dataSetIndex = 0;
    const DynDataSet* dataSetRecord = nullptr;
    // The bound data set while it is alive, else null.
    DynDataSet* dataSet(const RTTop* top) const;

    // The update procedure (WRUpdateObj, data updates, the update timer).
    virtual bool hasUpdateProcedure() const { return false; }
    virtual void update(const ObjectPlace& place) { (void)place; }
    // The full paint, from the object's state (plotbase's paint of the graph).
    virtual void paint(QPainter& painter, const plotbase::DrawContext& context) { (void)painter, (void)context; }
    // What plotbase's after-draw hook draws for it (alarm marks beside their axis).
    virtual void paintAfter(QPainter& painter, const plotbase::DrawContext& context) { (void)painter, (void)context; }
    // Whether the object lies under the device point; thin objects are asked after
    // plotbase's own objects, the others before.
    virtual bool hitTest(const plotbase::DrawContext& context, double x, double y) const {
        (void)context, (void)x, (void)y;
        return false;
    }
    virtual bool thin() const { return false; }

    virtual DataUpdate dataUpdate() const { return DataUpdate::None; }
    // Whether a binary update of the data set redraws it.
    virtual bool takesBinaryUpdate(int dataSet) const {
        (void)dataSet;
        return false;
    }
    // Whether the object may refresh itself on the update timer (SetObjTimeUpdate).
    virtual bool timerRefreshed() const { return false; }
    // Whether WRReconnectDynDataSet may bind it to another data set, and its rebuild after.
    virtual bool rebindable() const { return false; }
    virtual void rebound(const ObjectPlace& place) { (void)place; }
    // The data set's alarm limits, setpoint or Normal message changed.
    virtual bool showsAlarms() const { return false; }
    virtual void alarmsChanged(const ObjectPlace& place) { (void)place; }
    // A linked axis changed its range: whether the object can take the new one, and its
    // rebuild after it did.
    virtual bool acceptsRange(double range) const {
        (void)range;
        return true;
    }
    virtual void rescaled(const ObjectPlace& place) { (void)place; }
    // The colour (palette number) the object shows a channel in: a trace, a bar, a needle.
    // Dynamic text that takes its colours from another object asks it; -1: none.
    virtual int channelColour(int channel) const {
        (void)channel;
        return -1;
    }
    // The slots for attached time labels: only scrolling graphs have them.
    virtual TimeLabelSlots* timeLabelSlots() { return nullptr; }

protected:
    DynObject(std::int16_t type, std::int16_t subtype) : GraphObject(type, subtype) {}
};

}  // namespace dynaview
