#pragma once
// Where an axis puts its ticks: major ticks at the multiples of the spacing that fall in the
// axis range, `count` minor ticks evenly between two majors.

#include <vector>

namespace plotbase {

// More ticks than this along one axis are thinned out to every k-th multiple.
constexpr int MaxTicksPerAxis = 1000;

std::vector<double> majorTicks(double min, double max, double spacing);
// The minor tick positions (majors excluded) within [min, max].
std::vector<double> minorTicks(double min, double max, double spacing, int count);
// The fewest decimals (up to 9) that write the multiples of `spacing` exactly.
int automaticDecimals(double spacing);

}  // namespace plotbase
