// The texts of the data link: numbers in an item's text, the service of a command line,
// the bus name of a service.

#include "dynaview/dde/link_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace dynaview::link {
namespace {

using Values = std::vector<double>;

TEST(LinkText, NumbersAreSeparatedBySpacesTabsCommasSemicolonsAndLineEnds) {
    EXPECT_EQ(ParseItemNumbers("1 2\t3,4;5\r\n6", '.'), (Values{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ParseItemNumbers(" ;,  -1.5e2 ,, +7 ", '.'), (Values{-150, 7}));
    EXPECT_EQ(ParseItemNumbers("", '.'), Values{});
    EXPECT_EQ(ParseItemNumbers(" ,;\t", '.'), Values{});
}

TEST(LinkText, WordsThatAreNotNumbersAreSkipped) {
    EXPECT_EQ(ParseItemNumbers("21.5 degC 3", '.'), (Values{21.5, 3}));
    EXPECT_EQ(ParseItemNumbers("nan inf -inf 1e 1.2.3 12abc 0x10 +-1 - . 4", '.'), Values{4});
}

TEST(LinkText, TheLocalesDecimalCommaIsReadBesideThePoint) {
    EXPECT_EQ(ParseItemNumbers("1,5 2.25;3,75", ','), (Values{1.5, 2.25, 3.75}));
    // A comma not between two digits, or a second one, separates.
    EXPECT_EQ(ParseItemNumbers("1, 5,2,3 7,", ','), (Values{1, 5.2, 3, 7}));
    EXPECT_EQ(ParseItemNumbers("1,5", '.'), (Values{1, 5}));
}

TEST(LinkText, AtMostThirtyTwoValuesAndNothingPastTheReceiveBuffer) {
    std::string many;
    for (int i = 0; i < 40; ++i) many += std::to_string(i) + " ";
    const Values values = ParseItemNumbers(many, '.');
    ASSERT_EQ(values.size(), 32u);
    EXPECT_EQ(values.back(), 31);

    std::string padded(1020, ' ');
    padded += "12345678";
    EXPECT_EQ(ReceivedText(padded).size(), 1024u);
    EXPECT_EQ(ParseItemNumbers(ReceivedText(padded), '.'), Values{1234});
    EXPECT_EQ(ReceivedText(std::string("5\0 6", 4)), "5");
}

TEST(LinkText, NumbersBeyondDoubleBecomeInfinitiesOrZero) {
    const Values values = ParseItemNumbers("1e999 -1e999 1e-999", '.');
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0], HUGE_VAL);
    EXPECT_EQ(values[1], -HUGE_VAL);
    EXPECT_EQ(values[2], 0.0);
}

TEST(LinkText, TheServiceOfACommandLineIsItsProgramsFileName) {
    EXPECT_EQ(ServiceFromCommandLine("/usr/bin/dynaview-feed Tank Plant Temp"), "dynaview-feed");
    EXPECT_EQ(ServiceFromCommandLine("  server.v2.bin"), "server.v2");
    EXPECT_EQ(ServiceFromCommandLine("\"/opt/my plant/tank.server\" -x"), "tank");
    EXPECT_EQ(ServiceFromCommandLine(".hidden"), ".hidden");
    EXPECT_EQ(ServiceFromCommandLine(""), "");
}

TEST(LinkText, EveryServiceHasItsOwnValidBusName) {
    EXPECT_EQ(BusNameForService("Tank"), "org.dynaview.Link.Tank");
    EXPECT_EQ(BusNameForService("Tank 2"), "org.dynaview.Link.Tank_202");
    EXPECT_EQ(BusNameForService("2nd_x"), "org.dynaview.Link._32nd_5fx");
    EXPECT_EQ(BusNameForService(""), "org.dynaview.Link._");
    EXPECT_NE(BusNameForService("a_"), BusNameForService("a_5f"));
    EXPECT_EQ(BusNameForService("\xc3\xa9"), "org.dynaview.Link._c3_a9");
}

}  // namespace
}  // namespace dynaview::link
