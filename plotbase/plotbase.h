#pragma once
// plotbase, the charting library: everything a program needs in one include.

#include "plotbase/environment.h"
#include "plotbase/error_codes.h"
#include "plotbase/error_report.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"
#include "plotbase/palette.h"
