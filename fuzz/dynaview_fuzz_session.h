// The session of dynaview's API fuzz targets: an environment with a page and two graphs,
// reset for every input, with the argument generators and the data-set calls. A target
// defines Session::step, one random call of the functions it drives.
//
// Argument discipline: buffers are heap blocks of exactly the size each call's contract
// names, so that the sanitizers see any access beyond them; indices and counts are mostly
// near the valid range and sometimes anything; values include NaN and the infinities.
// Dialogs are never opened (they would wait for a user): only their refusals are driven.
#pragma once

#include "dynaview/include/dynaview.h"
#include "dynaview/include/dynaview_cxx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "platform/virtual_clock.h"
#include "plotbase/plotbase.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace dynaview_fuzz {

struct Session;
inline Session* active = nullptr;  // for the alarm procedure, which has no user data
inline QWidget* host = nullptr;    // one window for every input: making a window is slow
inline int sessionsStarted = 0;

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
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

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
    // A block of n arbitrary bytes (or null): fixed-width text entries, not zero-terminated.
    const char* bytes(std::unique_ptr<char[]>& keep, std::size_t n) {
        if (in.ConsumeIntegralInRange(0, 4) == 0) return nullptr;
        keep = std::make_unique<char[]>(std::max<std::size_t>(n, 1));
        for (std::size_t i = 0; i < n; ++i) keep[i] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        return keep.get();
    }
    // The channels of the data set at an index (the length its value arrays must have), or
    // a small arbitrary length for an index that names none.
    int channelsOf(int set) {
        const int known = set >= 1 && set < static_cast<int>(channels.size()) ? channels[static_cast<std::size_t>(set)] : 0;
        return known > 0 ? known : in.ConsumeIntegralInRange(0, 3);
    }
    void setChannels(int set, int n) {
        if (set >= 1 && set < static_cast<int>(channels.size())) channels[static_cast<std::size_t>(set)] = n;
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

    // --- the data-set calls both targets mix in ---
    void defineDataSet() {
        std::unique_ptr<char[]> s1, s2;
        const int n = in.ConsumeIntegralInRange(-2, 34);
        const int rows = in.ConsumeProbability<double>() < 0.95 ? in.ConsumeIntegralInRange(-2, 3000) : in.ConsumeIntegral<int>();
        std::unique_ptr<char[]> tags;
        if (n >= 1 && n <= 32 && in.ConsumeBool()) {
            tags = std::make_unique<char[]>(static_cast<std::size_t>(n) * 16);
            for (int i = 0; i < n * 16; ++i) tags[static_cast<std::size_t>(i)] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        }
        const int set = WRDefineDynDataSet(string(s1), n, string(s2), tags.get(), rows);
        if (set > 0) setChannels(set, n);
    }
    void freeDataSet() {
        const int set = dataSet();
        if (WRFreeDynDataSet(set)) setChannels(set, 0);
    }
    void updateData() {
        const int set = dataSet();
        std::vector<double> v = doubles(static_cast<std::size_t>(channelsOf(set)));
        WRUpdateData(set, in.ConsumeIntegralInRange(0, 9) ? v.data() : nullptr, graph());
    }
    void updateBlockData() {
        const int set = dataSet();
        const int count = in.ConsumeIntegralInRange(-2, 40);
        std::vector<double> v = doubles(static_cast<std::size_t>(std::max(count, 0) * channelsOf(set)));
        WRUpdateBlockData(set, in.ConsumeIntegralInRange(0, 9) ? v.data() : nullptr, count, graph());
    }
    void renderPage() {
        QImage image(160, 120, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        QCoreApplication::processEvents();
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
    const int serial = ++sessionsStarted;
    int forgets = 0;  // counts what may have moved or removed objects (see the families target)
};

inline void recordingAlarm(int, int, int, double, int) {}

// An alarm procedure that does what an application might do in one: free things, clean up.
inline void nastyAlarm(int set, int, int kind, double, int) {
    if (!active || ++active->nastyCalls > 20) return;
    ++active->forgets;
    switch (kind % 4) {
    case 0: WRFreeDynDataSet(set); break;
    case 1: RTCleanup(active->handle); break;
    case 2: WRDeleteRTGraph(active->graphs[0]); break;
    default: WRSetAlarmProc(nullptr); break;
    }
}

// For LLVMFuzzerInitialize: the Qt application and the host window, kept for the whole run
// and never destroyed (Qt's objects cannot outlive it at exit).
inline int InitialiseHost(const char* programName) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static std::string name = programName;
    static char* argv[] = {name.data(), nullptr};
    new QApplication(argc, argv);
    host = new QWidget;
    host->resize(320, 240);
    host->show();
    return 0;
}

// For LLVMFuzzerTestOneInput: up to 300 calls on a fresh session.
inline int RunInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Session session(input);
    for (int calls = 0; calls < 300 && input.remaining_bytes() > 0; ++calls) session.step();
    return 0;
}

}  // namespace dynaview_fuzz
