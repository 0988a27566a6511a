#pragma once
// Result codes of instrument requests: 0 success, negative codes found by the program,
// positive codes reported by the instrument itself.

#include <cstdint>
#include <string>

namespace instrument {

enum ResultCode : std::int32_t {
    Success = 0,
    Timeout = -1,
    Failed = -2,
    CommandFailed = -3,  // the reply names another command
    ChecksumFailed = -4,
    CrcFailed = -5,
    MalformedPacket = -6,
    AnotherCommandActive = -7,
    NoActiveCommand = -8,
    PortNotOpen = -9,
    WriteFailed = -10,
    UnknownError = -11,  // the reply type is not one of the three known
    PacketSizeError = -12,
    NotAvailable = -13,
};

// The text of a code the program produced, by its absolute value ("TIMEOUT" for -1,
// "No Error, Success" for 0); codes beyond the table give "UNKNOWN RESULT <code>".
std::string CodeText(std::int32_t code);
// The instrument's own error texts, 0 to 80; larger numbers read "Instrument Error <n>".
std::string InstrumentErrorText(std::int32_t number);

}  // namespace instrument
