// Random sequences of calls of dynaview's later object families (scrolling graphs, bar
// graphs, PID loops, time axes and labels, and those that follow), mixed with data updates, deletions, timer ticks
// and clean-ups, under the same promise and argument discipline as dynaview_api_fuzz: no
// crash, no hang, no access outside what the caller gave.
//
// Some arrays have a length that depends on the object (a logic graph's names: one entry per
// bit it shows). The harness remembers the objects it made, with that length, until
// anything may have moved or removed objects; a call on any other object gets the largest
// length the contract allows.

#include "fuzz/dynaview_fuzz_session.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dynaview_fuzz {
namespace {

enum class Kind { Traces, Logic, Other };

struct Made {
    int graph;
    int object;
    Kind kind;
    int traces;  // the traces (bits) it shows
};

std::vector<Made> made;
int madeSession = 0, madeAt = 0;  // the session and its `forgets` when `made` was last valid

constexpr int LogicBits = 16;

std::vector<Made>& madeNow(const Session& s) {
    if (madeSession != s.serial || madeAt != s.forgets) {
        made.clear();
        madeSession = s.serial;
        madeAt = s.forgets;
    }
    return made;
}

void remember(Session& s, int graph, int object, Kind kind, int traces) {
    if (object > 0) madeNow(s).push_back({graph, object, kind, traces});
}

// The traces a scrolling graph of this kind shows for a data set of n channels.
int tracesFor(int subtype, int n) {
    switch (subtype) {
    case 1: return std::min(n, LogicBits);  // logic
    case 2: return std::max(n - 1, 1);      // variable step
    case 3: return std::max(n / 2, 1);      // XY
    default: return n;
    }
}

}  // namespace

void Session::step() {
    std::unique_ptr<char[]> s1, s2;
    std::vector<int> a1, a2, a3;
    std::unique_ptr<double[]> d1, d2, d3;
    std::unique_ptr<int[]> i1;
    std::unique_ptr<std::int16_t[]> results;

    // An object: mostly one the harness made, else any index; `known` tells which.
    const Made* known = nullptr;
    auto target = [&](int& g, int& o) {
        auto& list = madeNow(*this);
        if (!list.empty() && in.ConsumeBool()) {
            known = &list[in.ConsumeIntegralInRange<std::size_t>(0, list.size() - 1)];
            g = known->graph;
            o = known->object;
        } else {
            g = graph();
            o = object();
        }
    };
    auto traceArrays = [&](std::size_t n) {
        struct {
            const int* patterns;
            const int* widths;
            const int* colours;
        } t{ints(a1, n, -1, 6), ints(a2, n, -1, 51), ints(a3, n, -1, 16)};
        return t;
    };

    switch (in.ConsumeIntegralInRange(0, 42)) {
    // --- data, time and the frame ---
    case 0: defineDataSet(); break;
    case 1: freeDataSet(); break;
    case 2:
    case 3: updateData(); break;
    case 4: updateBlockData(); break;
    case 5:
        if (in.ConsumeBool()) WRUpdateBinaryData(dataSet(), in.ConsumeIntegral<std::uint32_t>(), graph());
        else WRSetBit(dataSet(), in.ConsumeIntegralInRange(-2, 17), in.ConsumeIntegral<int>(), graph());
        break;
    case 6:
        if (in.ConsumeBool()) WRResetHistBuffer(dataSet());
        else WRSetAlarm(dataSet(), in.ConsumeIntegralInRange(0, 7), value(), nullptr);
        break;
    case 7: {
        const int which = in.ConsumeIntegralInRange(0, 2);
        WRSetAlarmProc(which == 0 ? nullptr : which == 1 ? recordingAlarm : nastyAlarm);
        break;
    }
    case 8: clock.advance(in.ConsumeIntegralInRange(0, 5000)); break;
    case 9: UpdateTimerProc(nullptr, 0, 0, in.ConsumeIntegral<std::uint32_t>()); break;
    case 10: {
        int g = 0, o = 0;
        target(g, o);
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0: SetObjTimeUpdate(g, o, in.ConsumeIntegralInRange(-2, 70000)); break;
        case 1: WRStopObjTimeUpdate(g, o); break;
        case 2: WRUpdateObj(g, o); break;
        default: RescaleDynObj(g, object(), in.ConsumeBool() ? 0 : o); break;
        }
        break;
    }
    case 11: plotbase::WGChangeAxisRange(env, graph(), object(), value(), value()); break;
    case 12: {
        int g = 0, o = 0;
        target(g, o);
        ++forgets;
        WRDeleteRTObject(g, o);
        break;
    }
    case 13:
        ++forgets;
        if (in.ConsumeBool()) WRDeleteRTGraph(graph());
        else WRReconnectDynDataSet(graph(), object(), dataSet());
        break;
    case 14:
        ++forgets;
        if (in.ConsumeBool()) RTCleanup(handle);
        InitRTDll(handle);
        break;
    case 15: renderPage(); break;
    case 16: {
        // Nothing selected: rtDefEditObject must not open a dialog.
        plotbase::WGSelectObject(env, graphs[0], 0);
        if (rtObjFind(plotbase::WGGetGraphWindow(env, graphs[0])) == 0)
            rtDefEditObject(plotbase::WGGetGraphWindow(env, graphs[0]), graphs[0]);
        break;
    }

    // --- scrolling graphs ---
    case 17: {
        const int g = graph(), set = dataSet();
        const int subtype = in.ConsumeIntegralInRange(0, 2);  // lines, logic, stacked
        const int n = channelsOf(set);
        const int traces = tracesFor(subtype == 1 ? 1 : 0, n);
        const auto t = traceArrays(static_cast<std::size_t>(traces));
        const double interval = value(), reset = value();
        const int direction = in.ConsumeIntegralInRange(-1, 2), style = in.ConsumeIntegralInRange(-1, 3);
        int o = 0;
        if (subtype == 0) o = WRSetScrollGraph(g, set, interval, reset, direction, style, t.patterns, t.widths, t.colours);
        else if (subtype == 1) o = WRSetLogicGraph(g, set, interval, reset, direction, style, t.patterns, t.widths, t.colours);
        else o = WRSetStackedGraph(g, set, interval, reset, direction, style, t.patterns, t.widths, t.colours);
        remember(*this, g, o, subtype == 1 ? Kind::Logic : Kind::Traces, traces);
        break;
    }
    case 18: {
        const int g = graph(), set = dataSet();
        const auto t = traceArrays(static_cast<std::size_t>(channelsOf(set)));
        const double interval = value();
        const int direction = in.ConsumeIntegralInRange(-1, 2), style = in.ConsumeIntegralInRange(-1, 3);
        const int o = WRSetSweepGraph(g, set, interval, direction, style, in.ConsumeIntegralInRange(-2, 17), t.patterns, t.widths, t.colours);
        remember(*this, g, o, Kind::Traces, 0);
        break;
    }
    case 19: {
        const int g = graph(), set = dataSet();
        const auto t = traceArrays(static_cast<std::size_t>(tracesFor(2, channelsOf(set))));
        const double reset = value();
        const int direction = in.ConsumeIntegralInRange(-1, 2), style = in.ConsumeIntegralInRange(-1, 3);
        remember(*this, g, WRSetVarScroll(g, set, reset, direction, style, t.patterns, t.widths, t.colours), Kind::Traces, 0);
        break;
    }
    case 20: {
        const int g = graph(), set = dataSet();
        const auto t = traceArrays(static_cast<std::size_t>(tracesFor(3, channelsOf(set))));
        const int points = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 400) : in.ConsumeIntegral<int>();
        remember(*this, g, WRSetXYGraph(g, set, points, t.patterns, t.widths, t.colours), Kind::Traces, 0);
        break;
    }
    case 21: {
        const int g = graph(), set = dataSet();
        const int channel = in.ConsumeIntegralInRange(-2, 33);
        const double interval = value(), reset = value();
        const int direction = in.ConsumeIntegralInRange(-1, 2);
        const double width = value();
        const int o = WRSetScrollBargraph(g, set, channel, interval, reset, direction, width, in.ConsumeIntegralInRange(-2, 6),
                                          in.ConsumeIntegralInRange(-1, 16));
        remember(*this, g, o, Kind::Other, 0);
        break;
    }
    case 22: {
        int g = 0, o = 0;
        target(g, o);
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0: WRShowHist(g, o, value(), output(d1, 1)); break;
        case 1: WRMoveHistScroll(g, o, value(), output(d1, 1)); break;
        case 2: WRResumeScroll(g, o); break;
        case 3: WRResetScroll(g, o); break;
        case 4: {
            const double interval = value(), reset = value();
            WRChangeScrollGraph(g, o, interval, reset, in.ConsumeIntegralInRange(-1, 3));
            break;
        }
        case 5: WRGetScrollGraphParams(g, o, output(d1, 1), output(d2, 1), output(i1, 1)); break;
        default: WRAutoRescale(g, o); break;
        }
        break;
    }
    case 23: {
        int g = 0, o = 0;
        target(g, o);
        // One name per bit shown: what the harness knows of the object, else the most.
        const int bits = known && known->kind == Kind::Logic ? known->traces : LogicBits;
        if (in.ConsumeBool()) {
            WRLogicTags(g, o, bytes(s1, static_cast<std::size_t>(bits) * 16));
        } else {
            std::vector<std::string> names(static_cast<std::size_t>(bits));
            std::unique_ptr<const char*[]> pointers;
            if (in.ConsumeIntegralInRange(0, 4)) {
                pointers = std::make_unique<const char*[]>(static_cast<std::size_t>(bits));
                for (int i = 0; i < bits; ++i) {
                    names[static_cast<std::size_t>(i)] = text();
                    pointers[static_cast<std::size_t>(i)] = in.ConsumeIntegralInRange(0, 5) ? names[static_cast<std::size_t>(i)].c_str() : nullptr;
                }
            }
            WRLogicTagsPtr(g, o, pointers.get());
        }
        break;
    }
    case 24: {
        const int g = graph(), set = dataSet();
        double v[10];
        for (double& x : v) x = value();
        const int style = in.ConsumeIntegralInRange(-1, 8), grid = in.ConsumeIntegralInRange(-1, 2), legend = in.ConsumeBool();
        std::int16_t* out = output(results, 11);
        int o = 0;
        if (in.ConsumeBool()) o = WRSetAutoScrollGraph(g, set, v[0], v[1], v[2], v[3], v[4], v[5], style, grid, v[6], v[7], legend, out);
        else o = WRSetAutoScrollGraph2(g, set, v[0], v[1], v[2], v[3], v[4], v[5], style, grid, v[6], v[7], legend, out, index(-2, 16));
        if (o > 0) ++forgets;  // a whole chart: axes and texts besides the graph
        break;
    }

    // --- bar graphs ---
    case 25: {
        const int g = graph(), set = dataSet();
        const auto n = static_cast<std::size_t>(channelsOf(set));
        const double base = value();
        const int orientation = in.ConsumeIntegralInRange(-1, 2);
        const double first = value(), last = value(), width = value();
        const int o = WRSetBargraph(g, set, base, orientation, first, last, width, ints(a1, n, 0, 0xFFFFFF), ints(a2, n, -1, 256),
                                    ints(a3, n, -2, 16));
        remember(*this, g, o, Kind::Other, 0);
        break;
    }
    case 26: {
        const int g = graph(), set = dataSet();
        double v[9];
        for (double& x : v) x = value();
        const int orientation = in.ConsumeIntegralInRange(-1, 2), legend = in.ConsumeBool(), panel = in.ConsumeBool();
        std::int16_t* out = output(results, 11);
        int o = 0;
        if (in.ConsumeBool()) o = WRSetAutoBargraph(g, set, v[0], v[1], v[2], v[3], v[4], orientation, v[5], v[6], v[7], legend, panel, out);
        else o = WRSetAutoBargraph2(g, set, v[0], v[1], v[2], v[3], v[4], orientation, v[5], v[6], v[7], legend, panel, out, index(-2, 16));
        if (o > 0) ++forgets;
        break;
    }

    // --- PID loops ---
    case 27:
    case 28: {
        const int input = dataSet(), outputSet = dataSet();
        double v[14];
        for (double& x : v) x = in.ConsumeBool() ? value() : in.ConsumeFloatingPointInRange(0.0, 100.0);
        const int loop = WRDefinePID(input, outputSet, string(s1), v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                                     v[11], v[12], v[13], in.ConsumeIntegral<int>());
        if (loop > 0) {
            // A loop narrows its data sets to what it uses.
            if (input) setChannels(input, std::min(channelsOf(input), 2));
            if (outputSet) setChannels(outputSet, 1);
            ++forgets;
        }
        break;
    }
    case 29: {
        const int g = graph(), loop = index(-1, 130);
        const int o = in.ConsumeBool() ? WRSetPIDBargraph(g, loop) : WRSetPIDBargraph2(g, loop, index(-2, 16));
        if (o > 0) ++forgets;
        break;
    }
    case 30:
    case 31:
    case 32: {
        const int loop = index(-1, 130);
        switch (in.ConsumeIntegralInRange(0, 10)) {
        case 0:
        case 1: WRCalcPID(loop, value(), output(d1, 1)); break;
        case 2: WRChangePIDSetp(loop, value()); break;
        case 3: WRChangePIDConstants(loop, value(), value(), value()); break;
        case 4: WRChangePIDOut(loop, value()); break;
        case 5: WRChangePIDAutoState(loop, in.ConsumeIntegral<int>()); break;
        case 6: WRGetPIDConstants(loop, output(d1, 1), output(d2, 1), output(d3, 1)); break;
        case 7: WRChangePIDSteadyState(loop, value()); break;
        case 8: WRGetPIDSetp(loop, output(d1, 1)); break;
        case 9: WRGetPIDAutoState(loop); break;
        default:
            ++forgets;
            WRDeletePID(loop, in.ConsumeBool());
            break;
        }
        break;
    }
    case 33: {
        // Refusals only: no loop 0, numbers outside the table.
        const int loop = in.ConsumeBool() ? 0 : in.ConsumeBool() ? in.ConsumeIntegralInRange(-1000, 0) : in.ConsumeIntegralInRange(128, 100000);
        WREditPIDDlg(loop);
        break;
    }

    // --- the families' dialog procedures, refusals only ---
    case 34: {
        DVDialogProc procedures[] = {DynBarsDlgProc, PIDDlgProc, ScrollGraphDlgProc, ScrollBarDlgProc, TimeAxisDlgProc, TimeLabelsDlgProc};
        const DVDialogProc procedure = procedures[in.ConsumeIntegralInRange(0, 5)];
        const DVDialogParam param{graph(), object(), dataSet(), index(-1, 130)};
        int local = 0;
        switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0: procedure(string(s1), &local, &param); break;  // an owner that is no window
        case 1: procedure(nullptr, nullptr, &param); break;    // no template
        default: procedure("DynBars", nullptr, nullptr); break; // no parameter
        }
        break;
    }
    // --- time axes and labels ---
    case 35: {
        const int g = graph();
        const double spacing = value();
        const int minor = index(-1, 10), side = in.ConsumeIntegralInRange(-1, 2);
        const double intercept = value();
        const int o = WRDrawTimeAxis(g, spacing, minor, side, intercept, in.ConsumeIntegralInRange(-1, 2), in.ConsumeIntegralInRange(-1, 5));
        if (o > 0) ++forgets;
        break;
    }
    case 36: {
        const int g = graph(), axis = object();
        int v[7];
        for (int& x : v) x = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 12) : in.ConsumeIntegral<int>();
        const double start = value();
        remember(*this, g, WRLabelTimeAxis(g, axis, v[0], v[1], v[2], v[3], v[4], v[5], start, v[6], string(s1)), Kind::Other, 0);
        break;
    }
    case 37: {
        int g = 0, o = 0;
        target(g, o);
        switch (in.ConsumeIntegralInRange(0, 4)) {
        case 0: WRUpdateTimeLabels(g, o, value()); break;
        case 1: WRResetTimeLabels(g, o, value()); break;
        case 2: WRChangeTimeLabelsFormat(g, o, in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 12) : in.ConsumeIntegral<int>()); break;
        case 3: WRStartTimeLabelsUpdate(g, o, object()); break;
        default: WRStopTimeLabelsUpdate(g, o, object()); break;
        }
        break;
    }
    default: {
        // Data through the families' objects: a burst of rows and ticks.
        const int set = dataSet();
        const int rows = in.ConsumeIntegralInRange(1, 8);
        for (int i = 0; i < rows && in.remaining_bytes() > 0; ++i) {
            std::vector<double> v = doubles(static_cast<std::size_t>(channelsOf(set)));
            WRUpdateData(set, v.data(), 0);
            clock.advance(in.ConsumeIntegralInRange(0, 1500));
        }
        break;
    }
    }
}

}  // namespace dynaview_fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) { return dynaview_fuzz::InitialiseHost("dynaview_families_api_fuzz"); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return dynaview_fuzz::RunInput(data, size); }
