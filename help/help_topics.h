#pragma once
// Where the program's help sets are: the resource folder the topics are compiled into.
// Pass it to platform::QtHelp; the help file name "rfx410H.hlp" (or "rfx410H") then selects
// the set in help/rfx410H/.

#include <QString>

namespace help {

// ":/help". Calling it also makes sure the resource is registered, which a static library
// cannot do on its own.
QString topicsRoot();

inline constexpr const char* HelpFileName = "rfx410H.hlp";

}  // namespace help
