#include "dynaview/frame/error_texts.h"

#include <array>

namespace dynaview {

namespace {

// Numbers 100 to 117 are the link's errors; 103 has no text of its own.
constexpr std::array<std::string_view, 18> LinkErrorTexts{
    "Advise ack timeout", "Busy", "Data ack timeout", "", "Dll usage", "Exec ack timeout", "Invalid parameter",
    "Low Memory warning", "Memory error", "Not processed", "No conversation established with ",
    "Poke ack timeout", "Postmsg failed", "Reentrancy", "Server died - ", "System error",
    "Unadvise ack timeout", "Unfound queue id",
};

}  // namespace

int ErrorClass(int code) {
    if (code <= 131) return 0;
    if (code <= 147) return 1;
    return 3;
}

const char* ErrorCaption(int code) {
    if (ErrorClass(code) == 3) return "CRITICAL ERROR";
    if (code >= 100 && code <= 119) return "DDE Error";
    return "SERIOUS ERROR";
}

std::string_view DynErrorText(int code) {
    if (code >= DdeErrorBase && code < DdeErrorBase + static_cast<int>(LinkErrorTexts.size()))
        return LinkErrorTexts[static_cast<std::size_t>(code - DdeErrorBase)];
    switch (code) {
    case TooManyConversations: return "Too many conversations";
    case TooManyItems: return "Too many items";
    case NoFreeTimers: return "No free timers";
    case NoHistory: return "No history collection for data set ";
    case RangeTooLarge: return "Range is too large";
    case GraphTooSmall: return "Graph window is too small ";
    case NotBuiltYet: return "Not available in this version of dynaview: ";
    case NoFreeDataSet: return "No free data set (199 are defined)";
    case OldPlotbase: return "Old version of the Plotbase!";
    default: return {};
    }
}

std::string DynErrorMessage(int code, int kind, std::string_view text) {
    std::string message(DynErrorText(code));
    if (message.empty()) message = "Error " + std::to_string(code);
    if (kind == 1) return std::string(text) + message;
    if (kind == 2) return message + std::string(text);
    return message;
}

std::string DynErrorBoxText(int code, int kind, std::string_view text) {
    return DynErrorMessage(code, kind, text) +
           (ErrorClass(code) == 3 ? "\nYour program will terminate !" : "\nWould you like to continue ?");
}

}  // namespace dynaview
