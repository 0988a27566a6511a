#include "dynaview/frame/dyn_errors.h"

#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/library.h"
#include "platform/dialogs.h"
#include "plotbase/error_report.h"

namespace dynaview {

int ReportDynError(plotbase::Environment& env, int code, int kind, std::string_view text) {
    if (code < 100) {
        plotbase::ReportError(env, code, kind, text);
        return 0;
    }
    plotbase::RecordError(env, code, DynErrorMessage(code, kind, text));
    Library& library = Library::instance();
    if (library.errorBoxOpen) return 0;
    const int errorClass = ErrorClass(code);
    if (!env.showErrorMessages && errorClass != 3) return 0;
    struct BoxGuard {
        bool& open;
        explicit BoxGuard(bool& flag) : open(flag) { open = true; }
        ~BoxGuard() { open = false; }
    } guard(library.errorBoxOpen);
    const std::string message = DynErrorBoxText(code, kind, text);
    int result = 0;
    if (errorClass == 3) {
        env.dialogs.message(message, platform::MessageKind::Warning, ErrorCaption(code));
    } else if (env.dialogs.ask(message, platform::Question::YesNo, ErrorCaption(code)) == platform::Answer::No) {
        env.stop = true;
        result = 1;
    }
    return result;
}

}  // namespace dynaview
