// dynaview-feed's command line, its input lines and its generated values.

#include "dynaview/feed/feed_options.h"
#include "dynaview/dde/link_text.h"

#include <gtest/gtest.h>

namespace dynaview::feed {
namespace {

Parsed parse(std::vector<std::string> arguments) { return ParseOptions(arguments); }

TEST(FeedOptions, ServiceTopicAndItemsWithTheOptionsAnywhere) {
    const Parsed p = parse({"--sine", "Tank", "--values", "3", "Plant", "Temp", "Level", "--range", "-5", "5"});
    ASSERT_TRUE(p.options) << p.error;
    EXPECT_EQ(p.options->service, "Tank");
    EXPECT_EQ(p.options->topic, "Plant");
    EXPECT_EQ(p.options->items, (std::vector<std::string>{"Temp", "Level"}));
    EXPECT_EQ(p.options->source, Source::Sine);
    EXPECT_EQ(p.options->values, 3);
    EXPECT_EQ(p.options->low, -5.0);

    const Parsed mqtt = parse({"--mqtt", "mqtt://127.0.0.1:1883", "Plant", "Temp"});
    ASSERT_TRUE(mqtt.options) << mqtt.error;
    EXPECT_EQ(mqtt.options->service, "mqtt://127.0.0.1:1883");
    EXPECT_EQ(mqtt.options->topic, "Plant");
    EXPECT_TRUE(parse({"--help"}).options->help);
}

TEST(FeedOptions, WrongCommandLinesSayWhatIsWrong) {
    EXPECT_EQ(parse({}).error, "SERVICE, TOPIC and at least one ITEM are needed");
    EXPECT_EQ(parse({"Tank", "Plant"}).error, "TOPIC and at least one ITEM are needed");
    EXPECT_EQ(parse({"--values", "33", "Tank", "Plant", "T"}).error, "--values takes a whole number from 1 to 32");
    EXPECT_EQ(parse({"--values"}).error, "--values takes a whole number from 1 to 32");
    EXPECT_EQ(parse({"--range", "5", "1", "Tank", "Plant", "T"}).error, "--range takes two numbers, the lower first");
    EXPECT_EQ(parse({"--interval", "1", "Tank", "Plant", "T"}).error, "--interval takes whole milliseconds from 10 to 3600000");
    EXPECT_EQ(parse({"--mqtt", "tcp://x", "Plant", "T"}).error, "--mqtt takes a broker as mqtt://HOST[:PORT]");
    EXPECT_EQ(parse({"--frobnicate", "Tank", "Plant", "T"}).error, "unknown option --frobnicate");
    EXPECT_EQ(parse({"Tank", "Plant", "T", "T"}).error, "the item T is named twice");
}

TEST(FeedOptions, ALineNamesItsItemOrIsTheOnlyItemsText) {
    const std::vector<std::string> two{"Temp", "Level"};
    auto line = [](const std::string& text, const std::vector<std::string>& items) {
        const auto read = ReadLine(text, items);
        return read ? read->item + "=" + read->text : std::string("none");
    };
    EXPECT_EQ(line("Level 1 2;3\r\n", two), "Level=1 2;3");
    EXPECT_EQ(line("  Temp\t21,5", two), "Temp=21,5");
    EXPECT_EQ(line("Temp", two), "Temp=");
    EXPECT_EQ(line("Pressure 4", two), "none");
    EXPECT_EQ(line("   ", two), "none");
    EXPECT_EQ(line("21.5 22", {"Temp"}), "Temp=21.5 22");
    EXPECT_EQ(line("Temperature 3", {"Temp"}), "Temp=Temperature 3");
}

TEST(FeedOptions, GeneratedTextsStayInTheRangeAndTheLinkReadsThem) {
    for (const char* source : {"--sine", "--random-walk"}) {
        const Parsed p = parse({source, "--values", "4", "--range", "10", "20", "Tank", "Plant", "A", "B"});
        ASSERT_TRUE(p.options);
        Generator generator(*p.options);
        std::vector<double> previous;
        bool moved = false;
        for (int step = 0; step < 500; ++step) {
            const auto texts = generator.texts(step * 0.2);
            ASSERT_EQ(texts.size(), 2u);
            for (const std::string& text : texts) {
                const std::vector<double> values = link::ParseItemNumbers(text, '.');
                ASSERT_EQ(values.size(), 4u) << text;
                for (double v : values) {
                    EXPECT_GE(v, 10.0) << source;
                    EXPECT_LE(v, 20.0) << source;
                }
                if (!previous.empty() && values != previous) moved = true;
                previous = values;
            }
        }
        EXPECT_TRUE(moved) << source;
    }
    EXPECT_EQ(FormatValue(21.5), "21.5");
    EXPECT_EQ(FormatValue(-0.000125), "-0.000125");
}

}  // namespace
}  // namespace dynaview::feed
