#pragma once
// For the exported functions of families that are not built yet: they report "Not
// available in this version of dynaview: <name>" (error 137) and return 0.

namespace dynaview {

int NotBuilt(const char* function);

}  // namespace dynaview
