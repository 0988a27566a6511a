#include "dynaview/frame/library.h"

#include "platform/qt/qt_clock.h"

#include <QCoreApplication>

namespace dynaview {

Library& Library::instance() {
    static Library library;
    return library;
}

namespace {

void endEventLoop() { QCoreApplication::exit(1); }

}  // namespace

Library::Library() : plotbaseVersion(plotbase::GetVersion), endProgram(endEventLoop) {}

void Library::registerEnvironment(plotbase::Environment& env) { environments_.insert(&env); }

void Library::forgetEnvironment(const plotbase::Environment& env) {
    environments_.erase(&env);
    timers.removeAll(&env);
    if (timers.empty() && updateTimer) updateTimer->stop();
    if (current == &env) current = nullptr;
}

plotbase::Environment* Library::environment(const void* handle) const {
    if (!handle || environments_.count(handle) == 0) return nullptr;
    return const_cast<plotbase::Environment*>(static_cast<const plotbase::Environment*>(handle));
}

platform::Clock* Library::clock() {
    if (clock_) return clock_;
    if (!systemClock_ && QCoreApplication::instance()) {
        systemClock_ = std::make_unique<platform::QtClock>();
        // Its timers cannot outlive the application object.
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
            Library& library = Library::instance();
            if (!library.clock_) library.updateTimer.reset();
            library.systemClock_.reset();
        });
    }
    return systemClock_.get();
}

void Library::useClock(platform::Clock* clock) {
    updateTimer.reset();  // a timer of the old clock
    clock_ = clock;
}

void Library::reset() {
    environments_.clear();
    current = nullptr;
    timers.clear();
    timerTableFullReported = false;
    updateTimer.reset();
    clock_ = nullptr;
    errorBoxOpen = false;
    plotbaseVersion = plotbase::GetVersion;
    endProgram = endEventLoop;
}

}  // namespace dynaview
