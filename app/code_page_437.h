#pragma once
// The instrument's character set: the PC's original code page 437, in which its terminal
// output is meant to be read. Control characters have pictures there (a smiling face for
// 01, a note for 0D ...), which is how a terminal shows what cannot be printed.

#include <cstdint>
#include <optional>

namespace app {

// The character a received byte stands for. Bytes 0x01 to 0x1F and 0x7F give their
// pictures, 0x00 a space.
char32_t Cp437Char(std::uint8_t byte);
// The byte for a typed character, if code page 437 has it.
std::optional<std::uint8_t> Cp437Byte(char32_t character);

}  // namespace app
