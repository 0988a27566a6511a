// The texts of time labels: clock arithmetic, the creation rules and the moving start, as
// plain logic.

#include "dynaview/timeaxis/time_label_text.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace dynaview {
namespace {

TimeLabelSettings made(int format, int decimals, int h, int m, int s, double numeric, int mode = 0, const char* text = nullptr,
                       int unit = Seconds) {
    TimeLabelSettings settings;
    EXPECT_TRUE(MakeTimeLabelSettings(format, decimals, h, m, s, numeric, mode, text, unit, settings));
    return settings;
}

class TimeLabelTextTest : public ::testing::Test {
protected:
    std::vector<std::string> texts(const TimeLabelSettings& s, double step, int ticks) { return TimeLabelTexts(s, step, ticks, numbers); }
    platform::Numbers numbers;
};

TEST_F(TimeLabelTextTest, ClockLabelsRollOverMidnight) {
    EXPECT_EQ(texts(made(HoursMinutesSeconds, -1, 23, 59, 50, 0), 10, 4),
              (std::vector<std::string>{"23:59:50", "00:00:00", "00:00:10", "00:00:20"}));
    // Moved on by a whole day and a bit, the time of day is what shows.
    TimeLabelSettings s = made(HoursMinutes, -1, 23, 30, 0, 0);
    s.moveOn(86400 + 3600);
    EXPECT_EQ(texts(s, 60, 1), (std::vector<std::string>{"00:30"}));
}

TEST_F(TimeLabelTextTest, CreationReducesHoursMinutesAndSeconds) {
    EXPECT_EQ(texts(made(HoursMinutesSeconds, -1, 25, 75, 61, 0), 1, 1), (std::vector<std::string>{"01:15:01"}));
    // Negative times of day count back from midnight.
    EXPECT_EQ(texts(made(HoursMinutesSeconds, -1, -1, 0, -10, 0), 1, 1), (std::vector<std::string>{"23:00:50"}));
}

TEST_F(TimeLabelTextTest, TheFormatsWriteTheirFieldsAndAnUnknownFormatNothing) {
    const double eightAndAHalfHours = 8.5 * 3600;
    EXPECT_EQ(ClockText(eightAndAHalfHours, HoursMinutes), "08:30");
    EXPECT_EQ(ClockText(eightAndAHalfHours, MinutesSeconds), "30:00");
    EXPECT_EQ(ClockText(eightAndAHalfHours, HoursMinutesSeconds), "08:30:00");
    EXPECT_EQ(ClockText(eightAndAHalfHours, 3), "");
    EXPECT_EQ(ClockText(eightAndAHalfHours, NumberFormat), "");
    EXPECT_EQ(ClockText(std::numeric_limits<double>::infinity(), HoursMinutes), "");
    // Far beyond any int: still a time of day, no overflow.
    EXPECT_EQ(ClockText(1e300, HoursMinutesSeconds).size(), 8u);
    TimeLabelSettings s = made(3, -1, 8, 30, 0, 0);
    EXPECT_EQ(texts(s, 10, 3), (std::vector<std::string>{"", "", ""}));
}

TEST_F(TimeLabelTextTest, TheAxisUnitScalesTheStepBetweenLabels) {
    // Ten minutes a tick, from 10:00.
    EXPECT_EQ(texts(made(HoursMinutes, -1, 10, 0, 0, 0, 0, nullptr, Minutes), 10, 3),
              (std::vector<std::string>{"10:00", "10:10", "10:20"}));
    EXPECT_EQ(texts(made(HoursMinutes, -1, 22, 0, 0, 0, 0, nullptr, Hours), 1, 3), (std::vector<std::string>{"22:00", "23:00", "00:00"}));
    // On a seconds axis a tick step like 0.1 + 0.2 still lands on its second.
    EXPECT_EQ(LabelSeconds(0.0, 2.9999999999996, Seconds), 3.0);
}

TEST_F(TimeLabelTextTest, LastLabelModes) {
    EXPECT_EQ(texts(made(MinutesSeconds, -1, 0, 0, 0, 0, LastTickBlank), 15, 4), (std::vector<std::string>{"00:00", "00:15", "00:30"}));
    EXPECT_EQ(texts(made(MinutesSeconds, -1, 0, 0, 0, 0, LastTickFixedText, "seconds ago, long text"), 15, 3),
              (std::vector<std::string>{"00:00", "00:15", "seconds ago,"}));
    // The text is kept only for mode 2; a missing one shows nothing.
    EXPECT_EQ(made(MinutesSeconds, -1, 0, 0, 0, 0, LabelEveryTick, "kept?").fixedText, "");
    EXPECT_EQ(texts(made(MinutesSeconds, -1, 0, 0, 0, 0, LastTickFixedText, nullptr), 15, 2), (std::vector<std::string>{"00:00", ""}));
    EXPECT_TRUE(texts(made(MinutesSeconds, -1, 0, 0, 0, 0, LastTickBlank), 15, 0).empty());
    EXPECT_TRUE(texts(made(MinutesSeconds, -1, 0, 0, 0, 0, LastTickBlank), 15, 1).empty());
}

TEST_F(TimeLabelTextTest, NumberLabelsUseTheirDecimalsOnlyWithThePrecisionSwitch) {
    EXPECT_EQ(texts(made(NumberFormat, -1, 0, 0, 0, 2.5), 0.25, 2), (std::vector<std::string>{numbers.formatFixed(2.5, 0), numbers.formatFixed(2.75, 0)}));
    TimeLabelSettings precise = made(NumberFormat, 2, 0, 0, 0, 2.5);
    EXPECT_TRUE(precise.precision);
    // The creation start shows at once with the switch on as well.
    EXPECT_EQ(texts(precise, 0.25, 2), (std::vector<std::string>{numbers.formatFixed(2.5, 2), numbers.formatFixed(2.75, 2)}));
}

TEST_F(TimeLabelTextTest, MovingAndResettingConvertAxisUnitsOnlyForClockTimes) {
    TimeLabelSettings clock = made(HoursMinutesSeconds, -1, 0, 0, 0, 0, 0, nullptr, Minutes);
    clock.moveOn(2);
    EXPECT_EQ(clock.start(), 120.0);
    clock.reset(1.5);
    EXPECT_EQ(clock.start(), 90.0);
    TimeLabelSettings number = made(NumberFormat, 1, 0, 0, 0, 5, 0, nullptr, Minutes);
    number.moveOn(2);
    EXPECT_EQ(number.start(), 7.0);
    // Crossing between a clock format and numbers keeps the same point in time.
    number.changeFormat(HoursMinutes);
    EXPECT_EQ(number.start(), 420.0);
    number.changeFormat(NumberFormat);
    EXPECT_EQ(number.start(), 7.0);
}

TEST_F(TimeLabelTextTest, ArgumentsThatCannotBeTakenAreRefused) {
    TimeLabelSettings s;
    EXPECT_FALSE(MakeTimeLabelSettings(0, 10, 0, 0, 0, 0, 0, nullptr, Seconds, s));
    EXPECT_FALSE(MakeTimeLabelSettings(0, 0, 0, 0, 0, 0, 3, nullptr, Seconds, s));
    EXPECT_FALSE(MakeTimeLabelSettings(0, 0, 0, 0, 0, 0, -1, nullptr, Seconds, s));
    EXPECT_FALSE(MakeTimeLabelSettings(0, 0, 0, 0, 0, 0, 0, nullptr, 3, s));
    EXPECT_FALSE(MakeTimeLabelSettings(0, 0, 0, 0, 0, std::numeric_limits<double>::quiet_NaN(), 0, nullptr, Seconds, s));
}

TEST_F(TimeLabelTextTest, PositionCodesBelongToTheirDirection) {
    EXPECT_EQ(ResolveLabelPosition(3, false), 0);
    EXPECT_EQ(ResolveLabelPosition(3, true), 1);
    for (int code : {0, 4, 6, 7}) {
        EXPECT_EQ(ResolveLabelPosition(code, false), code);
        EXPECT_EQ(ResolveLabelPosition(code, true), -1);
    }
    for (int code : {1, 2, 8, 9}) {
        EXPECT_EQ(ResolveLabelPosition(code, true), code);
        EXPECT_EQ(ResolveLabelPosition(code, false), -1);
    }
    EXPECT_EQ(ResolveLabelPosition(5, false), -1);
    EXPECT_EQ(ResolveLabelPosition(-1, true), -1);
}

}  // namespace
}  // namespace dynaview
