// The PID loops' exported functions: definition, the step with its publishing to the
// loop's data sets, the get and change functions, deletion, and the clean-up at RTCleanup.

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/families.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/pid/pid_table.h"

#include <cmath>

using namespace dynaview;
using api::Refuse;
using api::WithTop;

namespace {

constexpr unsigned AutoBit = 1u << 0;
constexpr unsigned ManualBit = 1u << 1;

// The loop of a number: a number outside 1..127 is refused (error 18); an empty slot
// gives null without a report.
PidSlot* loopOrRefuse(plotbase::Environment& env, RTTop& top, int number, const char* operation) {
    if (!ValidLoopNumber(number)) {
        Refuse(env, operation);
        return nullptr;
    }
    return PidTable::of(top).at(number);
}

// The data set a loop publishes to, while one is defined at its index (the application
// may free it without telling the loop).
DynDataSet* publishedSet(RTTop& top, int index) { return index ? top.dataSets.at(index) : nullptr; }

// Sends the step's values to the loop's data sets. The application's alarm procedure runs
// inside the updates and may delete the loop or clean everything up: each stage looks the
// loop up again.
void publish(plotbase::Environment& env, int number, const PidSlot* slot) {
    RTTop* top = TopOf(env);
    if (!top || PidTable::of(*top).at(number) != slot) return;
    const PidLoop& loop = slot->loop;
    if (DynDataSet* input = publishedSet(*top, loop.inputSet)) {
        if (input->alarm.setpoint != loop.setpoint) {
            input->alarm.setpoint = loop.setpoint;
            RefreshAlarmDisplays(env, loop.inputSet);
        }
        const double values[2]{loop.pv, loop.setpoint};
        WRUpdateData(loop.inputSet, values, 0);
    }
    top = TopOf(env);
    if (!top || PidTable::of(*top).at(number) != slot) return;
    const int outputSet = loop.outputSet;
    if (!publishedSet(*top, outputSet)) return;
    const double u = loop.u;
    const bool automatic = loop.automatic;
    WRUpdateData(outputSet, &u, 0);
    top = TopOf(env);
    DynDataSet* output = top && PidTable::of(*top).at(number) == slot ? publishedSet(*top, outputSet) : nullptr;
    if (!output) return;
    if (automatic && !(output->binary & AutoBit))
        WRSetBitExclusive(outputSet, 0, 0);
    else if (!automatic && (output->binary & AutoBit))
        WRSetBitExclusive(outputSet, 1, 0);
}


void deleteLoop(RTTop& top, int number, bool freeDataSets) {
    std::unique_ptr<PidSlot> slot = PidTable::of(top).take(number);
    if (!slot || !freeDataSets) return;
    if (publishedSet(top, slot->loop.inputSet)) WRFreeDynDataSet(slot->loop.inputSet);
    if (publishedSet(top, slot->loop.outputSet)) WRFreeDynDataSet(slot->loop.outputSet);
}

}  // namespace

extern "C" {

DV_API int WRDefinePID(int inputSet, int outputSet, const char* name, double setpoint, double gain, double integral,
                       double derivative, double bias, double processHigh, double processLow, double outputRangeA,
                       double outputRangeB, double limitHigh, double limitLow, double rateLimit, double sampleInterval,
                       double filter, int reverse) {
    return WithTop(0, "WRDefinePID", [&](plotbase::Environment& env, RTTop& top) {
        constexpr const char* operation = "WRDefinePID";
        PidDefinition definition{name ? CutText(name, PidNameLength) : std::string(),
                                 setpoint, gain, integral, derivative, bias, processHigh, processLow, outputRangeA,
                                 outputRangeB, limitHigh, limitLow, rateLimit, sampleInterval, filter, reverse != 0};
        if (!PidDefinitionUsable(definition)) return Refuse(env, operation);
        PidTable& table = PidTable::of(top);
        const int number = table.firstFree();
        if (!number) {
            ReportDynError(env, plotbase::OutOfMemory, 2, " - WRDefinePID");
            return 0;
        }
        auto slot = std::make_unique<PidSlot>();
        slot->loop = MakePidLoop(definition);
        if (DynDataSet* input = inputSet ? top.dataSets.at(inputSet) : nullptr) {
            input->channels = std::min(input->channels, 2);
            slot->loop.inputSet = inputSet;
        }
        DynDataSet* output = outputSet ? top.dataSets.at(outputSet) : nullptr;
        if (output) {
            output->channels = 1;
            slot->loop.outputSet = outputSet;
        }
        table.put(number, std::move(slot));
        if (output) WRUpdateBinaryData(outputSet, (output->binary | AutoBit) & ~ManualBit, 0);
        return number;
    });
}

DV_API int WRCalcPID(int loop, double processValue, double* output) {
    return WithTop(0, "WRCalcPID", [&](plotbase::Environment& env, RTTop& top) {
        PidSlot* slot = loopOrRefuse(env, top, loop, "WRCalcPID");
        if (!slot) return 0;
        if (!output || !std::isfinite(processValue)) return Refuse(env, "WRCalcPID");
        const double u = PidStep(slot->loop, processValue);
        publish(env, loop, slot);
        *output = u;
        return 1;
    });
}

DV_API int WRDeletePID(int loop, int freeDataSets) {
    return WithTop(0, "WRDeletePID", [&](plotbase::Environment& env, RTTop& top) {
        if (!loopOrRefuse(env, top, loop, "WRDeletePID")) return 0;
        deleteLoop(top, loop, freeDataSets != 0);
        return 1;
    });
}

DV_API int WRChangePIDSetp(int loop, double setpoint) {
    return WithTop(0, "WRChangePIDSetp", [&](plotbase::Environment& env, RTTop& top) {
        PidSlot* slot = loopOrRefuse(env, top, loop, "WRChangePIDSetp");
        if (!slot) return 0;
        if (!std::isfinite(setpoint)) return Refuse(env, "WRChangePIDSetp");
        slot->loop.setpoint = ClampToProcessRange(slot->loop, setpoint);
        return 1;
    });
}

DV_API int WRGetPIDSetp(int loop, double* setpoint) {
    return WithTop(0, "WRGetPIDSetp", [&](plotbase::Environment& env, RTTop& top) {
        const PidSlot* slot = loopOrRefuse(env, top, loop, "WRGetPIDSetp");
        if (!slot) return 0;
        if (!setpoint) return Refuse(env, "WRGetPIDSetp");
        *setpoint = slot->loop.setpoint;
        return 1;
    });
}

DV_API int WRGetPIDAutoState(int loop) {
    return WithTop(0, "WRGetPIDAutoState", [&](plotbase::Environment& env, RTTop& top) {
        const PidSlot* slot = loopOrRefuse(env, top, loop, "WRGetPIDAutoState");
        return slot && slot->loop.automatic ? 1 : 0;
    });
}

DV_API int WRChangePIDAutoState(int loop, int state) {
    return WithTop(0, "WRChangePIDAutoState", [&](plotbase::Environment& env, RTTop& top) {
        PidSlot* slot = loopOrRefuse(env, top, loop, "WRChangePIDAutoState");
        if (!slot) return 0;
        slot->loop.automatic = state != 0;
        return 1;
    });
}

DV_API int WRChangePIDOut(int loop, double output) {
    return WithTop(0, "WRChangePIDOut", [&](plotbase::Environment& env, RTTop& top) {
        PidSlot* slot = loopOrRefuse(env, top, loop, "WRChangePIDOut");
        if (!slot || slot->loop.automatic) return 0;
        if (!std::isfinite(output)) return Refuse(env, "WRChangePIDOut");
        slot->loop.u = output;
        return 1;
    });
}

DV_API int WRChangePIDConstants(int loop, double gain, double integral, double derivative) {
    return WithTop(0, "WRChangePIDConstants", [&](plotbase::Environment& env, RTTop& top) {
        PidSlot* slot = loopOrRefuse(env, top, loop, "WRChangePIDConstants");
        if (!slot) return 0;
        if (!std::isfinite(gain) || !std::isfinite(integral) || !std::isfinite(derivative)) return Refuse(env, "WRChangePIDConstants");
        SetPidConstants(slot->loop, gain, integral, derivative);
        return 1;
    });
}

DV_API int WRGetPIDConstants(int loop, double* gain, double* integral, double* derivative) {
    return WithTop(0, "WRGetPIDConstants", [&](plotbase::Environment& env, RTTop& top) {
        const PidSlot* slot = loopOrRefuse(env, top, loop, "WRGetPIDConstants");
        if (!slot) return 0;
        double g = 0.0, i = 0.0, d = 0.0;
        GetPidConstants(slot->loop, g, i, d);
        if (gain) *gain = g;
        if (integral) *integral = i;
        if (derivative) *derivative = d;
        return 1;
    });
}

DV_API int WRChangePIDSteadyState(int loop, double bias) {
    return WithTop(0, "WRChangePIDSteadyState", [&](plotbase::Environment& env, RTTop& top) {
        PidSlot* slot = loopOrRefuse(env, top, loop, "WRChangePIDSteadyState");
        if (!slot) return 0;
        if (!std::isfinite(bias)) return Refuse(env, "WRChangePIDSteadyState");
        slot->loop.bias = bias;
        Rebalance(slot->loop);
        return 1;
    });
}

}  // extern "C"

namespace {

// At RTCleanup, after the data link and before the data sets go: every loop with its data
// sets.
const FamilyRegistration pidFamily{Family{
    "pid",
    {},
    {{"PIDDLG", "PID Parameters", PIDDlgProc}},
    20,
    [](plotbase::Environment&, RTTop& top) {
        for (int n = 1; n <= MaxPidLoops; ++n) deleteLoop(top, n, true);
        top.dropFamilyState("pid");
    },
    nullptr,
}};

}  // namespace
