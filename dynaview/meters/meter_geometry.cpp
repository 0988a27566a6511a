#include "dynaview/meters/meter_geometry.h"

#include "dynaview/frame/trig_tables.h"

#include <algorithm>
#include <cmath>

namespace dynaview {

MeterAngles NormaliseAngles(int from, int to) {
    MeterAngles a;
    a.start = from;
    if (to == from || from - to == -360) {
        a.end = from + 360;
        a.fullCircle = true;
    } else {
        a.end = to < from ? to + 360 : to;
    }
    return a;
}

double ScaleFactor(const MeterAngles& angles, double from, double to) {
    const double span = to - from;
    return span == 0.0 ? 0.0 : (angles.end - angles.start) / span;
}

double ValueToAngle(double value, const MeterAngles& angles, double scale, double to) { return angles.start + scale * (to - value); }

double PinAngle(double angle, const MeterAngles& angles) {
    if (std::isnan(angle)) return angles.end + PinDegrees;
    if (angle < angles.start - PinDegrees) return angles.start - PinDegrees;
    if (angle > angles.end + PinDegrees) return angles.end + PinDegrees;
    return angle;
}

namespace {

int intoCircle(int degree) {
    int b = degree % 360;
    if (b < 0) b += 360;
    return b;
}

float table(const std::array<float, 91>& t, int i) { return t[static_cast<std::size_t>(i)]; }

}  // namespace

float WholeDegreeSine(int degree) {
    const int b = intoCircle(degree);
    const auto& sine = SineTable();
    const auto& cosine = CosineTable();
    if (b <= 90) return table(sine, b);
    if (b <= 180) return table(cosine, b - 90);
    if (b <= 270) return -table(sine, b - 180);
    return -table(cosine, b - 270);
}

float WholeDegreeCosine(int degree) {
    const int b = intoCircle(degree);
    const auto& sine = SineTable();
    const auto& cosine = CosineTable();
    if (b <= 90) return table(cosine, b);
    if (b <= 180) return -table(sine, b - 90);
    if (b <= 270) return -table(cosine, b - 180);
    return table(sine, b - 270);
}

SineCosine InterpolatedSineCosine(double angle) {
    const int b = static_cast<int>(angle);  // the integer part, towards zero
    const int next = b >= 0 ? b + 1 : b - 1;
    const double t = std::fabs(angle - b);
    const double s0 = WholeDegreeSine(b), c0 = WholeDegreeCosine(b);
    return {s0 + t * (WholeDegreeSine(next) - s0), c0 + t * (WholeDegreeCosine(next) - c0)};
}

bool MoveNeedle(Needle& needle, double value, const MeterAngles& angles, double scale, double to, bool always) {
    const double raw = ValueToAngle(value, angles, scale, to);
    const double angle = PinAngle(raw, angles);
    const int whole = static_cast<int>(angle);
    if (needle.placed && whole == needle.angle && !always) return false;
    needle.previousAngle = needle.placed ? needle.angle : whole;
    needle.before = needle.placed ? needle.now : InterpolatedSineCosine(angle);
    needle.angle = whole;
    needle.now = InterpolatedSineCosine(angle);
    needle.placed = true;
    return true;
}

NeedleSizes NeedleSizesOf(int style, int lineWidth, double radius) {
    const double w = std::max(1, lineWidth);
    switch (style) {
        case 1: return {2 * w + 1, 5 * w};
        case 2:
        case 3: return {w, 0.1 * radius};
        case 4:
        case 5: return {w, 2 * std::floor(0.05 * radius)};
        default: return {w, 3 * w};
    }
}

double NeedleLength(int n, double radius, int lineWidth, double tickLength) {
    return std::max(1.0, radius - std::max(1, lineWidth) - tickLength / 2.0 - n * tickLength / 2.0);
}

double NeedleTail(int style, double length) { return style == 4 || style == 5 ? length / 2.0 : 0.0; }

Point NeedleTip(const Point& centre, double length, const SineCosine& at) {
    return {centre.x + length * at.cosine, centre.y - length * at.sine};
}

std::vector<Point> NeedleOutline(int style, const Point& centre, double length, double tail, double base, const SineCosine& at) {
    const Point tip = NeedleTip(centre, length, at);
    // Across the needle, half the base each way.
    const double half = base / 2.0;
    const Point side{at.sine * half, at.cosine * half};
    switch (style) {
        case 1: {
            const Point inner = NeedleTip(centre, base / 2.0, at);
            return {inner, tip};
        }
        case 2:
        case 3: return {tip, {centre.x + side.x, centre.y + side.y}, {centre.x - side.x, centre.y - side.y}};
        case 4:
        case 5: {
            const Point back = NeedleTip(centre, -tail, at);
            return {tip, {centre.x + side.x, centre.y + side.y}, back, {centre.x - side.x, centre.y - side.y}};
        }
        default: return {centre, tip};
    }
}

std::vector<double> MajorTicks(double from, double to, double step) {
    std::vector<double> ticks;
    const double span = std::fabs(to - from);
    if (!(step > 0.0) || step > span || !std::isfinite(span) || span / step > 1000.0) return ticks;
    const double direction = to >= from ? 1.0 : -1.0;
    const int count = static_cast<int>(std::floor(span / step + 1e-9));
    for (int i = 0; i <= count; ++i) ticks.push_back(from + direction * i * step);
    return ticks;
}

std::vector<double> MinorTicks(double from, double to, double step, int minorPerStep) {
    std::vector<double> ticks;
    const std::vector<double> major = MajorTicks(from, to, step);
    if (major.size() < 2 || minorPerStep < 1 || minorPerStep > 100) return ticks;
    const double minor = (major[1] - major[0]) / (minorPerStep + 1);
    for (std::size_t i = 0; i + 1 < major.size(); ++i)
        for (int k = 1; k <= minorPerStep; ++k) ticks.push_back(major[i] + k * minor);
    return ticks;
}

bool ReadoutBelowCentre(const MeterAngles& angles) {
    double middle = std::fmod((angles.start + angles.end) / 2.0, 360.0);
    if (middle < 0) middle += 360.0;
    return middle > 0.0 && middle < 180.0;
}

}  // namespace dynaview
