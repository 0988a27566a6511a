// The data sets' exported functions.

#include "dynaview/datasets/data_updates.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"

using namespace dynaview;
using api::DataSetOrReport;
using api::Refuse;
using api::WithTop;

namespace {

// A graph argument: 0 (every graph) or an open graph.
bool graphArgumentOk(plotbase::Environment& env, int graph) { return graph == 0 || OpenGraph(env, graph); }

int updateData(plotbase::Environment& env, RTTop& top, int index, const double* values, int graph) {
    DynDataSet* set = DataSetOrReport(env, top, index, "WRUpdateData");
    if (!set) return 0;
    if (!set->ddeLink && !values) return Refuse(env, "WRUpdateData");
    if (!graphArgumentOk(env, graph)) return 0;
    if (!set->ddeLink) set->storeSample(values);
    if (set->alarm.checkOn && !CheckAlarms(env, top, index)) return 1;
    RedrawBoundObjects(env, top, index, graph);
    return 1;
}

int updateBinary(plotbase::Environment& env, RTTop& top, int index, std::uint32_t value, int graph, const char* operation) {
    DynDataSet* set = DataSetOrReport(env, top, index, operation);
    if (!set || !graphArgumentOk(env, graph)) return 0;
    set->storeBinary(value);
    RedrawBinaryObjects(env, top, index, graph);
    return 1;
}

// Bits 0 to 15 (the word has 16); 32 and above are ignored as they always were.
int bitArgument(plotbase::Environment& env, int bit, const char* operation) {
    if (bit >= 32) return -1;
    if (bit < 0 || bit > 15) {
        Refuse(env, operation);
        return -1;
    }
    return bit;
}

}  // namespace

extern "C" {

DV_API int WRDefineDynDataSet(const char* name, int channels, const char* units, const char* tags, int historyLength) {
    return WithTop(0, "WRDefineDynDataSet", [&](plotbase::Environment& env, RTTop& top) {
        const DataSetTable::Defined defined = top.dataSets.define(name, channels, units, tags, historyLength);
        if (defined.index == 0) ReportDynError(env, defined.error, 2, " - WRDefineDynDataSet");
        return defined.index;
    });
}

DV_API int WRFreeDynDataSet(int dataSet) {
    return api::WithEnvironment(0, [&](plotbase::Environment& env) {
        RTTop* top = TopOf(env);
        return top && top->dataSets.free(dataSet) ? 1 : 0;
    });
}

DV_API int WRUpdateData(int dataSet, const double* values, int graph) {
    if (dataSet == 0) return 0;
    return WithTop(0, "WRUpdateData", [&](plotbase::Environment& env, RTTop& top) { return updateData(env, top, dataSet, values, graph); });
}

DV_API int WRUpdateBlockData(int dataSet, const double* values, int count, int graph) {
    if (dataSet == 0) return 0;
    if (count == 1) return WRUpdateData(dataSet, values, graph);
    return WithTop(0, "WRUpdateBlockData", [&](plotbase::Environment& env, RTTop& top) {
        DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRUpdateBlockData");
        if (!set || count < 1) return 0;
        if (!values) return Refuse(env, "WRUpdateBlockData");
        if (!graphArgumentOk(env, graph)) return 0;
        // The whole block goes into the history before anything is drawn.
        set->storeBlock(values, count);
        RedrawBoundObjectsForBlock(env, top, dataSet, graph, values, count);
        if (DataSetAlive(env, &top, dataSet, set) && set->alarm.checkOn) CheckAlarms(env, top, dataSet);
        return 1;
    });
}

DV_API int WRGetLastData(int dataSet, double* current, double* previous) {
    return WithTop(0, "WRGetLastData", [&](plotbase::Environment& env, RTTop& top) {
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRGetLastData");
        if (!set) return 0;
        for (int c = 0; c < set->channels; ++c) {
            if (current) current[c] = set->current[static_cast<std::size_t>(c)];
            if (previous) previous[c] = set->previous[static_cast<std::size_t>(c)];
        }
        return 1;
    });
}

DV_API int WRGetHistData(int dataSet, int channel, double* buffer, int back, int count) {
    return WithTop(0, "WRGetHistData", [&](plotbase::Environment& env, RTTop& top) {
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRGetHistData");
        if (!set) return 0;
        if (!set->history.enabled()) {
            ReportDynError(env, NoHistory, 2, set->name);
            return 0;
        }
        if (channel < 0 || channel >= set->channels || back < 0) return Refuse(env, "WRGetHistData");
        return set->history.read(channel, buffer, back, count);
    });
}

DV_API int WRUpdateBinaryData(int dataSet, uint32_t value, int graph) {
    return WithTop(0, "WRUpdateBinaryData", [&](plotbase::Environment& env, RTTop& top) {
        return updateBinary(env, top, dataSet, value, graph, "WRUpdateBinaryData");
    });
}

DV_API int WRGetBinData(int dataSet) {
    return api::WithEnvironment(0, [&](plotbase::Environment& env) {
        const RTTop* top = TopOf(env);
        const DynDataSet* set = top ? top->dataSets.at(dataSet) : nullptr;
        return set ? static_cast<int>(set->binary) : 0;
    });
}

DV_API int WRSetBit(int dataSet, int bit, int on, int graph) {
    return WithTop(0, "WRSetBit", [&](plotbase::Environment& env, RTTop& top) {
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRSetBit");
        const int b = set ? bitArgument(env, bit, "WRSetBit") : -1;
        if (b < 0) return 0;
        const std::uint32_t mask = 1u << b;
        return updateBinary(env, top, dataSet, on ? (set->binary | mask) : (set->binary & ~mask), graph, "WRSetBit");
    });
}

DV_API int WRSetBitExclusive(int dataSet, int bit, int graph) {
    return WithTop(0, "WRSetBitExclusive", [&](plotbase::Environment& env, RTTop& top) {
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRSetBitExclusive");
        const int b = set ? bitArgument(env, bit, "WRSetBitExclusive") : -1;
        if (b < 0) return 0;
        return updateBinary(env, top, dataSet, 1u << b, graph, "WRSetBitExclusive");
    });
}

DV_API int WRGetMinMaxValues(int dataSet, int channel, double* min, double* max) {
    return WithTop(0, "WRGetMinMaxValues", [&](plotbase::Environment& env, RTTop& top) {
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRGetMinMaxValues");
        if (!set) return 0;
        if (!min || !max || channel >= set->channels) return Refuse(env, "WRGetMinMaxValues");
        if (!set->history.minMax(channel < 0 ? -1 : channel, *min, *max)) {
            ReportDynError(env, NoHistory, 2, set->name);
            return 0;
        }
        return 1;
    });
}

DV_API int WRResetHistBuffer(int dataSet) {
    return api::WithEnvironment(0, [&](plotbase::Environment& env) {
        RTTop* top = TopOf(env);
        DynDataSet* set = top ? top->dataSets.at(dataSet) : nullptr;
        if (!set) return 0;
        if (!set->history.enabled()) return 1;
        set->history.reset();
        return 0;
    });
}

DV_API int WRReconnectDynDataSet(int graph, int object, int dataSet) {
    return WithTop(0, "WRReconnectDynDataSet", [&](plotbase::Environment& env, RTTop& top) {
        constexpr const char* suffix = " - WRReconnectDynDataSet";
        if (!top.dataSets.at(dataSet)) {
            ReportDynError(env, plotbase::NoSuchDataSet, 2, suffix);
            return 0;
        }
        DynObject* d = FindDynObject(env, graph, object, suffix);
        if (!d) return 0;
        if (!d->rebindable()) {
            ReportWrongType(env, *d, suffix);
            return 0;
        }
        if (d->dataSet(&top) == top.dataSets.at(dataSet)) return 0;
        // The counts move with the binding, so that neither data set can be freed wrongly.
        BindDataSet(top, *d, dataSet);
        d->rebound(ObjectPlace{env, graph, object});
        return 1;
    });
}

}  // extern "C"
