// Our own helpers for C and Python programs: an environment with the platform's services,
// host windows, pages, graphs and their building, the application's timers, the event
// loop, pictures of pages, and the last error.

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/library.h"
#include "dynaview/include/dynaview.h"
#include "platform/clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/system_numbers.h"
#include "plotbase/plotbase.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace dynaview;
using api::Guarded;

namespace {

// An environment made by dvCreateEnvironment with everything it needs.
struct HostedEnvironment {
    explicit HostedEnvironment(const char* title)
        : dialogs(title && *title ? title : "dynaview"), numbers(platform::systemNumbers()), env(dialogs, numbers) {}

    platform::QtDialogs dialogs;
    platform::Numbers numbers;
    plotbase::Environment env;
    std::vector<QPointer<QWidget>> hosts;
    std::map<int, std::unique_ptr<platform::Timer>> timers;
    std::vector<std::unique_ptr<platform::Timer>> stoppedTimers;  // may be inside their own tick
    int nextTimer = 1;
    DVGraphProc graphProc = nullptr;
    void* graphUser = nullptr;
};

struct Hosting {
    std::map<const void*, std::unique_ptr<HostedEnvironment>> environments;
    std::unique_ptr<QApplication> application;  // when none existed
    int argc = 1;
    char name[9] = "dynaview";
    char* argv[2] = {name, nullptr};
};

Hosting& hosting() {
    static Hosting h;
    return h;
}

HostedEnvironment* hosted(const DVEnvironment* env) {
    auto found = hosting().environments.find(env);
    return found == hosting().environments.end() ? nullptr : found->second.get();
}

// Any environment dynaview accepts (made here or registered by a C++ program).
plotbase::Environment* accepted(DVEnvironment* env) { return Library::instance().environment(env); }

template <typename Body>
int withEnv(DVEnvironment* handle, Body&& body) {
    return Guarded(0, [&] {
        plotbase::Environment* env = accepted(handle);
        return env ? body(*env) : 0;
    });
}

}  // namespace

extern "C" {

DV_API const char* dvVersion(void) { return "1.0"; }

DV_API DVEnvironment* dvCreateEnvironment(const char* title) {
    return Guarded<DVEnvironment*>(nullptr, [&]() -> DVEnvironment* {
        Hosting& h = hosting();
        if (!QCoreApplication::instance()) h.application = std::make_unique<QApplication>(h.argc, h.argv);
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;  // no widgets without it
        auto record = std::make_unique<HostedEnvironment>(title);
        plotbase::Environment& env = record->env;
        plotbase::InitDll(env);
        HostedEnvironment* raw = record.get();
        plotbase::InitTop(
            env, nullptr,
            [raw](plotbase::Environment&, int graph, const plotbase::WindowMessage& m) {
                if (raw->graphProc) raw->graphProc(graph, static_cast<int>(m.kind), m.button, m.x, m.y, m.key, raw->graphUser);
            },
            plotbase::Revision);
        Library::instance().registerEnvironment(env);
        h.environments[&env] = std::move(record);
        return reinterpret_cast<DVEnvironment*>(&env);
    });
}

DV_API int dvDestroyEnvironment(DVEnvironment* handle) {
    return Guarded(0, [&] {
        Hosting& h = hosting();
        auto found = h.environments.find(handle);
        if (found == h.environments.end()) return 0;
        HostedEnvironment& record = *found->second;
        record.timers.clear();
        plotbase::Cleanup(record.env, -1);
        Library::instance().forgetEnvironment(record.env);
        for (auto& host : record.hosts) delete host.data();
        h.environments.erase(found);
        if (h.environments.empty() && h.application) {
            Library::instance().useClock(nullptr);
            h.application.reset();
        }
        return 1;
    });
}

DV_API DVWindow dvCreateHostWindow(DVEnvironment* handle, const char* title, int width, int height) {
    return Guarded<DVWindow>(nullptr, [&]() -> DVWindow {
        HostedEnvironment* record = hosted(handle);
        if (!record) return nullptr;
        auto* host = new QWidget;
        const QString caption = QString::fromUtf8(title ? title : "dynaview");
        host->setWindowTitle(caption);
        host->setAccessibleName(caption);
        host->setObjectName(QStringLiteral("HostWindow"));
        host->resize(std::clamp(width, 100, 8192), std::clamp(height, 100, 8192));
        host->show();
        record->hosts.emplace_back(host);
        return host;
    });
}

DV_API int dvCreatePage(DVEnvironment* handle, DVWindow host, const char* name) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        QWidget* window = api::KnownWidget(host);
        if (!window) {
            plotbase::ReportError(env, plotbase::NoHostWindow, plotbase::MessageOnly);
            return 0;
        }
        const std::string pageName = name && *name ? name : "PAGE1";
        return plotbase::InitPage(env, pageName, window, pageName, 0, plotbase::GraphSlots - 1, 8,
                                  plotbase::ChildWindow | plotbase::VisibleWindow | plotbase::ClipChildren, {}, nullptr);
    });
}

DV_API int dvCreateGraph(DVEnvironment* handle, int page, double x1, double y1, double x2, double y2) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::InitGraph(env, page, x1, y1, x2, y2, 0, 0, 0, nullptr); });
}

DV_API int dvSetPlotArea(DVEnvironment* handle, int graph, double x1, double y1, double x2, double y2) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        return plotbase::WGSetPlotArea(env, graph, x1, y1, x2, y2, plotbase::FramePlotArea | plotbase::ClipToPlotArea);
    });
}

DV_API int dvScalePlotArea(DVEnvironment* handle, int graph, double xmin, double ymin, double xmax, double ymax) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGScalePlotArea(env, graph, xmin, ymin, xmax, ymax); });
}

DV_API int dvSetLineStyle(DVEnvironment* handle, int graph, int pattern, int width, int colour) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGSetLineStyle(env, graph, pattern, width, colour); });
}

DV_API int dvSetTextParams(DVEnvironment* handle, int graph, int angle, int family, int size, int style) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGSetTextParams(env, graph, angle, family, size, style); });
}

DV_API int dvDrawXAxis(DVEnvironment* handle, int graph, double spacing, int minorTicks, int side) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGDrawXAxis(env, graph, spacing, minorTicks, side); });
}

DV_API int dvDrawYAxis(DVEnvironment* handle, int graph, double spacing, int minorTicks, int side) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGDrawYAxis(env, graph, spacing, minorTicks, side); });
}

DV_API int dvLabelAxis(DVEnvironment* handle, int graph, int axis, int decimals) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGLabelAxis(env, graph, axis, decimals); });
}

DV_API int dvTitleAxis(DVEnvironment* handle, int graph, int axis, int side, const char* text) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGTitleAxis(env, graph, axis, side, text ? text : ""); });
}

DV_API int dvDrawGrid(DVEnvironment* handle, int graph, int axis, int kind) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGDrawGrid(env, graph, axis, kind); });
}

DV_API int dvTextNorm(DVEnvironment* handle, int graph, const char* text, double x, double y, int align) {
    return withEnv(handle, [&](plotbase::Environment& env) { return plotbase::WGTextNorm(env, graph, text ? text : "", x, y, align, 0); });
}

DV_API DVWindow dvGraphWindow(DVEnvironment* handle, int graph) {
    return Guarded<DVWindow>(nullptr, [&]() -> DVWindow {
        plotbase::Environment* env = accepted(handle);
        return env ? plotbase::WGGetGraphWindow(*env, graph) : nullptr;
    });
}

DV_API int dvSetGraphProc(DVEnvironment* handle, DVGraphProc proc, void* user) {
    return Guarded(0, [&] {
        HostedEnvironment* record = hosted(handle);
        if (!record) return 0;
        record->graphProc = proc;
        record->graphUser = user;
        return 1;
    });
}

DV_API int dvStartTimer(DVEnvironment* handle, int periodMs, DVTimerProc proc, void* user) {
    return Guarded(0, [&] {
        HostedEnvironment* record = hosted(handle);
        platform::Clock* clock = Library::instance().clock();
        if (!record || !proc || periodMs < 1 || !clock) return 0;
        const int id = record->nextTimer++;
        auto timer = clock->createTimer(platform::TimerKind::Periodic, [proc, user] { Guarded(0, [&] { proc(user); return 0; }); });
        timer->start(static_cast<std::uint32_t>(periodMs));
        record->timers[id] = std::move(timer);
        return id;
    });
}

DV_API int dvStopTimer(DVEnvironment* handle, int id) {
    return Guarded(0, [&] {
        HostedEnvironment* record = hosted(handle);
        if (!record) return 0;
        auto found = record->timers.find(id);
        if (found == record->timers.end()) return 0;
        found->second->stop();
        record->stoppedTimers.push_back(std::move(found->second));
        record->timers.erase(found);
        return 1;
    });
}

DV_API int dvRunEventLoop(DVEnvironment* handle, DVWindow host, int milliseconds) {
    return withEnv(handle, [&](plotbase::Environment&) {
        QWidget* window = api::KnownWidget(host);
        if (milliseconds <= 0 && (!window || !window->isVisible())) return 0;  // it would never end
        QEventLoop loop;
        struct CloseWatch : QObject {
            QEventLoop& loop;
            explicit CloseWatch(QEventLoop& l) : loop(l) {}
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Close) loop.quit();
                return false;
            }
        } watch(loop);
        QPointer<QWidget> watched = window;
        if (window) window->installEventFilter(&watch);
        if (milliseconds > 0) QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        if (watched) watched->removeEventFilter(&watch);
        return 1;
    });
}

DV_API int dvProcessEvents(DVEnvironment* handle, int milliseconds) {
    return withEnv(handle, [&](plotbase::Environment&) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (milliseconds > 0) {
            QEventLoop loop;
            QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return 1;
    });
}

DV_API int dvRenderPage(DVEnvironment* handle, int page, const char* pngPath, int width, int height) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        if (!pngPath || width < 1 || height < 1 || width > 8192 || height > 8192) return 0;
        QImage image(width, height, QImage::Format_ARGB32);
        if (!plotbase::RenderPage(env, page, image)) return 0;
        return image.save(QString::fromUtf8(pngPath), "PNG") ? 1 : 0;
    });
}

DV_API int dvLastError(DVEnvironment* handle, char* text, int size) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        if (text && size > 0) {
            const std::size_t n = std::min(env.lastError.text.size(), static_cast<std::size_t>(size) - 1);
            std::memcpy(text, env.lastError.text.data(), n);
            text[n] = '\0';
        }
        return env.lastError.code;
    });
}

DV_API int dvShowErrorMessages(DVEnvironment* handle, int on) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        env.showErrorMessages = on != 0;
        return 1;
    });
}

DV_API int dvStopFlag(DVEnvironment* handle) {
    return withEnv(handle, [&](plotbase::Environment& env) { return env.stop ? 1 : 0; });
}

DV_API int dvClearStopFlag(DVEnvironment* handle) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        env.stop = false;
        return 1;
    });
}

DV_API int dvSetApplicationKey(DVEnvironment* handle, uint32_t key) {
    return withEnv(handle, [&](plotbase::Environment& env) {
        env.applicationKey = key;
        return 1;
    });
}

}  // extern "C"
