#pragma once
// dynaview's own error numbers (100 and above): their texts, classes and box captions.
// Numbers below 100 are plotbase's and keep plotbase's messages.

#include <string>
#include <string_view>

namespace dynaview {

enum DynErrorCode : int {
    DdeErrorBase = 100,  // 100 + (link error - 0x4000), up to 117
    TooManyConversations = 118,
    TooManyItems = 119,
    NoFreeTimers = 133,
    NoHistory = 134,
    RangeTooLarge = 135,
    GraphTooSmall = 136,
    NotBuiltYet = 137,
    NoFreeDataSet = 138,
    OldPlotbase = 149,
};

// 0 up to 131, 1 from 132 to 147, 3 (critical: the program will end) from 148.
int ErrorClass(int code);
// "CRITICAL ERROR", "DDE Error" (100 to 119) or "SERIOUS ERROR".
const char* ErrorCaption(int code);
// The message of a number (at most 79 characters); empty for a number without one.
std::string_view DynErrorText(int code);
// The message with the caller's text before it (kind 1) or after it (kind 2).
std::string DynErrorMessage(int code, int kind, std::string_view text);
// What the box says: the message and the question or the warning of its class.
std::string DynErrorBoxText(int code, int kind, std::string_view text);

}  // namespace dynaview
