#pragma once
// The command line of rfx410-sim.

#include "sim/command_processor.h"
#include "sim/fault_plan.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct ProgramOptions {
    SimulatorConfig config;
    std::vector<Fault> faults;
    std::string linkPath;  // empty: no symlink
    bool pace = false;
    bool verbose = false;
    bool help = false;
};

// Parses the arguments after the program name; on failure returns nothing and fills error
// with a sentence for the user.
std::optional<ProgramOptions> parseProgramOptions(const std::vector<std::string>& args, std::string& error);
std::string programUsage();

}  // namespace sim
