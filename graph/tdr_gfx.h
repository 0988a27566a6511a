#pragma once
// The waveform graph of the main window: reflection coefficient against distance, with the
// current waveform, a saved overlay and the derivative, two markers for the positions the
// instrument reports and the annotation line that appears only on paper. Everything else
// draws through these operations; none calls plotbase directly.

#include "graph/print_annotations.h"
#include "graph/waveform_store.h"
#include "plotbase/environment.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

class QPrinter;
class QWidget;

namespace platform {
class Dialogs;
class Numbers;
}  // namespace platform

namespace graph {

struct ValueRange {
    double min;
    double max;
};

class TDRGFX {
public:
    static constexpr int MaxPoints = 2048;
    static constexpr std::size_t MaxValueTitleLength = 15;
    static constexpr int TextCount = 14;

    // Everything plotbase handed out (0: not created).
    struct Handles {
        int page = 0;
        int graph = 0;
        int mainSet = 0, savedSet = 0, derivativeSet = 0;
        int mainPlot = 0, savedPlot = 0, derivativePlot = 0;
        int xAxis = 0, yAxis = 0;
        int xLabels = 0, yLabels = 0;
        int xTitle = 0, yTitle = 0;
        int marker1 = 0, marker2 = 0;
        std::array<int, TextCount> texts{};
    };

    // quitApplication ends the program: after CloseGraphPage, or when plotbase refuses to
    // start.
    TDRGFX(platform::Dialogs& dialogs, const platform::Numbers& numbers, const WaveformStore& store,
           std::function<void()> quitApplication = {});
    ~TDRGFX();
    TDRGFX(const TDRGFX&) = delete;
    TDRGFX& operator=(const TDRGFX&) = delete;

    // Creates the page, filling the host window, with its one graph. Returns whether the
    // graph is ready.
    bool CreateGraphPage(QWidget* host);
    // Releases plotbase and asks the application to quit.
    void CloseGraphPage();

    // Ranges in metres and in reflection-coefficient units; max <= min, or an end or span
    // that is not finite, is ignored.
    void SetDistanceAxis(float xmin, float xmax);
    void SetValueAxis(float ymin, float ymax);

    // The traces: n points spread evenly from start over length. A draw is refused (false,
    // nothing changes) once the graph is gone, or for n outside 1..2048 or beyond the
    // values given.
    bool DrawWaveform(int n, float start, float length);
    bool DrawDataArray(int n, std::span<const float> values, float start, float length);
    bool DrawSavedData(int n, std::span<const float> values, float start, float length);
    bool DrawDerivative(int n, float start, float length);
    // Markers at start + pos / n * length; with show false they appear with the next redraw.
    void MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2);
    void RedrawTrace();
    // At most 15 characters; the rest is cut.
    void SetValueAxisTitle(std::string_view text);
    // The value axis's range as plotbase holds it; nothing once the graph is gone.
    std::optional<ValueRange> GetValueAxisRange() const;
    // Prints the graph with the annotations (without a printer the print dialog asks for
    // one). Returns whether a page was printed.
    bool PrintWaveformGraph(const PrintAnnotations& annotations, QPrinter* printer = nullptr);

    // The value range the user chose (settings file, axis range dialog).
    float YaxisMax = 1.0f;
    float YaxisMin = -1.0f;

    const Handles& handles() const { return handles_; }
    plotbase::Environment& environment() { return env_; }
    const plotbase::Environment& environment() const { return env_; }

private:
    void buildPage(int page);
    void buildGraph(int graph);
    void graphProcedure(int graph, const plotbase::WindowMessage& message);
    void editSelectedObject(int graph);
    bool graphValid() const;
    // Replaces a trace's data set by n points from value(i), i = 0..n-1.
    template <typename ValueOf>
    bool replaceTrace(int& set, int plot, const char* name, int n, float start, float length, ValueOf value);

    plotbase::Environment env_;
    const platform::Numbers& numbers_;
    const WaveformStore& store_;
    std::function<void()> quitApplication_;
    Handles handles_;
    // The one-point blocks of the three traces at creation (one x block shared by all).
    plotbase::DoubleBlock startX_, startMain_, startSaved_, startDerivative_;
};

}  // namespace graph
