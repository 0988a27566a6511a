#include "dynaview/timeaxis/time_label_text.h"

#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dynaview {

namespace {

constexpr double SecondsPerDay = 86400.0;

// Floor modulo: the result lies in [0, m) also for negative values.
int positiveModulo(int value, int m) {
    const int r = value % m;
    return r < 0 ? r + m : r;
}

std::string twoDigits(int value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

double SecondsPerUnit(int unit) {
    switch (unit) {
    case Minutes: return 60.0;
    case Hours: return 3600.0;
    default: return 1.0;
    }
}

bool IsClockFormat(int format) { return format == HoursMinutesSeconds || format == HoursMinutes || format == MinutesSeconds; }

std::string ClockText(double wholeSeconds, int format) {
    if (!IsClockFormat(format) || !std::isfinite(wholeSeconds)) return {};
    // Only the time of day shows: reduce first, so that huge values never overflow.
    double ofDay = std::fmod(std::trunc(wholeSeconds), SecondsPerDay);
    if (ofDay < 0) ofDay += SecondsPerDay;
    const int total = static_cast<int>(ofDay);
    const std::string h = twoDigits(total / 3600 % 24);
    const std::string m = twoDigits(total / 60 % 60);
    const std::string s = twoDigits(total % 60);
    switch (format) {
    case HoursMinutesSeconds: return h + ":" + m + ":" + s;
    case HoursMinutes: return h + ":" + m;
    default: return m + ":" + s;
    }
}

double LabelSeconds(double startSeconds, double t, int unit) {
    if (unit == Seconds) return std::trunc(startSeconds + t + 0.1);
    return std::trunc(startSeconds + t * SecondsPerUnit(unit));
}

void TimeLabelSettings::moveOn(double delta) {
    const double step = IsClockFormat(format) ? delta * SecondsPerUnit(unit) : delta;
    runningStart += step;
    preciseStart += step;
}

void TimeLabelSettings::reset(double value) {
    const double start = IsClockFormat(format) ? value * SecondsPerUnit(unit) : value;
    runningStart = start;
    preciseStart = start;
}

void TimeLabelSettings::changeFormat(int newFormat) {
    const bool wasClock = IsClockFormat(format), isClock = IsClockFormat(newFormat);
    if (wasClock && newFormat == NumberFormat) {
        runningStart /= SecondsPerUnit(unit);
        preciseStart /= SecondsPerUnit(unit);
    } else if (format == NumberFormat && isClock) {
        runningStart *= SecondsPerUnit(unit);
        preciseStart *= SecondsPerUnit(unit);
    }
    format = newFormat;
}

bool MakeTimeLabelSettings(int format, int decimals, int hours, int minutes, int seconds, double numericStart, int lastLabelMode,
                           const char* fixedText, int unit, TimeLabelSettings& out) {
    if (decimals > 9 || lastLabelMode < LabelEveryTick || lastLabelMode > LastTickFixedText || unit < Seconds || unit > Hours ||
        !std::isfinite(numericStart))
        return false;
    TimeLabelSettings s;
    s.format = format;
    s.precision = decimals >= 0;
    s.decimals = s.precision ? decimals : 0;
    s.lastLabelMode = lastLabelMode;
    s.unit = unit;
    s.hours = positiveModulo(hours, 24);
    s.minutes = positiveModulo(minutes, 60);
    s.seconds = positiveModulo(seconds, 60);
    if (lastLabelMode == LastTickFixedText && fixedText) {
        std::string text(fixedText);
        if (text.size() > FixedTextLength) text.resize(FixedTextLength);
        s.fixedText = std::move(text);
    }
    // The creation start shows at once, also with the precision switch on.
    const double start = IsClockFormat(format) ? s.hours * 3600.0 + s.minutes * 60.0 + s.seconds : numericStart;
    s.runningStart = start;
    s.preciseStart = start;
    out = std::move(s);
    return true;
}

std::vector<std::string> TimeLabelTexts(const TimeLabelSettings& settings, double tickStep, int ticks, const platform::Numbers& numbers) {
    std::vector<std::string> texts;
    if (ticks <= 0) return texts;
    const int shown = settings.lastLabelMode == LastTickBlank ? ticks - 1 : ticks;
    texts.reserve(static_cast<std::size_t>(std::max(shown, 0)));
    for (int i = 0; i < shown; ++i) {
        if (settings.lastLabelMode == LastTickFixedText && i == ticks - 1) {
            texts.push_back(settings.fixedText);
            continue;
        }
        const double t = i * tickStep;
        if (settings.format == NumberFormat)
            texts.push_back(numbers.formatFixed(settings.start() + t, settings.decimals));
        else
            texts.push_back(ClockText(LabelSeconds(settings.start(), t, settings.unit), settings.format));
    }
    return texts;
}

int ResolveLabelPosition(int code, bool vertical) {
    if (code == 3) return vertical ? 1 : 0;
    const bool horizontalCode = code == 0 || code == 4 || code == 6 || code == 7;
    const bool verticalCode = code == 1 || code == 2 || code == 8 || code == 9;
    if (vertical ? verticalCode : horizontalCode) return code;
    return -1;
}

}  // namespace dynaview
