#pragma once
// What the measuring chains (water content, bulk EC, cell constant, linearity test) need of
// the program they run in. The main window provides it, and wavix-cli without a window, so
// both run the same chains.

#include "analysis/moisture_calibration.h"

#include "link/busy_switches.h"
#include "link/chain_table.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

// The settings panel's part in a chain: its checks, the texts the chains read, and the set
// steps every measuring chain begins with.
class ChainSettings {
public:
    virtual ~ChainSettings() = default;
    // Checks the seven settings; on a bad one the user has been told and false comes back.
    virtual bool UpdateSettings() = 0;
    virtual std::string ProbeLengthText() const = 0;
    virtual std::string WindowStartText() const = 0;
    // The points field, written by the program.
    virtual void ShowPointCount(std::int32_t n) = 0;
    // States 0 to 7 of a measuring chain: the seven set steps (6 goes on to 8) and the
    // failure state after them, which goes to endState.
    virtual std::vector<instrument::ChainRow> SettingsPrefix(int endState) = 0;
    virtual void SetStartStep(std::int32_t& result) = 0;
    virtual void SetProbeLengthStep(std::int32_t& result) = 0;
    // Completion of a chain's "DUMP": the instrument's settings into the panel, or the
    // failure tone; marks the state's work done.
    virtual void DumpDone(std::int32_t code) = 0;
};

// The graph operations the chains draw with (distances in metres).
class MeasurementGraph {
public:
    virtual ~MeasurementGraph() = default;
    virtual void DrawWaveform(int n, float start, float length) = 0;
    virtual void DrawDataArray(int n, const float* values, float start, float length) = 0;
    virtual void MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2) = 0;
    virtual void SetValueAxisTitle(std::string_view title) = 0;
    virtual void SetValueAxis(float ymin, float ymax) = 0;
};

// The window: its busy switches, the result fields, and the values the chains read.
class MeasurementWindow : public instrument::BusySwitches {
public:
    // The water-content calibration in force and the probe's cell constant Kp.
    virtual Calibration CalibrationInForce() const = 0;
    virtual double CellConstant() const = 0;
    // The result fields ("Water Content", "Bulk EC").
    virtual void ShowWaterContent(const std::string& text) = 0;
    virtual void ShowBulkEC(const std::string& text) = 0;
    // The waveform copies the linearity test computes in (2048 values each), the point count
    // it leaves for the overlay capture, and whether the graph shows its result.
    virtual std::span<float> SavedWave() = 0;
    virtual std::span<float> SavedDeriv() = 0;
    virtual void SetSavedPointCount(std::int32_t n) = 0;
    virtual void SetLinearityWaveShown(bool shown) = 0;
};

// Everything a measurement works with.
struct MeasurementContext {
    MeasurementWindow& window;
    MeasurementGraph& graph;
    ChainSettings& settings;
    instrument::TTDRdataObject& data;
    instrument::TStateMach& machine;
    platform::Platform& platform;
};

}  // namespace analysis
