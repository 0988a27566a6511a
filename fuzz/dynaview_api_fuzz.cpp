// dynaview's C interface promises that no sequence of calls, whatever the indices, counts,
// values (NaN, infinities) and null pointers, crashes, hangs or touches memory it was not
// given. This target drives random sequences of calls of the first families (data sets,
// alarms, text, meters, controls, saved records) on the session of
// fuzz/dynaview_fuzz_session.h.

#include "fuzz/dynaview_fuzz_session.h"
#include "plotbase/page_file.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace dynaview_fuzz {

void Session::step() {
    std::unique_ptr<char[]> s1, s2;
    std::vector<int> a1, a2, a3, a4;
    std::unique_ptr<double[]> d1, d2;
    std::unique_ptr<int[]> i1, i2, i3, i4, i5;
    std::unique_ptr<char[]> c1;
    switch (in.ConsumeIntegralInRange(0, 50)) {
    case 0: defineDataSet(); break;
    case 1: freeDataSet(); break;
    case 2: updateData(); break;
    case 3: updateBlockData(); break;
    case 4: {
        const int set = dataSet();
        const auto n = static_cast<std::size_t>(channelsOf(set));
        WRGetLastData(set, output(d1, n), output(d2, n));
        break;
    }
    case 5: {
        const int count = in.ConsumeIntegralInRange(-2, 3500);
        WRGetHistData(dataSet(), in.ConsumeIntegralInRange(-2, 34), output(d1, static_cast<std::size_t>(std::max(count, 1))),
                      in.ConsumeIntegralInRange(-3, 4000), count);
        break;
    }
    case 6: WRUpdateBinaryData(dataSet(), in.ConsumeIntegral<std::uint32_t>(), graph()); break;
    case 7: WRGetBinData(dataSet()); break;
    case 8: WRSetBit(dataSet(), in.ConsumeIntegralInRange(-2, 40), in.ConsumeIntegral<int>(), graph()); break;
    case 9: WRSetBitExclusive(dataSet(), in.ConsumeIntegralInRange(-2, 40), graph()); break;
    case 10: WRGetMinMaxValues(dataSet(), in.ConsumeIntegralInRange(-3, 34), output(d1, 1), output(d2, 1)); break;
    case 11: WRResetHistBuffer(dataSet()); break;
    case 12: WRReconnectDynDataSet(graph(), object(), dataSet()); break;
    case 13: WRSetAlarm(dataSet(), in.ConsumeIntegralInRange(-2, 9), value(), string(s1)); break;
    case 14: WRChangeAlarm(dataSet(), in.ConsumeIntegralInRange(-2, 9), value(), in.ConsumeIntegral<int>(), string(s1)); break;
    case 15: {
        const char* message = nullptr;
        WRGetAlarm(dataSet(), in.ConsumeIntegralInRange(-2, 9), output(d1, 1), output(i1, 1), in.ConsumeBool() ? &message : nullptr);
        if (message) (void)std::string(message);  // must be a string dynaview holds
        break;
    }
    case 16: WRSetSetpoint(dataSet(), value()); break;
    case 17: WRSetAlarmHyst(dataSet(), value(), value()); break;
    case 18: WREnableAlarmCheck(dataSet(), in.ConsumeIntegral<int>()); break;
    case 19: {
        const int which = in.ConsumeIntegralInRange(0, 2);
        WRSetAlarmProc(which == 0 ? nullptr : which == 1 ? recordingAlarm : nastyAlarm);
        break;
    }
    case 20:
        WRSetAlarmLines(graph(), dataSet(), in.ConsumeIntegralInRange(-2, 70000), in.ConsumeIntegral<int>(), ints(a1, 5, -1, 2),
                        ints(a2, 5, -1, 6), ints(a3, 5, -1, 51), ints(a4, 5, -1, 16));
        break;
    case 21: WRGetAlarmLineState(graph(), object(), in.ConsumeIntegralInRange(-2, 6)); break;
    case 22: WREnableAlarmLine(graph(), object(), in.ConsumeIntegralInRange(-2, 6), in.ConsumeIntegral<int>()); break;
    case 23: {
        std::unique_ptr<char[]> names;
        if (in.ConsumeBool()) {
            names = std::make_unique<char[]>(60);
            for (int i = 0; i < 60; ++i) names[static_cast<std::size_t>(i)] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        }
        if (in.ConsumeBool())
            WRSetAlarmMarks(graph(), dataSet(), object(), in.ConsumeIntegral<int>(), in.ConsumeIntegralInRange(-2, 80), ints(a1, 5, -1, 2),
                            in.ConsumeIntegralInRange(-2, 60), ints(a2, 5, -1, 16), names.get());
        else
            WRChangeAlarmMarks(graph(), object(), in.ConsumeIntegralInRange(-2, 2), in.ConsumeIntegralInRange(-2, 80), ints(a1, 5, -1, 2),
                               in.ConsumeIntegralInRange(-2, 60), ints(a2, 5, -1, 16), names.get());
        break;
    }
    case 24:
        WRGetAlarmMarks(graph(), object(), output(i1, 1), output(i2, 1), output(i3, 5), output(i4, 1), output(i5, 5), output(c1, 60));
        break;
    case 25: {
        const int set = dataSet();
        WRSetAlarmText(graph(), set, in.ConsumeIntegralInRange(-2, 34), value(), value(), value(), value(), in.ConsumeIntegralInRange(-2, 6),
                       in.ConsumeIntegralInRange(-1, 51), in.ConsumeIntegralInRange(-2, 16), in.ConsumeIntegralInRange(-1, 3), string(s1),
                       ints(a1, 8, -1, 16), in.ConsumeIntegralInRange(-1, 8), in.ConsumeIntegralInRange(-1, 201));
        break;
    }
    case 26: SetObjTimeUpdate(graph(), object(), in.ConsumeIntegralInRange(-2, 70000)); break;
    case 27: WRStopObjTimeUpdate(graph(), object()); break;
    case 28: WRUpdateObj(graph(), object()); break;
    case 29: WRDeleteRTObject(graph(), object()); break;
    case 30: WRDeleteRTGraph(graph()); break;
    case 31: KillRTPage(index(-1, 62)); break;
    case 32: RescaleDynObj(graph(), object(), object()); break;
    case 33: plotbase::WGChangeAxisRange(env, graph(), object(), value(), value()); break;
    case 34: WRGetDynTypeSize(in.ConsumeIntegral<int>()); break;
    case 35: UpdateTimerProc(nullptr, 0, 0, in.ConsumeIntegral<std::uint32_t>()); break;
    case 36: clock.advance(in.ConsumeIntegralInRange(0, 5000)); break;
    case 37: {
        int local = 0;
        void* windows[] = {nullptr, host, &local, plotbase::WGGetGraphWindow(env, graphs[0]), plotbase::WGGetGraphWindow(env, graphs[1])};
        plotbase::WGSelectObject(env, graphs[0], 0);
        const int pick = in.ConsumeIntegralInRange(0, 4);
        if (rtObjFind(windows[pick]) == 0) rtDefEditObject(windows[pick], graphs[0]);  // nothing selected: no dialog
        break;
    }
    case 38: in.ConsumeBool() ? StartUpdateTimer() : StopUpdateTimer(); break;
    case 39:
        if (in.ConsumeBool()) RTCleanup(handle);
        InitRTDll(handle);
        break;
    case 40: renderPage(); break;
    case 41: {
        const DVDialogParam param{graph(), object(), dataSet(), 0};
        int local = 0;
        // Refusals only: an unknown template, no procedure, or an owner that is no window.
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0: rtDisplayDialogBoxParam(AlarmLineDlgProc, string(s1), &local, &param); break;
        case 1: rtDisplayDialogBoxParam(nullptr, "AlarmLines", nullptr, &param); break;
        case 2: AlarmTextDlgProc("AlarmLines", nullptr, in.ConsumeBool() ? &param : nullptr); break;
        default: AlarmMarksDlgProc(nullptr, &local, &param); break;
        }
        break;
    }
    case 42: dvClearStopFlag(handle); break;
    case 43: {
        char buffer[40];
        const int size = in.ConsumeIntegralInRange(-1, 40);
        dvLastError(handle, size > 0 ? buffer : nullptr, size);
        break;
    }
    case 44:  // controls: made
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            WRSetScrBarControl(graph(), value(), value(), value(), value(), index(-1, 2), in.ConsumeIntegral<int>(),
                               in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>());
            break;
        case 1: WRSetButtonControl(graph(), string(s1), value(), value(), value(), value(), index(-1, 3), index(-2, 17)); break;
        case 2: WRSetButtonGroup(graph(), index(-1, 18), string(s1), value(), value(), value(), value(), index(-1, 4)); break;
        default: WRSetLEDControl(graph(), value(), value(), value(), index(-2, 17), index(-2, 17)); break;
        }
        break;
    case 45: {  // controls: read, changed, worked
        const int g = graph(), o = object();
        switch (in.ConsumeIntegralInRange(0, 8)) {
        case 0: WRSetScrollPos(g, o, in.ConsumeIntegral<int>()); break;
        case 1: WRGetScrBar(g, o, output(i1, 1), output(i2, 1), output(i3, 1)); break;
        case 2: WRChangeScrBar(g, o, in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()); break;
        case 3: WRGetButtonState(g, o, index(-1, 18)); break;
        case 4: WRChangeButtonState(g, o, index(-1, 18), index(-1, 18)); break;
        case 5: WRChangeButtonColor(g, o, index(-2, 17)); break;
        case 6: ButtonDelayEnd(g, o); break;
        case 7:
            WRGetScrollPos(g, o);
            WRGetButtonColor(g, o);
            break;
        default:
            DVChildControlProc(in.ConsumeBool() ? WRGetButtonWindow(g, o) : host, in.ConsumeIntegralInRange(0, 6),
                               in.ConsumeIntegral<std::uint32_t>(), in.ConsumeIntegral<std::int64_t>());
            break;
        }
        break;
    }
    case 46: {
        // One object's record through a C stream and back, or any bytes taken as a record.
        std::FILE* file = std::tmpfile();
        if (!file) break;
        if (in.ConsumeBool()) {
            SaveDynObject(in.ConsumeBool() ? file : nullptr, graph(), object());
            std::rewind(file);
            unsigned char head[4];
            if (in.ConsumeBool() && std::fread(head, 1, 4, file) != 4) std::rewind(file);
        } else {
            const std::string junk = in.ConsumeRandomLengthString(300);
            std::fwrite(junk.data(), 1, junk.size(), file);
            std::rewind(file);
        }
        RestoreDynObject(in.ConsumeBool() ? file : nullptr, graph(), in.ConsumeIntegralInRange(98, 113), in.ConsumeIntegralInRange(-2, 120));
        std::fclose(file);
        break;
    }
    case 47: {
        // The page saved and opened again, its bytes perhaps damaged on the way.
        auto bytes = plotbase::SerializePage(env, page);
        if (!bytes || bytes->empty()) break;
        if (in.ConsumeBool())
            (*bytes)[in.ConsumeIntegralInRange<std::size_t>(0, bytes->size() - 1)] ^= static_cast<char>(in.ConsumeIntegralInRange(1, 255));
        static const std::string path = "/tmp/dynaview_api_fuzz_" + std::to_string(::getpid()) + ".pbp";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << *bytes;
        if (const int opened = plotbase::WGRestorePage(env, path, host)) KillRTPage(opened);
        break;
    }
    case 48: {
        const int set = dataSet();
        const auto n = static_cast<std::size_t>(std::max(1, channelsOf(set)));
        std::vector<char> table(42 * 9, 'm');
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            WRSetMessage(graph(), set, in.ConsumeIntegralInRange(-2, 17), value(), value(), in.ConsumeIntegralInRange(-2, 6),
                         in.ConsumeIntegralInRange(-1, 51), in.ConsumeIntegralInRange(-2, 16), in.ConsumeIntegralInRange(-1, 9),
                         in.ConsumeBool() ? table.data() : nullptr, ints(a1, 9, -1, 16));
            break;
        case 1: {
            const char* text = nullptr;
            WRGetMessageParams(graph(), object(), in.ConsumeBool() ? &text : nullptr, output(i1, 1), in.ConsumeIntegralInRange(-2, 9));
            break;
        }
        case 2: WRChangeMessage(graph(), object(), string(s1), in.ConsumeIntegralInRange(-1, 16), in.ConsumeIntegralInRange(-2, 9)); break;
        case 3:
            WRSetDynText(graph(), set, in.ConsumeIntegralInRange(-2, 34), value(), value(), value(), value(), in.ConsumeIntegralInRange(-2, 6),
                         in.ConsumeIntegralInRange(-1, 51), ints(a1, n, -1, 16), in.ConsumeIntegralInRange(-2, 16),
                         in.ConsumeIntegralInRange(-1, 2), in.ConsumeIntegralInRange(-1, 201), in.ConsumeIntegralInRange(-1, 16), object(),
                         in.ConsumeIntegralInRange(-1, 6));
            break;
        case 4:
            in.ConsumeBool() ? WRGetDynTextColor(graph(), object(), in.ConsumeIntegralInRange(-2, 34), output(i1, 1))
                             : WRChangeDynTextColor(graph(), object(), in.ConsumeIntegralInRange(-2, 34), in.ConsumeIntegralInRange(-1, 16));
            break;
        case 5: {
            std::unique_ptr<std::int16_t[]> results;
            WRSetAutoText2(graph(), set, value(), value(), value(), value(), in.ConsumeIntegralInRange(-1, 16), output(results, n),
                           in.ConsumeIntegralInRange(-2, 34));
            break;
        }
        case 6:
            WRSetAnnun2(graph(), set, string(s1), value(), value(), value(), value(), in.ConsumeIntegralInRange(-1, 16),
                        in.ConsumeIntegralInRange(-2, 34));
            break;
        default:
            switch (in.ConsumeIntegralInRange(0, 4)) {
            case 0: WRGetAnnTitle(graph(), object()); break;
            case 1: WRGetAnnTag(graph(), object(), in.ConsumeIntegralInRange(-2, 34)); break;
            case 2: WRGetAnnVal(graph(), object(), in.ConsumeIntegralInRange(-2, 34)); break;
            case 3: WRGetAnnUnits(graph(), object(), in.ConsumeIntegralInRange(-2, 34)); break;
            default: WRGetAnnAlm(graph(), object(), in.ConsumeIntegralInRange(-2, 34)); break;
            }
            break;
        }
        break;
    }
    case 49: {
        const int set = dataSet();
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            WRSetMeter(graph(), set, in.ConsumeIntegralInRange(-2, 6), value(), value(), value(), value(), value(), in.ConsumeIntegralInRange(-800, 800),
                       in.ConsumeIntegralInRange(-800, 800), in.ConsumeIntegralInRange(-1, 6), ints(a1, 5, -1, 16), value(), value(),
                       in.ConsumeIntegralInRange(-1, 101), in.ConsumeIntegralInRange(-1, 3), in.ConsumeIntegralInRange(-1, 2), in.ConsumeBool(),
                       in.ConsumeIntegralInRange(-1, 16), in.ConsumeIntegralInRange(-1, 16), value(), ints(a2, 3, -1, 201));
            break;
        case 1:
            WRSetArcMeter(graph(), set, in.ConsumeIntegralInRange(-2, 6), value(), value(), value(), value(), value(), value(),
                          in.ConsumeIntegralInRange(-800, 800), in.ConsumeIntegralInRange(-800, 800), in.ConsumeIntegralInRange(-1, 16),
                          in.ConsumeIntegralInRange(-1, 16), value(), value(), value(), in.ConsumeIntegralInRange(-1, 101),
                          in.ConsumeIntegralInRange(-1, 3), in.ConsumeIntegralInRange(-1, 2), in.ConsumeBool(), in.ConsumeIntegralInRange(-1, 16),
                          in.ConsumeIntegralInRange(-1, 16), value(), ints(a2, 3, -1, 201));
            break;
        case 2:
            WRSetPieMeter(graph(), set, in.ConsumeIntegralInRange(-2, 6), value(), value(), value(), value(), value(), value(),
                          in.ConsumeIntegralInRange(-800, 800), in.ConsumeIntegralInRange(-800, 800), in.ConsumeIntegralInRange(-1, 16),
                          in.ConsumeIntegralInRange(-1, 16), value(), value(), in.ConsumeIntegralInRange(-1, 101), in.ConsumeIntegralInRange(-1, 3),
                          in.ConsumeIntegralInRange(-1, 2), in.ConsumeIntegralInRange(-1, 16), value(), ints(a2, 3, -1, 201));
            break;
        case 3:
            WRSetMeterBorder(graph(), object(), value(), value(), value(), value(), in.ConsumeIntegralInRange(-2, 16), in.ConsumeIntegralInRange(-1, 3),
                             in.ConsumeIntegralInRange(-1, 16), in.ConsumeIntegralInRange(-1, 51));
            break;
        case 4:
            in.ConsumeBool() ? WRChangeMeterRange(graph(), object(), value(), value(), value(), in.ConsumeBool())
                             : WRGetMeterRange(graph(), object(), output(d1, 1), output(d2, 1), nullptr);
            break;
        case 5:
            in.ConsumeBool() ? WRChangeMeterTicks(graph(), object(), value(), value(), in.ConsumeIntegralInRange(-1, 101), in.ConsumeBool(), in.ConsumeBool())
                             : WRGetMeterTicks(graph(), object(), output(d1, 1), output(d2, 1), output(i1, 1), output(i2, 1));
            break;
        case 6:
            in.ConsumeBool() ? WRChangeMeterCenter(graph(), object(), value(), value(), value(), in.ConsumeBool())
                             : WRGetMeterCenter(graph(), object(), output(d1, 1), output(d2, 1), nullptr);
            break;
        default:
            in.ConsumeBool() ? WRChangeMeterAngles(graph(), object(), in.ConsumeIntegral<int>(), in.ConsumeIntegralInRange(-800, 800), in.ConsumeBool())
                             : WRGetMeterAngles(graph(), object(), output(i1, 1), output(i2, 1));
            break;
        }
        break;
    }
    default:
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0: {
            const int set = dataSet();
            const auto n = static_cast<std::size_t>(channelsOf(set));
            WRSetBargraph(graph(), set, value(), in.ConsumeIntegralInRange(0, 2), value(), value(), value(), ints(a1, n, 0, 0xFFFFFF),
                          ints(a2, n, 0, 255), ints(a3, n, -2, 16));
            break;
        }
        case 1: {
            std::unique_ptr<std::int16_t[]> results;
            WRSetAutoBargraph2(graph(), dataSet(), value(), value(), value(), value(), value(), in.ConsumeIntegralInRange(0, 2), value(),
                               value(), value(), in.ConsumeBool(), in.ConsumeBool(), output(results, 11), index(-2, 16));
            break;
        }
        case 2:
            WRDefinePID(dataSet(), dataSet(), string(s1), value(), value(), value(), value(), value(), value(), value(), value(), value(),
                        value(), value(), value(), value(), value(), in.ConsumeIntegral<int>());
            WRSetPIDBargraph2(graph(), index(-1, 130), index(-2, 16));
            break;
        default: {
            const int loop = index(-1, 130);
            switch (in.ConsumeIntegralInRange(0, 7)) {
            case 0: WRCalcPID(loop, value(), output(d1, 1)); break;
            case 1: WRChangePIDSetp(loop, value()); break;
            case 2: WRChangePIDConstants(loop, value(), value(), value()); break;
            case 3: WRChangePIDOut(loop, value()); break;
            case 4: WRChangePIDAutoState(loop, in.ConsumeIntegral<int>()); break;
            case 5: WRGetPIDConstants(loop, output(d1, 1), output(d2, 1), nullptr); break;
            case 6: WRChangePIDSteadyState(loop, value()); break;
            default: WRDeletePID(loop, in.ConsumeBool()); break;
            }
            break;
        }
        }
        break;
    }
}

}  // namespace dynaview_fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) { return dynaview_fuzz::InitialiseHost("dynaview_api_fuzz"); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return dynaview_fuzz::RunInput(data, size); }
