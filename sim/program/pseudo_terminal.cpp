#include "sim/program/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace sim::program {

namespace {

std::string reason() { return std::strerror(errno); }

int baudOf(speed_t speed) {
    switch (speed) {
    case B0: return 0;
    case B300: return 300;
    case B600: return 600;
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 0;
    }
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool PseudoTerminal::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = "Cannot create a pseudo-terminal: " + reason() + ".";
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = "Cannot unlock the pseudo-terminal: " + reason() + ".";
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = "Cannot name the pseudo-terminal: " + reason() + ".";
        return false;
    }
    path_ = name;
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = "Cannot open " + path_ + ": " + reason() + ".";
        return false;
    }
    termios settings{};
    if (::tcgetattr(slave_, &settings) != 0) {
        error = "Cannot read the settings of " + path_ + ": " + reason() + ".";
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0) {
        error = "Cannot set " + path_ + " to raw mode: " + reason() + ".";
        return false;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = "Cannot make the pseudo-terminal non-blocking: " + reason() + ".";
        return false;
    }
    return true;
}

int PseudoTerminal::baud() const {
    termios settings{};
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0) return 0;
    return baudOf(::cfgetospeed(&settings));
}

}  // namespace sim::program
