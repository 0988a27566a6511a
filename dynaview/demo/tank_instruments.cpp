#include "dynaview/demo/tank_instruments.h"

#include "dynaview/include/dynaview.h"
#include "plotbase/plotbase.h"

#include <cstring>

namespace dynaview::demo {

TankInstruments::TankInstruments(plotbase::Environment& env, int page, int temperatureSet, int loopOutputSet, double left,
                                 double top, double right, double bottom) {
    graph_ = plotbase::InitGraph(env, page, left, top, right, bottom, 11, 1, 0, nullptr);
    const int g = graph_;
    plotbase::WGSetLineStyle(env, g, plotbase::SolidLine, 1, 0);
    plotbase::WGSetTextParams(env, g, 0, plotbase::SansFamily, 8, plotbase::BoldText);
    plotbase::WGTextNorm(env, g, "Instruments", 0.05, 0.015, plotbase::AlignLeft + plotbase::AlignTop, 0);
    plotbase::WGSetTextParams(env, g, 0, plotbase::SansFamily, 6, 0);

    // The temperature on a 240-degree dial with a read-out, and on an arc from the setpoint.
    const int needleColour[1] = {4};
    meter_ = WRSetMeter(g, temperatureSet, 0, 0.0, 100.0, 0.5, 0.235, 0.6, 315, 225, 2, needleColour, 0.1, 20.0, 1, 0, 0, 1, 1, 0,
                        0.9, nullptr);
    WRSetMeterBorder(g, meter_, 0.5, 0.235, 0.9, 0.34, -1, 1, 8, 1);
    arc_ = WRSetArcMeter(g, temperatureSet, 0, 0.0, 100.0, 57.5, 0.5, 0.56, 0.6, 30, 150, 15, 3, 0.12, 0.1, 25.0, 0, 0, 0, 1, 1, 0,
                         0.9, nullptr);

    // The tank's alarm state.
    annunciator_ = WRSetAnnun(g, temperatureSet, "Tank", 4.0, 73.0, 92.0, 13.0, 1);

    // The loop's mode.
    char messages[2 * 42] = {};
    std::strcpy(messages, "Loop in automatic");
    std::strcpy(messages + 42, "Loop in manual");
    const int colours[2] = {2, 4};
    plotbase::WGSetTextParams(env, g, 0, plotbase::SansFamily, 8, plotbase::BoldText);
    message_ = WRSetMessage(g, loopOutputSet, 0, 20.0, 89.0, 0, 1, 3, 2, messages, colours);
}

}  // namespace dynaview::demo
