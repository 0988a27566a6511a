#pragma once
// The 16 colours every plotbase object is drawn with, by index. Graphs are drawn on a white
// background, so the palette is chosen for white (screen and paper alike):
//
//   0 black          print colour, axes, labels, titles, text
//   1 navy           5 purple         9 light blue     13 orchid
//   2 dark green     6 brown         10 green          14 blue
//   3 pale blue-grey 7 light grey    11 grey-blue      15 orange
//   4 red            8 dark grey     12 magenta
//
// WAVIX's waveform graph uses 14 (main trace), 4 (overlay), 15 (derivative), 10 and 12
// (markers; 2 and 4 after printing), 3 (fine grid), 11 (coarse grid) and 0.

#include <array>
#include <cstdint>

namespace plotbase {

constexpr int PaletteSize = 16;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

constexpr std::array<Rgb, PaletteSize> Palette{{
    {0x00, 0x00, 0x00},  // 0 black
    {0x1f, 0x4e, 0x9c},  // 1 navy
    {0x1b, 0x7f, 0x3b},  // 2 dark green
    {0xe2, 0xe8, 0xef},  // 3 pale blue-grey
    {0xd6, 0x27, 0x28},  // 4 red
    {0x8e, 0x3f, 0xa8},  // 5 purple
    {0x8c, 0x5a, 0x2b},  // 6 brown
    {0xc0, 0xc0, 0xc0},  // 7 light grey
    {0x7f, 0x7f, 0x7f},  // 8 dark grey
    {0x4f, 0x86, 0xe8},  // 9 light blue
    {0x22, 0xb1, 0x4c},  // 10 green
    {0xb7, 0xc3, 0xd0},  // 11 grey-blue
    {0xe0, 0x21, 0x8a},  // 12 magenta
    {0xc7, 0x7d, 0xdb},  // 13 orchid
    {0x0a, 0x58, 0xca},  // 14 blue
    {0xf0, 0x7f, 0x0f},  // 15 orange
}};

constexpr std::array<const char*, PaletteSize> PaletteNames{
    "Black", "Navy", "Dark Green", "Pale Blue-Grey", "Red", "Purple", "Brown", "Light Grey",
    "Dark Grey", "Light Blue", "Green", "Grey-Blue", "Magenta", "Orchid", "Blue", "Orange",
};

constexpr Rgb GraphBackground{0xff, 0xff, 0xff};
constexpr Rgb PageBackground{0xec, 0xee, 0xf1};

constexpr bool isPaletteIndex(int colour) { return colour >= 0 && colour < PaletteSize; }

// The colour of an index; indices outside the palette draw black.
constexpr Rgb paletteColour(int colour) { return isPaletteIndex(colour) ? Palette[static_cast<std::size_t>(colour)] : Palette[0]; }

}  // namespace plotbase
