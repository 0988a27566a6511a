#include "plotbase/error_report.h"

#include "plotbase/environment.h"
#include "plotbase/error_codes.h"
#include "platform/dialogs.h"

#include <string>

namespace plotbase {

const char* errorMessage(int code) {
    switch (code) {
    case NotInitialised: return "plotbase is not initialised";
    case RevisionTooNew: return "The program needs a newer plotbase";
    case InvalidPage: return "No such page";
    case NoFreePage: return "No free page";
    case NoFreeGraphSlot: return "No free graph slot on the page";
    case NoHostWindow: return "No host window";
    case InvalidArgument: return "Invalid argument";
    case InvalidRange: return "Invalid axis range";
    case InvalidTicks: return "Invalid tick spacing or count";
    case InvalidColour: return "Colour index out of range";
    case InvalidPlacement: return "Invalid placement";
    case WrongObjectType: return "Wrong object type";
    case InvalidRecord: return "Invalid record";
    case GraphNotOpen: return "No such graph";
    case PrintFailed: return "Printing failed";
    case PageFileWrite: return "Cannot write the page file";
    case PageFileRead: return "Cannot read the page file";
    case OutOfMemory: return "Not enough memory";
    case NoSuchAxis: return "No such axis";
    case NoSuchDataSet: return "No such data set";
    case NoSuchObject: return "No such object";
    case DataSetTooShort: return "The data set's blocks hold fewer values than its points";
    default: return "";
    }
}

int ReportError(Environment& env, int code, int kind, std::string_view text) {
    std::string message = errorMessage(code);
    if (message.empty()) message = "Error " + std::to_string(code);
    if (kind == TextBefore && !text.empty()) message = std::string(text) + message;
    if (kind == TextAfter && !text.empty()) message += std::string(text);
    env.lastError = {code, message};
    if (env.showErrorMessages && !env.errorBoxOpen) {
        env.errorBoxOpen = true;
        env.dialogs.message("plotbase error " + std::to_string(code) + ": " + message, platform::MessageKind::Error);
        env.errorBoxOpen = false;
    }
    return code;
}

int RecordError(Environment& env, int code, std::string_view message) {
    env.lastError = {code, std::string(message)};
    return code;
}

int ReportWrongObjectType(Environment& env, const GraphObject& object, std::string_view operation) {
    std::string text = " (type " + std::to_string(object.type) + ")";
    if (!operation.empty()) text += " - " + std::string(operation);
    return ReportError(env, WrongObjectType, TextAfter, text);
}

bool IsValidRecord(const Environment& env, const void* record) { return env.records.isValid(record); }

}  // namespace plotbase
