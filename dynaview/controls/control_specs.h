#pragma once
// What the controls' creators and change functions accept, without any widget: the kinds
// of control (the object's subtype), button and group styles, colours, scroll ranges, the
// rectangle in the graph's world coordinates and the item texts of a button group.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dynaview {

// The subtypes of the control object.
enum ControlKind : std::int16_t {
    ScrollBarKind = 0,
    ButtonKind = 1,
    LedKind = 2,
    ButtonGroupKind = 5,
};

enum ButtonStyle : int { PushStyle = 0, ToggleStyle = 1, LatchStyle = 2 };
// Group style flags.
constexpr int GroupVertical = 1;
constexpr int GroupRadio = 2;

constexpr int MaxGroupItems = 16;
constexpr std::size_t ControlTextLength = 40;  // a button's text is cut to this
constexpr int DefaultColour = -1;

bool ButtonStyleOk(int style);
bool GroupStyleOk(int style);
// A palette index 0..15, or DefaultColour.
bool ControlColourOk(int colour);
bool ScrollRangeOk(int minimum, int maximum, int position);

// A control's place in the graph's world coordinates: the top-left corner and the size
// (world y grows upwards, so the control reaches down from `top` by `height`).
struct WorldBox {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};
// Finite, with a positive size whose corners are finite too.
bool WorldBoxOk(const WorldBox& box);
// A round lamp: its centre and diameter (in world x units, so that it stays round).
WorldBox LampBox(double x, double y, double size);

// The item texts of a button group: `count` texts separated by '|', each cut to
// ControlTextLength; null gives "1" .. "count". Nothing when the number of texts is not
// `count` or the count is outside 1..MaxGroupItems.
std::optional<std::vector<std::string>> GroupTexts(const char* texts, int count);

}  // namespace dynaview
