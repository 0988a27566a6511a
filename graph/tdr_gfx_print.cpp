// Printing the waveform graph: the settings go into the annotation line and the traces
// that are light on screen turn black for paper while the page is printed.

#include "graph/tdr_gfx.h"

#include "plotbase/plotbase.h"

namespace graph {

using namespace plotbase;

bool TDRGFX::PrintWaveformGraph(const PrintAnnotations& annotations, QPrinter* printer) {
    if (!graphValid()) return false;
    const int g = handles_.graph;
    const auto& text = handles_.texts;
    WGChangeString(env_, g, text[0], "Vp:");
    WGChangeString(env_, g, text[2], "Ave:");
    WGChangeString(env_, g, text[4], "Points:");
    WGChangeString(env_, g, text[6], "Probe Length:");
    WGChangeString(env_, g, text[8], "Probe Offset:");
    WGChangeString(env_, g, text[10], "Vol. Water Content:");
    WGChangeLineColor(env_, g, handles_.mainPlot, 0);
    WGChangeString(env_, g, text[1], printedSetting(annotations.cableVp, numbers_));
    WGChangeString(env_, g, text[3], annotations.averages);
    WGChangeString(env_, g, text[5], annotations.points);
    WGChangeString(env_, g, text[7], printedSetting(annotations.probeLength, numbers_));
    WGChangeString(env_, g, text[9], printedSetting(annotations.probeOffset, numbers_));
    WGChangeString(env_, g, text[11], annotations.waterContent);
    WGChangeLineColor(env_, g, handles_.marker1, 0);
    WGChangeLineColor(env_, g, handles_.marker2, 0);

    const bool printed = WGPrintGraph(env_, g, printer) == 1;

    WGChangeLineColor(env_, g, handles_.mainPlot, 14);
    WGChangeLineColor(env_, g, handles_.marker1, 2);
    WGChangeLineColor(env_, g, handles_.marker2, 4);
    for (int object : text) WGChangeString(env_, g, object, "");
    WGRedrawObject(env_, g, text[12], -1);
    return printed;
}

}  // namespace graph
