#pragma once
// The waveform graph in a host of the main window's plot-area size, over a store whose
// point i holds 0.001 i (derivative -0.0005 i).

#include "graph/tdr_gfx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "plotbase/plotbase.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace graph::testing {

class RampStore : public WaveformStore {
public:
    float WaveformAt(int i) const override { return inside(i) ? 0.001f * static_cast<float>(i) : 0.0f; }
    float DerivativeAt(int i) const override { return inside(i) ? -0.0005f * static_cast<float>(i) : 0.0f; }

private:
    static bool inside(int i) { return i >= 1 && i <= 2048; }
};

class GraphTest : public ::testing::Test {
protected:
    GraphTest() {
        host.resize(472, 318);
        created = gfx.CreateGraphPage(&host);
        host.show();
    }

    plotbase::Environment& env() { return gfx.environment(); }
    int g() const { return gfx.handles().graph; }
    const TDRGFX::Handles& h() const { return gfx.handles(); }

    template <typename T>
    const T& object(int index) {
        const T* found = plotbase::WGGetObjectAs<T>(env(), g(), index);
        if (!found) throw std::runtime_error("no object " + std::to_string(index) + " of that type");
        return *found;
    }
    const plotbase::Axis& xAxis() { return object<plotbase::Axis>(h().xAxis); }
    const plotbase::Axis& yAxis() { return object<plotbase::Axis>(h().yAxis); }
    const plotbase::DataSet& set(int index) { return object<plotbase::DataSet>(index); }
    double x(const plotbase::DataSet& s, int i) { return (*s.x)[static_cast<std::size_t>(i)]; }
    double y(const plotbase::DataSet& s, int i) { return (*s.y)[static_cast<std::size_t>(i)]; }

    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    RampStore store;
    QWidget host;
    int quits = 0;
    TDRGFX gfx{dialogs, numbers, store, [this] { ++quits; }};
    bool created = false;
};

}  // namespace graph::testing
