#pragma once
// plotbase's error numbers. Libraries built on plotbase report their own numbers (100 and
// above) through the same routine.

namespace plotbase {

enum ErrorCode : int {
    NotInitialised = 1,
    RevisionTooNew = 2,
    InvalidPage = 10,
    NoFreePage = 11,
    NoFreeGraphSlot = 12,
    NoHostWindow = 13,
    InvalidArgument = 18,
    InvalidRange = 20,
    InvalidTicks = 21,
    InvalidColour = 22,
    InvalidPlacement = 23,
    WrongObjectType = 29,
    InvalidRecord = 30,
    GraphNotOpen = 32,
    PrintFailed = 40,
    PageFileWrite = 41,
    PageFileRead = 42,
    OutOfMemory = 53,
    NoSuchAxis = 54,
    NoSuchDataSet = 55,
    NoSuchObject = 56,
    DataSetTooShort = 57,
};

// How the caller's text joins the message: not at all, before it, or after it.
enum ErrorTextKind : int { MessageOnly = 0, TextBefore = 1, TextAfter = 2 };

// The message of a plotbase error number; empty for numbers plotbase does not know.
const char* errorMessage(int code);

}  // namespace plotbase
