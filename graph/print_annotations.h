#pragma once
// What the printed graph shows above the plot: the main window's settings as the user
// typed them and the last water content.

#include <string>
#include <string_view>

namespace platform {
class Numbers;
}

namespace graph {

struct PrintAnnotations {
    std::string cableVp;
    std::string averages;
    std::string points;
    std::string probeLength;
    std::string probeOffset;
    std::string waterContent;  // the water-content result text as shown
};

// A setting's text as a number with width 5 and 3 decimals; text that is not a number
// prints as 0.
std::string printedSetting(std::string_view text, const platform::Numbers& numbers);

}  // namespace graph
