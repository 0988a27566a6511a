#include "dynaview/datasets/data_updates.h"

#include "dynaview/alarms/alarm_check.h"
#include "dynaview/frame/object_access.h"

namespace dynaview {

bool DataSetAlive(plotbase::Environment& env, const RTTop* top, int index, const DynDataSet* set) {
    return TopOf(env) == top && top && top->dataSets.at(index) == set;
}

bool CheckAlarms(plotbase::Environment& env, RTTop& top, int index) {
    DynDataSet* set = top.dataSets.at(index);
    if (!set) return false;
    RTTop* const topRecord = &top;
    RunAlarmCheck(*set, [&](int channel, int kind, double value, int state) {
        // A copy: the procedure may replace itself.
        const AlarmProcedure procedure = topRecord->alarmProcedure;
        if (procedure) procedure(index, channel, kind, value, state);
        return DataSetAlive(env, topRecord, index, set);
    });
    return DataSetAlive(env, topRecord, index, set);
}

namespace {

bool takesData(const DynObject& object, const RTTop& top, const DynDataSet* set) {
    return object.dataUpdate() != DataUpdate::None && object.enabled && object.hasUpdateProcedure() &&
           object.dataSet(&top) == set;
}

}  // namespace

void RedrawBoundObjects(plotbase::Environment& env, RTTop& top, int index, int graph) {
    const DynDataSet* set = top.dataSets.at(index);
    if (!set) return;
    ForEachDynObject(env, graph, [&](const ObjectPlace& place, DynObject& object) {
        if (DataSetAlive(env, &top, index, set) && takesData(object, top, set)) object.update(place);
    });
}

void RedrawBoundObjectsForBlock(plotbase::Environment& env, RTTop& top, int index, int graph, const double* rows, int count) {
    DynDataSet* set = top.dataSets.at(index);
    if (!set) return;
    ForEachDynObject(env, graph, [&](const ObjectPlace& place, DynObject& object) {
        if (!DataSetAlive(env, &top, index, set) || !takesData(object, top, set)) return;
        if (object.dataUpdate() != DataUpdate::PerRow) {
            object.update(place);
            return;
        }
        const auto current = set->current;
        const auto previous = set->previous;
        for (int r = 0; r < count; ++r) {
            set->showRow(rows + static_cast<std::ptrdiff_t>(r) * set->channels);
            object.update(place);
        }
        set->current = current;
        set->previous = previous;
    });
}

void RedrawBinaryObjects(plotbase::Environment& env, RTTop& top, int index, int graph) {
    const DynDataSet* set = top.dataSets.at(index);
    if (!set) return;
    ForEachDynObject(env, graph, [&](const ObjectPlace& place, DynObject& object) {
        if (DataSetAlive(env, &top, index, set) && object.enabled && object.hasUpdateProcedure() && object.takesBinaryUpdate(index))
            object.update(place);
    });
}

}  // namespace dynaview
