#include "graph/print_annotations.h"

#include "platform/numbers.h"

namespace graph {

std::string printedSetting(std::string_view text, const platform::Numbers& numbers) {
    return numbers.formatWidth(numbers.parseReal(text).value_or(0.0), 5, 3);
}

}  // namespace graph
