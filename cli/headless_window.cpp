#include "cli/headless_window.h"

namespace cli {

HeadlessWindow::HeadlessWindow(const std::array<std::string, 7>& settings, analysis::Calibration calibration, double kp,
                               int waveformType)
    : settings_(settings), calibration_(calibration), kp_(kp), waveformType_(waveformType) {}

std::string HeadlessWindow::SettingText(int tag) const {
    if (tag < 1 || tag > 7) return {};
    return settings_[static_cast<std::size_t>(tag - 1)];
}

void HeadlessWindow::SetSettingText(int tag, const std::string& text) {
    if (tag >= 1 && tag <= 7) settings_[static_cast<std::size_t>(tag - 1)] = text;
}

void HeadlessWindow::MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2) {
    // Where the graph would draw them, in metres.
    if (n <= 0) return;
    markersShown_ = show;
    marker1_ = start + length * pos1 / static_cast<float>(n);
    marker2_ = start + length * pos2 / static_cast<float>(n);
}

void HeadlessWindow::ForgetResults() {
    waterContent_.clear();
    bulkEC_.clear();
    drawnPoints_ = 0;
    drawnDerivativePoints_ = 0;
    markersShown_ = false;
}

}  // namespace cli
