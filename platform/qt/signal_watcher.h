#pragma once
// Turns SIGINT, SIGTERM and SIGUSR1 into a call on the event loop (through a self-pipe),
// so that the program can end cleanly (and pull or put back its cable on SIGUSR1).

#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <string>

namespace platform {

class SignalWatcher {
public:
    explicit SignalWatcher(std::function<void(int signal)> onSignal);
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

    // On failure returns false and fills error.
    bool install(std::string& error);

private:
    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
