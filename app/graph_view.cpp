#include "app/graph_view.h"

namespace app {

GraphView::GraphView(platform::Platform& platform, std::function<void()> quitApplication)
    : gfx_(platform.dialogs, platform.numbers, store_, std::move(quitApplication)) {}

void GraphView::DrawDataArray(int n, const float* values, float start, float length) {
    if (n < 0) return;
    gfx_.DrawDataArray(n, std::span<const float>(values, static_cast<std::size_t>(n)), start, length);
}

void GraphView::DrawSavedData(int n, const float* values, float start, float length) {
    if (n < 0) return;
    gfx_.DrawSavedData(n, std::span<const float>(values, static_cast<std::size_t>(n)), start, length);
}

}  // namespace app
