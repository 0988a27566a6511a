// Printing one graph: the graph is laid out on a logical canvas a fixed number of units
// wide, the shape of the printable area, and scaled onto the paper, so text and lines keep
// the proportions they have on a screen-sized graph.

#include "plotbase/graph_access.h"
#include "plotbase/operations_window.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace plotbase {

namespace {

constexpr double PrintCanvasWidth = 640.0;

}  // namespace

int WGPrintGraph(Environment& env, int handle, QPrinter* printer) {
    Graph* graph = detail::openGraph(env, handle);
    if (!graph) return 0;
    std::unique_ptr<QPrinter> chosen;
    if (!printer) {
        chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
        chosen->setPageOrientation(QPageLayout::Landscape);
        QPrintDialog dialog(chosen.get(), graph->window);
        dialog.setObjectName(QStringLiteral("PrintDlg"));
        if (dialog.exec() != QDialog::Accepted) return 0;
        printer = chosen.get();
    }
    QPainter painter;
    if (!painter.begin(printer)) {
        ReportError(env, PrintFailed, MessageOnly);
        return 0;
    }
    const double width = printer->width();
    const double height = printer->height();
    if (width <= 0 || height <= 0) {
        painter.end();
        ReportError(env, PrintFailed, MessageOnly);
        return 0;
    }
    const double scale = width / PrintCanvasWidth;
    painter.scale(scale, scale);
    ObjectInterpreter(env, handle, painter, QRectF(0, 0, PrintCanvasWidth, height / scale), true);
    painter.end();
    return 1;
}

}  // namespace plotbase
