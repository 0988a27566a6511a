#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

std::optional<Options> parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = ParseOptions(args, e);
    if (error) *error = e;
    return o;
}

TEST(CliOptions, GetAndSetWithTheirOptions) {
    auto o = parse({"--port", "/tmp/x", "--baud", "19200", "--json", "get", "GWAV", "--timeout", "5"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->devicePath, "/tmp/x");
    EXPECT_EQ(o->baud, 19200);
    EXPECT_EQ(o->format, OutputFormat::Json);
    EXPECT_EQ(o->action, Options::Action::Get);
    EXPECT_EQ(o->command, "GWAV");
    EXPECT_EQ(o->timeoutSecs, 5);
    o = parse({"set", "S_VP 0.67"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->action, Options::Action::Set);
    EXPECT_EQ(o->command, "S_VP 0.67");
    EXPECT_EQ(o->comPort, 0);  // no port given: the one RFX410.INI names (COM 1 without one)
    EXPECT_FALSE(o->baud);
}

TEST(CliOptions, MeasureWithSettingsAndLogging) {
    auto o = parse({"measure", "ec", "--kp", "1.5", "--start", "-1.5", "--probe-length", "0.2", "--every", "60",
                    "--count", "60", "--output", "log.csv"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->action, Options::Action::Measure);
    EXPECT_EQ(o->kind, MeasureKind::BulkEC);
    EXPECT_EQ(o->kp, 1.5);
    EXPECT_EQ(o->settings[3], "-1.5");
    EXPECT_EQ(o->settings[5], "0.2");
    EXPECT_FALSE(o->settings[0]);
    EXPECT_EQ(o->everySeconds, 60.0);
    EXPECT_EQ(o->count, 60);
    EXPECT_EQ(o->format, OutputFormat::Csv);  // a log file is CSV unless JSON is asked for
    o = parse({"--json", "measure", "waveform", "--derivative", "--output", "w.jsonl"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->format, OutputFormat::Json);
    EXPECT_TRUE(o->derivative);

    std::string error;
    EXPECT_FALSE(parse({"measure", "moisture"}, &error));
    EXPECT_NE(error.find("wc, ec or waveform"), std::string::npos);
    EXPECT_FALSE(parse({"measure", "wc", "--count", "3"}, &error));  // how far apart?
    EXPECT_NE(error.find("--every"), std::string::npos);
    EXPECT_FALSE(parse({"measure", "wc", "--every", "0.5"}, &error));
    EXPECT_FALSE(parse({"measure", "wc", "--derivative"}, &error));
    EXPECT_FALSE(parse({"measure", "ec", "--kp", "-1"}, &error));
    EXPECT_FALSE(parse({"get", "DUMP", "--every", "5"}, &error));
    EXPECT_NE(error.find("goes with measure"), std::string::npos);
}

TEST(CliOptions, MistakesAreExplained) {
    std::string error;
    EXPECT_FALSE(parse({}, &error));
    EXPECT_NE(error.find("nothing to do"), std::string::npos);
    EXPECT_FALSE(parse({"--baud", "4800", "get", "DUMP"}, &error));
    EXPECT_NE(error.find("9600, 19200 or 57600"), std::string::npos);
    EXPECT_FALSE(parse({"--port", "/a", "--com", "2", "get", "DUMP"}, &error));
    EXPECT_FALSE(parse({"get", "DUMPS"}, &error));
    EXPECT_FALSE(parse({"get"}, &error));
    EXPECT_FALSE(parse({"set", "S_VP 1\r:DUMP36"}, &error));  // one line only
    EXPECT_FALSE(parse({"--timeout", "-1", "get", "DUMP"}, &error));
    EXPECT_FALSE(parse({"get", "DUMP", "extra"}, &error));
}

TEST(CliOptions, DefaultTimeoutsFollowThePrograms) {
    EXPECT_EQ(DefaultTimeout("DUMP"), 10);
    EXPECT_EQ(DefaultTimeout("GCON"), 20);
    EXPECT_EQ(DefaultTimeout("GLWF"), 30);
}

}  // namespace
}  // namespace cli
