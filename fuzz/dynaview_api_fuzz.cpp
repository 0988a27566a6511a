// dynaview's C interface promises that no sequence of calls, whatever the indices, counts,
// values (NaN, infinities) and null pointers, crashes, hangs or touches memory it was not
// given. This target drives random sequences of calls on an environment with a page and two
// graphs. Buffers are heap blocks of exactly the size each call's contract names, so that
// the sanitizers see any access beyond them. (Dialogs are not opened: they would wait for
// a user; only their refusals are driven.)

#include "dynaview/include/dynaview.h"
#include "dynaview/include/dynaview_cxx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "platform/virtual_clock.h"
#include "plotbase/page_file.h"
#include "plotbase/plotbase.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Session;
Session* active = nullptr;  // for the alarm procedure, which has no user data
QWidget* host = nullptr;    // one window for every input: making a window is slow

struct Session {
    explicit Session(FuzzedDataProvider& input) : in(input), clock(in.ConsumeIntegral<std::uint32_t>()) {
        dynaview::ResetLibrary();
        dynaview::UseClock(&clock);
        dialogs.defaultAnswer = in.ConsumeBool() ? platform::Answer::Yes : platform::Answer::No;
        handle = dynaview::RegisterEnvironment(env);
        InitRTDll(handle);
        page = plotbase::InitPage(env, "P", host, "P", 0, 15, 8, plotbase::ChildWindow | plotbase::VisibleWindow, {}, nullptr);
        for (int i = 0; i < 2; ++i) {
            const int graph = graphs[i] = plotbase::InitGraph(env, page, 0.0, 0.5 * i, 1.0, 0.5 * (i + 1), 0, 0, 0, nullptr);
            plotbase::WGSetPlotArea(env, graph, 0.1, 0.1, 0.9, 0.9, plotbase::ClipToPlotArea);
            plotbase::WGScalePlotArea(env, graph, 0.0, -10.0, 100.0, 10.0);
            plotbase::WGDrawXAxis(env, graph, 10.0, 1, 0);
            plotbase::WGDrawYAxis(env, graph, 2.0, 1, 1);
        }
        active = this;
    }
    ~Session() {
        active = nullptr;
        KillRTPage(page);
        RTCleanup(handle);
        dynaview::ForgetEnvironment(env);
        dynaview::ResetLibrary();
    }

    // --- arguments ---
    int graph() {
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: return 0;
        case 1: return in.ConsumeIntegral<int>();
        case 2: return graphs[1];
        default: return graphs[0];
        }
    }
    int index(int low, int high) { return in.ConsumeBool() ? in.ConsumeIntegralInRange(low, high) : in.ConsumeIntegral<int>(); }
    int dataSet() { return in.ConsumeProbability<double>() < 0.9 ? in.ConsumeIntegralInRange(-1, 6) : in.ConsumeIntegral<int>(); }
    int object() { return in.ConsumeProbability<double>() < 0.9 ? in.ConsumeIntegralInRange(-1, 12) : in.ConsumeIntegral<int>(); }
    double value() {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0: return std::numeric_limits<double>::quiet_NaN();
        case 1: return std::numeric_limits<double>::infinity();
        case 2: return -std::numeric_limits<double>::infinity();
        case 3: return in.ConsumeFloatingPoint<double>();
        default: return in.ConsumeFloatingPointInRange(-200.0, 200.0);
        }
    }
    std::string text() { return in.ConsumeRandomLengthString(80); }
    // A string argument: null, or a heap copy of exactly its characters and the zero.
    const char* string(std::unique_ptr<char[]>& keep) {
        if (in.ConsumeIntegralInRange(0, 4) == 0) return nullptr;
        const std::string s = text();
        keep = std::make_unique<char[]>(s.size() + 1);
        std::copy(s.begin(), s.end(), keep.get());
        keep[s.size()] = '\0';
        return keep.get();
    }
    // The channels of the data set at an index (the length its value arrays must have), or
    // a small arbitrary length for an index that names none.
    int channelsOf(int set) {
        const int known = set >= 1 && set < static_cast<int>(channels.size()) ? channels[static_cast<std::size_t>(set)] : 0;
        return known > 0 ? known : in.ConsumeIntegralInRange(0, 3);
    }
    // An int array argument of n entries (or null).
    const int* ints(std::vector<int>& keep, std::size_t n, int low, int high) {
        if (in.ConsumeBool()) return nullptr;
        keep.resize(n);
        for (int& v : keep) v = in.ConsumeBool() ? in.ConsumeIntegralInRange(low, high) : in.ConsumeIntegral<int>();
        return keep.data();
    }
    std::vector<double> doubles(std::size_t n) {
        std::vector<double> v(n);
        for (double& d : v) d = value();
        return v;
    }
    template <typename T>
    T* output(std::unique_ptr<T[]>& keep, std::size_t n) {
        if (in.ConsumeIntegralInRange(0, 3) == 0) return nullptr;
        keep = std::make_unique<T[]>(n);
        return keep.get();
    }

    void step();

    FuzzedDataProvider& in;
    platform::VirtualClock clock;
    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    plotbase::Environment env{dialogs, numbers};
    DVEnvironment* handle = nullptr;
    int page = 0;
    int graphs[2] = {0, 0};
    std::vector<int> channels = std::vector<int>(200, 0);  // what the harness defined, by index
    int nastyCalls = 0;
};

void recordingAlarm(int, int, int, double, int) {}

// An alarm procedure that does what an application might do in one: free things, clean up.
void nastyAlarm(int set, int, int kind, double, int) {
    if (!active || ++active->nastyCalls > 20) return;
    switch (kind % 4) {
    case 0: WRFreeDynDataSet(set); break;
    case 1: RTCleanup(active->handle); break;
    case 2: WRDeleteRTGraph(active->graphs[0]); break;
    default: WRSetAlarmProc(nullptr); break;
    }
}

void Session::step() {
    std::unique_ptr<char[]> s1, s2;
    std::vector<int> a1, a2, a3, a4;
    std::unique_ptr<double[]> d1, d2;
    std::unique_ptr<int[]> i1, i2, i3, i4, i5;
    std::unique_ptr<char[]> c1;
    switch (in.ConsumeIntegralInRange(0, 50)) {
    case 0: {
        const int n = in.ConsumeIntegralInRange(-2, 34);
        const int rows = in.ConsumeProbability<double>() < 0.95 ? in.ConsumeIntegralInRange(-2, 3000) : in.ConsumeIntegral<int>();
        std::unique_ptr<char[]> tags;
        if (n >= 1 && n <= 32 && in.ConsumeBool()) {
            tags = std::make_unique<char[]>(static_cast<std::size_t>(n) * 16);
            for (int i = 0; i < n * 16; ++i) tags[static_cast<std::size_t>(i)] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        }
        const int set = WRDefineDynDataSet(string(s1), n, string(s2), tags.get(), rows);
        if (set > 0 && set < static_cast<int>(channels.size())) channels[static_cast<std::size_t>(set)] = n;
        break;
    }
    case 1: {
        const int set = dataSet();
        if (WRFreeDynDataSet(set) && set >= 1 && set < static_cast<int>(channels.size())) channels[static_cast<std::size_t>(set)] = 0;
        break;
    }
    case 2: {
        const int set = dataSet();
        std::vector<double> v = doubles(static_cast<std::size_t>(channelsOf(set)));
        WRUpdateData(set, in.ConsumeIntegralInRange(0, 9) ? v.data() : nullptr, graph());
        break;
    }
    case 3: {
        const int set = dataSet();
        const int count = in.ConsumeIntegralInRange(-2, 40);
        std::vector<double> v = doubles(static_cast<std::size_t>(std::max(count, 0) * channelsOf(set)));
        WRUpdateBlockData(set, in.ConsumeIntegralInRange(0, 9) ? v.data() : nullptr, count, graph());
        break;
    }
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
    case 40: {
        QImage image(160, 120, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        QCoreApplication::processEvents();
        break;
    }
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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dynaview_api_fuzz";
    static char* argv[] = {name, nullptr};
    // Kept for the whole run and never destroyed: Qt's objects cannot outlive it at exit.
    new QApplication(argc, argv);
    host = new QWidget;
    host->resize(320, 240);
    host->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Session session(input);
    for (int calls = 0; calls < 300 && input.remaining_bytes() > 0; ++calls) session.step();
    return 0;
}
