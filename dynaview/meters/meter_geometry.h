#pragma once
// The arithmetic of meters, free of widgets: the dial's angles and scale, a value's angle
// with the needle pinned just beyond the scale, sine and cosine interpolated from the
// whole-degree tables, the needles' records and outlines, and the tick values.

#include <array>
#include <vector>

namespace dynaview {

constexpr int MaxNeedles = 5;
constexpr int PinDegrees = 4;  // a needle rests this far beyond either end of the scale
constexpr int NeedleStyles = 6;

// Angles in whole degrees, counter-clockwise from 3 o'clock; the end is always above the
// start. Equal angles, or a difference of exactly 360, make a full circle.
struct MeterAngles {
    int start = 0;
    int end = 0;
    bool fullCircle = false;
};
MeterAngles NormaliseAngles(int from, int to);

// Degrees per unit of the range: (end - start) / (to - from).
double ScaleFactor(const MeterAngles& angles, double from, double to);
// The value "to" sits at the start angle and "from" at the end: start + scale x (to - value).
double ValueToAngle(double value, const MeterAngles& angles, double scale, double to);
// An angle more than 4 degrees outside the scale rests 4 degrees beyond it.
double PinAngle(double angle, const MeterAngles& angles);

// Sine and cosine of a whole degree of any sign, from the 0..90 tables.
float WholeDegreeSine(int degree);
float WholeDegreeCosine(int degree);
struct SineCosine {
    double sine = 0.0;
    double cosine = 1.0;
};
// Linear interpolation between the whole degrees b and b + 1 (b - 1 below zero), b the
// integer part of the angle.
SineCosine InterpolatedSineCosine(double angle);

struct Needle {
    int angle = 0;          // whole degrees (the integer part of the exact angle)
    int previousAngle = 0;
    SineCosine now;
    SineCosine before;
    double length = 0.0;    // pixels
    double tail = 0.0;      // pixels behind the centre (styles 4 and 5)
    int colour = 0;
    bool placed = false;    // moved at least once
};
// Moves a needle to a value; false, leaving it alone, when its whole degree is unchanged
// (and it has been placed) unless `always` (a read-out must follow every change).
bool MoveNeedle(Needle& needle, double value, const MeterAngles& angles, double scale, double to, bool always);

// The needle sizes of a style: pen width, base size and tail (before the per-needle
// shortening), from the graph's line width w and the dial radius in pixels.
struct NeedleSizes {
    double pen = 1.0;
    double base = 0.0;
};
NeedleSizes NeedleSizesOf(int style, int lineWidth, double radius);
// Needle n (0 for the first shown channel) is the radius less a line width and half a tick,
// and each further one half a tick shorter.
double NeedleLength(int n, double radius, int lineWidth, double tickLength);
double NeedleTail(int style, double length);

struct Point {
    double x = 0.0;
    double y = 0.0;
};
// The tip of a needle in device units (y down).
Point NeedleTip(const Point& centre, double length, const SineCosine& at);
// A needle's outline: a line (styles 0, 1: two points), a triangle (2, 3) or a diamond
// (4, 5).
std::vector<Point> NeedleOutline(int style, const Point& centre, double length, double tail, double base, const SineCosine& at);

// The values of the major ticks from `from` towards `to` every `step`, and the minor ticks
// between them; an empty list for a step that does not fit.
std::vector<double> MajorTicks(double from, double to, double step);
std::vector<double> MinorTicks(double from, double to, double step, int minorPerStep);

// Whether the read-out goes below the centre: the middle of the arc lies between 0 and 180.
bool ReadoutBelowCentre(const MeterAngles& angles);

}  // namespace dynaview
