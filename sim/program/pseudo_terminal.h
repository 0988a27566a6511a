#pragma once
// The pseudo-terminal rfx410-sim serves the instrument on. It keeps a descriptor of the
// terminal side open itself, in raw mode, so that nothing is echoed by the line discipline
// and the master side never reports a hang-up while no client has the device open.

#include <string>

namespace sim::program {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // On failure returns false and fills error with a sentence.
    bool open(std::string& error);
    int masterFd() const { return master_; }
    const std::string& devicePath() const { return path_; }
    // The baud rate the client set on the line (0 when unknown).
    int baud() const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace sim::program
