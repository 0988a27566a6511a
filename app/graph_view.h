#pragma once
// The waveform graph as the main window's logic draws with it: the graph module, reading
// the waveform store of the command data object.

#include "app/waveform_plot.h"

#include "graph/tdr_gfx.h"
#include "link/data_object.h"
#include "platform/platform.h"

#include <functional>

namespace app {

class GraphView : public WaveformPlot {
public:
    GraphView(platform::Platform& platform, std::function<void()> quitApplication);
    // The data object is made after the graph page; until then the store reads 0.0.
    void SetDataObject(const instrument::TTDRdataObject* data) { store_.data = data; }
    graph::TDRGFX& Gfx() { return gfx_; }

    void SetDistanceAxis(float xmin, float xmax) override { gfx_.SetDistanceAxis(xmin, xmax); }
    void DrawWaveform(int n, float start, float length) override { gfx_.DrawWaveform(n, start, length); }
    void DrawDataArray(int n, const float* values, float start, float length) override;
    void DrawSavedData(int n, const float* values, float start, float length) override;
    void DrawDerivative(int n, float start, float length) override { gfx_.DrawDerivative(n, start, length); }
    void MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2) override {
        gfx_.MoveMarkers(n, show, length, start, pos1, pos2);
    }
    void RedrawTrace() override { gfx_.RedrawTrace(); }
    void SetValueAxisTitle(std::string_view title) override { gfx_.SetValueAxisTitle(title); }
    void SetValueAxis(float ymin, float ymax) override { gfx_.SetValueAxis(ymin, ymax); }

private:
    struct Store : graph::WaveformStore {
        const instrument::TTDRdataObject* data = nullptr;
        float WaveformAt(int i) const override { return data ? data->WaveformAt(i) : 0.0f; }
        float DerivativeAt(int i) const override { return data ? data->DerivativeAt(i) : 0.0f; }
    };
    Store store_;
    graph::TDRGFX gfx_;
};

}  // namespace app
