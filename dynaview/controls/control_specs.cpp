#include "dynaview/controls/control_specs.h"

#include <cmath>
#include <cstring>

namespace dynaview {

bool ButtonStyleOk(int style) { return style >= PushStyle && style <= LatchStyle; }

bool GroupStyleOk(int style) { return style >= 0 && style <= (GroupVertical | GroupRadio); }

bool ControlColourOk(int colour) { return colour >= DefaultColour && colour <= 15; }

bool ScrollRangeOk(int minimum, int maximum, int position) {
    return minimum < maximum && position >= minimum && position <= maximum;
}

bool WorldBoxOk(const WorldBox& box) {
    const double right = box.left + box.width;
    const double bottom = box.top - box.height;
    return std::isfinite(box.left) && std::isfinite(box.top) && std::isfinite(right) && std::isfinite(bottom) &&
           box.width > 0.0 && box.height > 0.0;
}

WorldBox LampBox(double x, double y, double size) { return {x - size / 2.0, y + size / 2.0, size, size}; }

std::optional<std::vector<std::string>> GroupTexts(const char* texts, int count) {
    if (count < 1 || count > MaxGroupItems) return std::nullopt;
    std::vector<std::string> items;
    if (!texts) {
        for (int i = 1; i <= count; ++i) items.push_back(std::to_string(i));
        return items;
    }
    // Never read further than the longest list the count allows.
    const std::size_t limit = static_cast<std::size_t>(count) * 256;
    const std::string all(texts, strnlen(texts, limit));
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = all.find('|', start);
        const std::string item = all.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        items.push_back(item.substr(0, ControlTextLength));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (static_cast<int>(items.size()) != count) return std::nullopt;
    return items;
}

}  // namespace dynaview
