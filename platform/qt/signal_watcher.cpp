#include "platform/qt/signal_watcher.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

// The write end for the handler; a signal handler can reach nothing else.
int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &number, 1);
    errno = saved;
}

}  // namespace

SignalWatcher::SignalWatcher(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {}

SignalWatcher::~SignalWatcher() {
    if (signalPipe[0] < 0) return;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGUSR1, SIG_DFL);
    notifier_.reset();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

bool SignalWatcher::install(std::string& error) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        error = std::string("Cannot create the signal pipe: ") + std::strerror(errno) + ".";
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        unsigned char number = 0;
        while (::read(signalPipe[0], &number, 1) == 1) onSignal_(number);
    });
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGINT, &action, nullptr) != 0 || ::sigaction(SIGTERM, &action, nullptr) != 0 ||
        ::sigaction(SIGUSR1, &action, nullptr) != 0) {
        error = std::string("Cannot catch SIGINT, SIGTERM and SIGUSR1: ") + std::strerror(errno) + ".";
        return false;
    }
    return true;
}

}  // namespace platform
