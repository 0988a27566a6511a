#pragma once
// A D-Bus session bus of the test's own: a dbus-daemon started for the test and stopped
// with it, with DBUS_SESSION_BUS_ADDRESS pointing at it meanwhile, so that tests need no
// desktop session and never meet another program's services.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

class PrivateBus {
public:
    PrivateBus() {
        if (const char* old = std::getenv("DBUS_SESSION_BUS_ADDRESS")) previous_ = old;
        FILE* daemon = ::popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
        if (!daemon) return;
        char line[512];
        if (std::fgets(line, sizeof line, daemon)) address_ = trimmed(line);
        if (std::fgets(line, sizeof line, daemon)) pid_ = static_cast<pid_t>(std::atoi(line));
        ::pclose(daemon);
        if (address_.empty() || pid_ <= 0) {
            address_.clear();
            return;
        }
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
    }
    ~PrivateBus() {
        if (pid_ > 0) ::kill(pid_, SIGTERM);
        if (previous_) ::setenv("DBUS_SESSION_BUS_ADDRESS", previous_->c_str(), 1);
        else ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool running() const { return !address_.empty(); }
    const std::string& address() const { return address_; }

private:
    static std::string trimmed(const char* text) {
        std::string s(text);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
        return s;
    }
    std::string address_;
    pid_t pid_ = 0;
    std::optional<std::string> previous_;
};

}  // namespace testsupport
