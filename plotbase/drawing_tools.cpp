#include "plotbase/drawing_tools.h"

namespace plotbase::detail {

QFont fontFor(const TextParams& params) {
    QFont font;
    switch (params.family) {
    case FixedFamily:
        font.setFamily(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::Monospace);
        break;
    case SerifFamily:
        font.setFamily(QStringLiteral("DejaVu Serif"));
        font.setStyleHint(QFont::Serif);
        break;
    default:
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
        break;
    }
    font.setPixelSize(static_cast<int>(textPixelHeight(params.size)));
    font.setBold((params.style & BoldText) != 0);
    font.setItalic((params.style & ItalicText) != 0);
    font.setUnderline((params.style & UnderlinedText) != 0);
    // Outlines that scale with the painter, so a printed graph keeps its proportions.
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "ff" stays two letters for whoever reads the printed text back.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QPen penFor(const DrawingAttributes& attributes) {
    QPen pen(colourOf(attributes.colour));
    pen.setWidthF(attributes.width < 1 ? 1.0 : attributes.width);
    switch (attributes.pattern) {
    case DashLine: pen.setStyle(Qt::DashLine); break;
    case DotLine: pen.setStyle(Qt::DotLine); break;
    case DashDotLine: pen.setStyle(Qt::DashDotLine); break;
    case DashDotDotLine: pen.setStyle(Qt::DashDotDotLine); break;
    case NoLine: pen.setStyle(Qt::NoPen); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}  // namespace plotbase::detail
