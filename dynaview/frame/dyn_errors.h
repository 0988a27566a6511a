#pragma once
// The one error routine of dynaview. Numbers below 100 are plotbase's and go to plotbase's
// error routine unchanged. dynaview's own numbers are recorded as the environment's last
// error and shown in dynaview's box (while error messages are switched on, or always for a
// critical error): a Yes/No box asking whether to continue, or for a critical error an OK
// box warning that the program will end. No box opens while another is up. Answering No
// sets the environment's stop flag.

#include <string_view>

namespace plotbase {
class Environment;
}

namespace dynaview {

// kind 0: the message only; 1: `text` before it; 2: `text` after it. Returns 1 when the
// user answered No, else 0.
int ReportDynError(plotbase::Environment& env, int code, int kind = 0, std::string_view text = {});

}  // namespace dynaview
