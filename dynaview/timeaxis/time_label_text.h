#pragma once
// What a time-labels object writes at each major tick of its axis, as plain logic: the
// clock texts, the number texts, the running start and how it moves on. No widgets, no
// clock: the drawing (time_labels.h) asks this for its texts.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Numbers;
}

namespace dynaview {

// The time unit of a time axis's world coordinates.
enum TimeUnit : int { Seconds = 0, Minutes = 1, Hours = 2 };
// Seconds in one axis unit (1 for an unknown unit).
double SecondsPerUnit(int unit);

// Label formats: 0 a number, 1 hh:mm:ss, 2 hh:mm, 4 mm:ss; any other code writes nothing.
enum TimeLabelFormat : int { NumberFormat = 0, HoursMinutesSeconds = 1, HoursMinutes = 2, MinutesSeconds = 4 };
bool IsClockFormat(int format);

// Last-label modes: every tick labelled, the last tick unlabelled, or the last tick showing
// a fixed text.
enum LastLabelMode : int { LabelEveryTick = 0, LastTickBlank = 1, LastTickFixedText = 2 };
constexpr std::size_t FixedTextLength = 12;

// The clock text of a whole number of seconds: two digits each, joined by ":". Hours are
// taken modulo 24 and the time of day wraps both ways (-10 s reads 23:59:50). Empty for a
// format that is not a clock format or a value that is not finite.
std::string ClockText(double wholeSeconds, int format);

// The whole seconds a clock label at t axis units from the start stands for. A seconds axis
// adds a tenth of a second so that sums like 0.1 + 0.2 do not fall just short of a second.
double LabelSeconds(double startSeconds, double t, int unit);

// The settings and running start of a time-labels object.
struct TimeLabelSettings {
    int format = HoursMinutesSeconds;
    bool precision = false;  // the number format's decimals are used only with the switch on
    int decimals = 0;
    int lastLabelMode = LabelEveryTick;
    std::string fixedText;  // shown with LastTickFixedText only
    int unit = Seconds;     // copied from the axis
    // Start time of day as given (already reduced).
    int hours = 0, minutes = 0, seconds = 0;
    // Seconds for the clock formats, axis units for the number format. The second running
    // start is the one used while the precision switch is on; both move together.
    double runningStart = 0.0;
    double preciseStart = 0.0;

    double start() const { return precision ? preciseStart : runningStart; }
    // Moves the running start on by delta axis units (converted to seconds for a clock
    // format).
    void moveOn(double delta);
    // Sets the running start to a value in axis units (converted likewise).
    void reset(double value);
    // Changes the format; the running start is converted between seconds and axis units
    // when the change crosses between a clock format and the number format.
    void changeFormat(int newFormat);
};

// Arguments of a new labels object, checked and reduced: hours modulo 24, minutes and
// seconds modulo 60; a negative decimals value switches precision off; the fixed text is
// kept only with mode 2, cut to 12 characters. False when an argument cannot be taken
// (decimals above 9, an unknown last-label mode or unit, a start that is not finite).
bool MakeTimeLabelSettings(int format, int decimals, int hours, int minutes, int seconds, double numericStart, int lastLabelMode,
                           const char* fixedText, int unit, TimeLabelSettings& out);

// The text at each of `ticks` major ticks `tickStep` axis units apart: empty where no label
// is drawn. With mode 1 the last tick is left out of the list (ticks - 1 entries).
std::vector<std::string> TimeLabelTexts(const TimeLabelSettings& settings, double tickStep, int ticks, const platform::Numbers& numbers);

// Position codes: horizontal axes 0 below the axis, 4 above it, 6 below the plot area, 7
// above it; vertical axes 1 left of the axis, 2 right of it, 8 left of the plot area, 9
// right of it; 3 beside the axis (0 or 1). -1 for a code the direction cannot take.
int ResolveLabelPosition(int code, bool vertical);

}  // namespace dynaview
