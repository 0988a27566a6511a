#pragma once
// The waveform graph as an image file: a PNG of the chosen size in pixels, or an SVG
// drawing of that size (Qt's SVG generator), drawn as the screen shows it. The file is
// replaced atomically.

#include <QByteArray>
#include <QSize>

#include <filesystem>
#include <optional>
#include <string>

namespace graph {

class TDRGFX;

enum class ImageFormat { Png, Svg };

inline constexpr int MinImageSide = 100;
inline constexpr int MaxImageSide = 10000;

// SVG for a name ending in ".svg" (any case), PNG otherwise.
ImageFormat ImageFormatFor(const std::filesystem::path& path);

// The bytes of the image file; nothing (error says why) once the graph is gone or for a
// size outside MinImageSide..MaxImageSide.
std::optional<QByteArray> RenderGraphImage(TDRGFX& gfx, ImageFormat format, QSize size, std::string& error);

bool ExportGraphImage(TDRGFX& gfx, const std::filesystem::path& path, QSize size, std::string& error);

}  // namespace graph
