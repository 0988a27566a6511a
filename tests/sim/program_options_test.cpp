// The command line of rfx410-sim.

#include "sim/program_options.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

TEST(ProgramOptions, ValuesReachTheConfiguration) {
    std::string error;
    const auto options = sim::parseProgramOptions(
        {"--dielectric", "9", "--conductivity", "0.25", "--seed", "42", "--pace", "--verbose", "--link", "/tmp/x",
         "--fault", "late=2000:GTIM", "--fault", "dead-line", "--qrb", "2", "--erase-ms", "500", "--cable-length", "12",
         "--reference-source", "--timebase-error", "-2.5", "--water-temperature", "21.5"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->config.medium, (sim::Medium{9, 0.25}));
    EXPECT_EQ(options->config.seed, 42u);
    EXPECT_TRUE(options->pace);
    EXPECT_TRUE(options->verbose);
    EXPECT_EQ(options->linkPath, "/tmp/x");
    ASSERT_EQ(options->faults.size(), 2u);
    EXPECT_EQ(options->faults[0].kind, sim::FaultKind::LateReply);
    EXPECT_EQ(options->faults[1].kind, sim::FaultKind::DeadLine);
    EXPECT_EQ(options->config.qrbAddress, 2);
    EXPECT_EQ(options->config.timing.eraseMs, 500u);
    EXPECT_EQ(options->config.cable.length, 12.0);
    EXPECT_TRUE(options->config.referenceSource);
    EXPECT_DOUBLE_EQ(options->config.timebaseError, -0.025);
    EXPECT_EQ(options->config.waterTemperature, 21.5);
}

TEST(ProgramOptions, MistakesAreNamed) {
    const std::vector<std::vector<std::string>> bad = {
        {"--dielectric"}, {"--dielectric", "0.5"}, {"--dielectric", "x"}, {"--conductivity", "-1"},
        {"--seed", "-3"}, {"--fault", "sleep"}, {"--qrb", "1.5"}, {"--frobnicate"}, {"--link", ""},
        {"--timebase-error", "60"}, {"--water-temperature", "0"}, {"--water-temperature", "101"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(sim::parseProgramOptions(args, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
    std::string error;
    sim::parseProgramOptions({"--frobnicate"}, error);
    EXPECT_NE(error.find("--frobnicate"), std::string::npos);
}

}  // namespace
}  // namespace simtest
