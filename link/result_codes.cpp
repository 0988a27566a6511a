#include "link/result_codes.h"

#include <array>
#include <cstdlib>

namespace instrument {

namespace {

constexpr std::array<const char*, 14> codeTexts = {
    "No Error, Success",   "TIMEOUT",       "FAILED",           "COMMAND FAILED",       "CHECKSUM FAILED",
    "CRC FAILED",          "MALFORMED PKT", "ANOTHER COMMAND ACTIVE", "NO ACTIVE COMMAND", "COMM PORT NOT OPEN",
    "WRITE TO PORT FAILED", "UNKNOWN ERROR", "PACKET SIZE ERROR", "NO AVAILABLE",
};

const char* instrumentText(std::int32_t n) {
    switch (n) {
        case 0: return "No Error, Success";
        case 1: return "Bad Checksum";
        case 2: return "Illegal Command Format, Not Defined";
        case 3: return "No Valid Letters Or Numbers";
        case 4: return "Could Not Be Parsed";
        case 5: return "Command Not Identified";
        case 6: return "Command Not Recognized";
        case 7: return "Calibration Unsuccessful";
        case 8: return "Extra Period(terminal mode)";
        case 9: return "No Reference Cable Length";
        case 10: return "Value Out Of Range";
        case 11: return "Timeout - Cable Short Not Found";
        case 12: return "Timeout Waiting For Data";
        case 13: return "Exponent Not Defined";
        case 14: return "No Command Defined For Output";
        case 15: return "Bad Data";
        case 16: return "Bad Moisture Calculation";
        case 17: return "Could Not Detect Liquid Level";
        case 18: return "Incorrect Mux Address Or Channel";
        case 19: return "Unable To Locate Pulse";
        case 20: return "Could Not Measure Baseline";
        case 21: return "Could Not Measure Top Of Pulse";
        case 22: return "UnKnown Internal Error";
        case 69: return "Command Decode Error";
        case 70: case 72: case 77: case 80: return "I2C: Unknown Error";
        case 71: return "I2C: READ: DEVICE WRITE not Accepted";
        case 73: return "I2C: IOPOLL: Timeout";
        case 74: return "I2C: WRITE: Data Not Written";
        case 75: return "I2C: WRITE: Address Not Accepted";
        case 76: return "I2C: WRITE: DEVICE WRITE not Accepted";
        case 78: return "I2C: READ: DEVICE READ not Accepted";
        case 79: return "I2C: READ: Address Not Accepted";
        default: return (n >= 23 && n <= 68) ? "Unexpected Error" : nullptr;
    }
}

}  // namespace

std::string CodeText(std::int32_t code) {
    const auto index = static_cast<std::size_t>(std::llabs(code));
    if (index < codeTexts.size()) return codeTexts[index];
    return "UNKNOWN RESULT " + std::to_string(code);
}

std::string InstrumentErrorText(std::int32_t number) {
    if (const char* text = instrumentText(number)) return text;
    return "Instrument Error " + std::to_string(number);
}

}  // namespace instrument
