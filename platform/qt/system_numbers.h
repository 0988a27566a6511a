#pragma once
// Number formatting with the decimal separator of the user's locale.

#include "platform/numbers.h"

namespace platform {

Numbers systemNumbers();

}  // namespace platform
