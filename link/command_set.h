#pragma once
// The instrument's data replies: which names carry a fixed number of data bytes (and the
// message shown when the size is wrong) and which carry arrays of points.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace instrument {

enum class ReplyLayout { Fixed, WaveformArray, DerivativeArray, Unknown };

struct ReplyShape {
    ReplyLayout layout;
    std::size_t bytes;          // required data bytes of a fixed reply
    std::string_view sizeMessage;  // shown when a fixed reply has the wrong size
};

ReplyShape ShapeOf(std::string_view name);

// Message shown when a data reply's length is not a whole number of words (the
// instrument's original wording, the same for every command).
inline constexpr std::string_view MalformedMessage = "Error: GVER command response malformed.";
inline constexpr std::string_view UnknownReplyMessage = "Error: Response to Unknown command recieved!";

// Reply time-outs the program's callers give, in seconds.
namespace ReplyTimeouts {
inline constexpr int SetCommand = 10;
inline constexpr int Dump = 10;
inline constexpr int Gtim = 10;
inline constexpr int Glwf = 30;
inline constexpr int Gldr = 20;
inline constexpr int Gcal = 20;
inline constexpr int Gcon = 20;
inline constexpr int Gvar = 20;
// A 0-second request waits as long as the request before it; on a port that has not had
// one yet it waits this long.
inline constexpr int FirstPeriod = 10;
inline constexpr int LinearityDump = 3;
inline constexpr int LinearityGtim = 5;
}  // namespace ReplyTimeouts

// A time the instrument reports ("GTIM") as a reply time-out: whole seconds, truncated
// toward zero; a value that is not a positive number gives 0, a huge one the largest count.
std::int32_t WholeSeconds(float seconds);

}  // namespace instrument
