// graph-gallery: renders the waveform graph in the states a user meets it in, to PNG files,
// and prints one graph to PDF, so anyone can look at what the graph shows.
//   graph-gallery [output directory]        (default: build/screenshots)

#include "graph/gallery/synthetic_waveform.h"
#include "graph/tdr_gfx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "plotbase/plotbase.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using graph::TDRGFX;
using graph::gallery::ProbeScene;
using graph::gallery::SyntheticStore;

// The plot area of the main window's graph panel.
constexpr int PlotWidth = 472;
constexpr int PlotHeight = 318;

struct Scene {
    explicit Scene(const ProbeScene& probe)
        : store(graph::gallery::makeReflectionWaveform(probe)), gfx(dialogs, numbers, store) {
        host.resize(PlotWidth, PlotHeight);
        gfx.CreateGraphPage(&host);
        host.show();
        gfx.SetValueAxis(gfx.YaxisMin, gfx.YaxisMax);
    }
    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    SyntheticStore store;
    QWidget host;
    TDRGFX gfx;
};

class Gallery {
public:
    explicit Gallery(QString directory) : dir_(std::move(directory)) {}

    void save(QWidget& widget, const QString& name) {
        QApplication::processEvents();
        const QString path = dir_.filePath(name);
        if (widget.grab().save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "graph-gallery: cannot write %s\n", qPrintable(path));
            failed_ = true;
        }
    }

    void print(TDRGFX& gfx, const graph::PrintAnnotations& annotations, const QString& name) {
        const QString path = dir_.filePath(name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageOrientation(QPageLayout::Landscape);
        if (gfx.PrintWaveformGraph(annotations, &printer)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "graph-gallery: cannot print %s\n", qPrintable(path));
            failed_ = true;
        }
    }

    // Opens the object editor on an object and grabs it before closing it.
    void editor(Scene& scene, int object, const QString& name) {
        plotbase::Environment& env = scene.gfx.environment();
        const int g = scene.gfx.handles().graph;
        plotbase::WGSelectObject(env, g, object);
        QTimer::singleShot(0, [this, name] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                save(*dialog, name);
                dialog->close();
            }
        });
        plotbase::DefEditObject(env, g);
    }

    bool failed() const { return failed_; }

private:
    QDir dir_;
    bool failed_ = false;
};

void showMeasurement(Scene& scene, const ProbeScene& probe, const std::vector<float>& overlay) {
    TDRGFX& gfx = scene.gfx;
    const auto& trace = scene.store.trace();
    gfx.MoveMarkers(probe.points, false, probe.windowLength, probe.windowStart, trace.marker1, trace.marker2);
    gfx.DrawWaveform(probe.points, probe.windowStart, probe.windowLength);
    gfx.DrawDerivative(probe.points, probe.windowStart, probe.windowLength);
    if (!overlay.empty()) gfx.DrawSavedData(probe.points, overlay, probe.windowStart, probe.windowLength);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screenshots");
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "graph-gallery: cannot create %s\n", qPrintable(directory));
        return 1;
    }
    Gallery gallery(directory);

    // Start-up: the empty graph with the default value range.
    {
        Scene scene(ProbeScene{});
        gallery.save(scene.host, QStringLiteral("graph-empty.png"));
    }

    // A measurement in wet soil with the derivative, a drier overlay and both markers; then
    // the same graph printed.
    {
        const ProbeScene wet;
        ProbeScene dry = wet;
        dry.probeEnd = 5.3f;
        dry.dipDepth = 0.2f;
        dry.noiseSeed = 7;
        Scene scene(wet);
        showMeasurement(scene, wet, graph::gallery::makeReflectionWaveform(dry).waveform);
        gallery.save(scene.host, QStringLiteral("graph-waveform.png"));
        gallery.print(scene.gfx, {"1.00", "16", "2048", "0.30", "0.05", "   0.254"}, QStringLiteral("graph-print.pdf"));
        gallery.save(scene.host, QStringLiteral("graph-after-print.png"));
        gallery.editor(scene, scene.gfx.handles().yAxis, QStringLiteral("graph-editor-axis.png"));
        gallery.editor(scene, scene.gfx.handles().mainPlot, QStringLiteral("graph-editor-trace.png"));
    }

    // A long cable: the probe far down a 400 m window.
    {
        ProbeScene far;
        far.windowStart = 0.0f;
        far.windowLength = 400.0f;
        far.stepAt = 2.0f;
        far.probeStart = 352.0f;
        far.probeEnd = 358.0f;
        Scene scene(far);
        showMeasurement(scene, far, {});
        gallery.save(scene.host, QStringLiteral("graph-long-window.png"));
    }

    // The linearity test's view: differences on a narrow value range with its own title.
    {
        Scene scene(ProbeScene{});
        std::vector<float> differences(251);
        for (std::size_t i = 0; i < differences.size(); ++i)
            differences[i] = 0.2f + 0.009f * std::sin(static_cast<float>(i) * 0.07f) + 0.002f * std::cos(static_cast<float>(i) * 0.9f);
        scene.gfx.SetValueAxisTitle("Difference");
        scene.gfx.SetValueAxis(0.185f, 0.22f);
        scene.gfx.DrawDataArray(static_cast<int>(differences.size()), differences, 2.0f, 25.0f);
        gallery.save(scene.host, QStringLiteral("graph-linearity.png"));
    }
    return gallery.failed() ? 1 : 0;
}
