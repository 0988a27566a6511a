#pragma once
// The main window as wavix-cli needs it: no widgets, the same interfaces. The settings
// edits are texts, the result fields remember what was shown, the graph remembers what was
// drawn, and nothing is ever disabled for long because nobody can click.

#include "app/main_window_port.h"
#include "app/waveform_buffers.h"
#include "app/waveform_plot.h"

#include <array>
#include <string>

namespace cli {

class HeadlessWindow : public app::MainWindowPort, public app::WaveformPlot {
public:
    // The seven settings texts (tag order), the calibration in force and Kp.
    HeadlessWindow(const std::array<std::string, 7>& settings, analysis::Calibration calibration, double kp,
                   int waveformType);

    // What the chains left behind.
    const std::string& WaterContentText() const { return waterContent_; }
    const std::string& BulkECText() const { return bulkEC_; }
    int DrawnPoints() const { return drawnPoints_; }
    int DrawnDerivativePoints() const { return drawnDerivativePoints_; }
    bool MarkersShown() const { return markersShown_; }
    // The markers' distances in metres (1: the probe's start, 2: its end).
    float MarkerDistance(int which) const { return which == 1 ? marker1_ : marker2_; }
    void ForgetResults();

    // app::MainWindowPort
    std::string SettingText(int tag) const override;
    void SetSettingText(int tag, const std::string& text) override;
    void FocusSetting(int) override {}
    bool ContinuousUpdateChecked() const override { return false; }
    bool OverlayVisibleChecked() const override { return false; }
    void SetOverlayVisibleChecked(bool) override {}
    int WaveformTypeIndex() const override { return waveformType_; }
    bool LinearityTestVisible() const override { return false; }
    std::string MuxAddressText() const override { return "?-?-?"; }
    // analysis::MeasurementWindow
    analysis::Calibration CalibrationInForce() const override { return calibration_; }
    double CellConstant() const override { return kp_; }
    void ShowWaterContent(const std::string& text) override { waterContent_ = text; }
    void ShowBulkEC(const std::string& text) override { bulkEC_ = text; }
    std::span<float> SavedWave() override { return buffers_.SavedWave; }
    std::span<float> SavedDeriv() override { return buffers_.SavedDeriv; }
    void SetSavedPointCount(std::int32_t n) override { buffers_.Header.PointCount = n; }
    void SetLinearityWaveShown(bool shown) override { buffers_.LinearityWaveShown = shown; }
    // instrument::BusySwitches
    void SetEnable(bool) override {}
    void EnableMenuItems(bool) override {}
    void SetHourglass(bool) override {}
    // app::WaveformPlot
    void SetDistanceAxis(float, float) override {}
    void DrawWaveform(int n, float, float) override { drawnPoints_ = n; }
    void DrawDataArray(int, const float*, float, float) override {}
    void DrawSavedData(int, const float*, float, float) override {}
    void DrawDerivative(int n, float, float) override { drawnDerivativePoints_ = n; }
    void MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2) override;
    void RedrawTrace() override {}
    void SetValueAxisTitle(std::string_view) override {}
    void SetValueAxis(float, float) override {}

    app::WaveformBuffers& Buffers() { return buffers_; }

private:
    std::array<std::string, 7> settings_;
    analysis::Calibration calibration_;
    double kp_;
    int waveformType_;
    std::string waterContent_;
    std::string bulkEC_;
    int drawnPoints_ = 0;
    int drawnDerivativePoints_ = 0;
    bool markersShown_ = false;
    float marker1_ = 0;
    float marker2_ = 0;
    app::WaveformBuffers buffers_;
};

}  // namespace cli
