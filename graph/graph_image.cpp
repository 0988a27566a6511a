#include "graph/graph_image.h"

#include "graph/tdr_gfx.h"
#include "platform/atomic_file.h"
#include "plotbase/plotbase.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace graph {

namespace {

// The graph is laid out on a canvas this many units wide, the shape of the image, and
// scaled onto it, so text and lines keep the proportions they have on the screen.
constexpr double CanvasWidth = 640.0;

void Draw(TDRGFX& gfx, QPainter& painter, QSize size) {
    const double scale = size.width() / CanvasWidth;
    painter.scale(scale, scale);
    plotbase::ObjectInterpreter(gfx.environment(), gfx.handles().graph, painter,
                                QRectF(0, 0, CanvasWidth, size.height() / scale));
}

}  // namespace

ImageFormat ImageFormatFor(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".svg" ? ImageFormat::Svg : ImageFormat::Png;
}

std::optional<QByteArray> RenderGraphImage(TDRGFX& gfx, ImageFormat format, QSize size, std::string& error) {
    if (size.width() < MinImageSide || size.height() < MinImageSide || size.width() > MaxImageSide ||
        size.height() > MaxImageSide) {
        error = "An image of the graph is " + std::to_string(MinImageSide) + " to " + std::to_string(MaxImageSide) +
                " pixels wide and high.";
        return std::nullopt;
    }
    if (gfx.handles().graph == 0 || !gfx.GetValueAxisRange()) {
        error = "There is no graph to export.";
        return std::nullopt;
    }
    const QRectF area(0, 0, size.width(), size.height());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == ImageFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle("WAVIX waveform graph");
        svg.setDescription("Reflection coefficient against distance");
        QPainter painter;
        if (!painter.begin(&svg)) {
            error = "The SVG drawing could not be made.";
            return std::nullopt;
        }
        Draw(gfx, painter, size);
        painter.end();
    } else {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        Draw(gfx, painter, size);
        painter.end();
        if (!image.save(&buffer, "PNG")) {
            error = "The PNG image could not be made.";
            return std::nullopt;
        }
    }
    return bytes;
}

bool ExportGraphImage(TDRGFX& gfx, const std::filesystem::path& path, QSize size, std::string& error) {
    const auto bytes = RenderGraphImage(gfx, ImageFormatFor(path), size, error);
    if (!bytes) return false;
    return platform::writeFileAtomically(path, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())),
                                         error);
}

}  // namespace graph
