// The meters' exported functions: needle, pie and arc meters, their border, ranges, ticks,
// centre and angles, and MapMeter.

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/meters/meter.h"
#include "plotbase/operations_change.h"
#include "plotbase/palette.h"

#include <QPainter>

#include <cmath>

using namespace dynaview;
using api::DataSetOrReport;
using api::Refuse;
using api::WithTop;

namespace {

constexpr std::array<int, MaxNeedles> DefaultNeedleColours{4, 1, 2, 5, 15};

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

bool rangeOk(double from, double to) { return finite({from, to}) && from != to && std::isfinite(to - from); }
bool placeOk(double x, double y, double diameter) { return finite({x, y, diameter}) && x > -1 && x < 2 && y > -1 && y < 2 && diameter > 0 && diameter <= 4; }
bool anglesOk(int from, int to) { return from >= -720 && from <= 720 && to >= -720 && to <= 720; }

// Everything WRSetMeter takes, checked before anything is made.
struct MeterDefinition {
    int graph, dataSet, channel;
    double from, to, centreX, centreY, diameter;
    int angleFrom, angleTo, needleStyle;
    const int* needleColours;
    double relativeTickLength, tickStep;
    int minorTicks, tickPosition, labelPosition, readout, readoutPrecision, drawFlags;
    double textSizeFactor;
    const int* fontSizes;
};

// Makes the meter: returns its index and the record, or 0 after reporting with the operation.
int createMeter(plotbase::Environment& env, RTTop& top, const MeterDefinition& d, const char* operation, Meter** made,
                std::int16_t subtype = NeedleMeter) {
    if (!CreatorAllowed(env)) return 0;
    const plotbase::Graph* g = OpenGraph(env, d.graph);
    const DynDataSet* set = g ? DataSetOrReport(env, top, d.dataSet, operation) : nullptr;
    if (!set) return 0;
    if (d.channel < -1 || d.channel >= std::min(set->channels, MaxNeedles)) {
        ReportDynError(env, plotbase::InvalidRecord, 2, std::string(" - ") + operation);
        return 0;
    }
    if (!rangeOk(d.from, d.to) || !placeOk(d.centreX, d.centreY, d.diameter) || !anglesOk(d.angleFrom, d.angleTo) || d.needleStyle < 0 ||
        d.needleStyle >= NeedleStyles || !finite({d.relativeTickLength, d.tickStep, d.textSizeFactor}) || d.relativeTickLength < 0 ||
        d.relativeTickLength > 1 || d.minorTicks < 0 || d.minorTicks > 100 || d.tickPosition < 0 || d.tickPosition > 2 ||
        d.labelPosition < 0 || d.labelPosition > 1 || d.readoutPrecision < 0 || d.readoutPrecision > 15 || d.drawFlags < 0 ||
        d.drawFlags > 15 || d.textSizeFactor > 20)
        return Refuse(env, operation);
    auto meter = std::make_unique<Meter>();
    meter->subtype = subtype;
    meter->channel = d.channel;
    const int shown = d.channel < 0 ? std::min(set->channels, MaxNeedles) : 1;
    for (int n = 0; n < MaxNeedles; ++n) {
        const int colour = d.needleColours && n < shown ? d.needleColours[n] : DefaultNeedleColours[static_cast<std::size_t>(n)];
        if (!plotbase::isPaletteIndex(colour)) return Refuse(env, operation);
        meter->needles[static_cast<std::size_t>(n)].colour = colour;
    }
    if (d.fontSizes) {
        for (std::size_t i = 0; i < 3; ++i) {
            if (d.fontSizes[i] < 1 || d.fontSizes[i] > 200) return Refuse(env, operation);
            meter->fontSizes[i] = d.fontSizes[i];
        }
    }
    meter->setAngles(d.angleFrom, d.angleTo);
    meter->setRange(d.from, d.to);
    meter->centreX = d.centreX;
    meter->centreY = d.centreY;
    meter->diameter = d.diameter;
    meter->needleStyle = d.needleStyle;
    meter->relativeTickLength = d.relativeTickLength;
    // A step the range cannot hold gives ten steps.
    const double span = std::fabs(d.to - d.from);
    meter->tickStep = d.tickStep > 0 && d.tickStep <= span ? d.tickStep : span / 10.0;
    meter->minorTicks = d.minorTicks;
    meter->tickPosition = d.tickPosition;
    meter->labelPosition = d.labelPosition;
    meter->readout = d.readout != 0;
    meter->readoutPrecision = d.readoutPrecision;
    meter->labelPrecision = d.readoutPrecision;
    meter->drawFlags = d.drawFlags;
    meter->textSizeFactor = d.textSizeFactor > 0 ? d.textSizeFactor : 1.0;
    meter->xRange = {g->xmin, g->xmax};
    meter->yRange = {g->ymin, g->ymax};
    Meter* record = meter.get();
    const int index = AddDynObject(env, d.graph, std::move(meter));
    if (!index) return 0;
    BindDataSet(top, *record, d.dataSet);
    if (made) *made = record;
    plotbase::WGRedrawObject(env, d.graph, 0, 0);
    return index;
}

int createFilledMeter(const MeterDefinition& d, double centreValue, int fillColour, int backgroundColour, double bandWidth,
                      std::int16_t subtype, const char* operation) {
    return WithTop(0, operation, [&](plotbase::Environment& env, RTTop& top) {
        if (!std::isfinite(centreValue) || !std::isfinite(bandWidth) || !plotbase::isPaletteIndex(fillColour) ||
            !plotbase::isPaletteIndex(backgroundColour)) {
            if (!CreatorAllowed(env)) return 0;
            return Refuse(env, operation);
        }
        MeterDefinition filled = d;
        filled.channel = std::max(0, d.channel);
        filled.needleStyle = 0;
        Meter* meter = nullptr;
        const int index = createMeter(env, top, filled, operation, &meter, subtype);
        if (!index) return 0;
        meter->centreValue = centreValue;
        meter->fillColour = fillColour;
        meter->arcBackground = backgroundColour;
        meter->bandWidth = bandWidth;
        meter->needles[0].colour = 0;  // a black edge on the fill
        return index;
    });
}

// The meter at the index; anything else refused with the operation's name.
Meter* meterOrReport(plotbase::Environment& env, int graph, int object, const char* operation) {
    return FindDynObjectOf<Meter>(env, graph, object, MeterType, std::string(" - ") + operation);
}

void rebuild(plotbase::Environment& env, int graph, Meter& meter, int redraw) {
    meter.dialChanged();
    if (redraw) plotbase::WGRedrawObject(env, graph, 0, 0);
}

}  // namespace

extern "C" {

DV_API int WRSetMeter(int graph, int dataSet, int channel, double rangeFrom, double rangeTo, double centreX, double centreY,
                      double diameter, int angleFrom, int angleTo, int needleStyle, const int* needleColours,
                      double relativeTickLength, double tickStep, int minorTicks, int tickPosition, int labelPosition, int readout,
                      int readoutPrecision, int drawFlags, double textSizeFactor, const int* fontSizes) {
    return WithTop(0, "WRSetMeter", [&](plotbase::Environment& env, RTTop& top) {
        const MeterDefinition d{graph,          dataSet,      channel,        rangeFrom,   rangeTo,       centreX,
                                centreY,        diameter,     angleFrom,      angleTo,     needleStyle,   needleColours,
                                relativeTickLength, tickStep, minorTicks,     tickPosition, labelPosition, readout,
                                readoutPrecision, drawFlags,  textSizeFactor, fontSizes};
        return createMeter(env, top, d, "WRSetMeter", nullptr);
    });
}

DV_API int WRSetArcMeter(int graph, int dataSet, int channel, double rangeFrom, double rangeTo, double centreValue, double centreX,
                         double centreY, double diameter, int angleFrom, int angleTo, int fillColour, int backgroundColour,
                         double bandWidth, double relativeTickLength, double tickStep, int minorTicks, int tickPosition,
                         int labelPosition, int readout, int readoutPrecision, int drawFlags, double textSizeFactor,
                         const int* fontSizes) {
    const MeterDefinition d{graph,    dataSet, channel,     rangeFrom,          rangeTo,  centreX,    centreY,      diameter,
                            angleFrom, angleTo, 0,          nullptr,            relativeTickLength, tickStep, minorTicks, tickPosition,
                            labelPosition, readout, readoutPrecision, drawFlags, textSizeFactor, fontSizes};
    return createFilledMeter(d, centreValue, fillColour, backgroundColour, bandWidth, ArcMeter, "WRSetArcMeter");
}

DV_API int WRSetPieMeter(int graph, int dataSet, int channel, double rangeFrom, double rangeTo, double centreValue, double centreX,
                         double centreY, double diameter, int angleFrom, int angleTo, int fillColour, int backgroundColour,
                         double relativeTickLength, double tickStep, int minorTicks, int tickPosition, int labelPosition,
                         int drawFlags, double textSizeFactor, const int* fontSizes) {
    const MeterDefinition d{graph,    dataSet, channel,     rangeFrom,          rangeTo,  centreX,    centreY,      diameter,
                            angleFrom, angleTo, 0,          nullptr,            relativeTickLength, tickStep, minorTicks, tickPosition,
                            labelPosition, 0,   0,          drawFlags,          textSizeFactor,     fontSizes};
    return createFilledMeter(d, centreValue, fillColour, backgroundColour, 0.0, PieMeter, "WRSetPieMeter");
}

DV_API int WRSetMeterBorder(int graph, int object, double centreX, double centreY, double width, double height, int faceColour,
                            int borderStyle, int borderColour, int borderWidth) {
    return WithTop(0, "WRSetMeterBorder", [&](plotbase::Environment& env, RTTop&) {
        Meter* meter = meterOrReport(env, graph, object, "WRSetMeterBorder");
        if (!meter) return 0;
        if (!finite({centreX, centreY, width, height}) || width < 0 || height < 0 || width > 4 || height > 4 || faceColour < -1 ||
            faceColour >= plotbase::PaletteSize || borderStyle < 0 || borderStyle > 2 || !plotbase::isPaletteIndex(borderColour) ||
            borderWidth < 0 || borderWidth > 50)
            return Refuse(env, "WRSetMeterBorder");
        meter->borderX = centreX;
        meter->borderY = centreY;
        meter->borderWidthNorm = width;
        meter->borderHeightNorm = height;
        meter->faceColour = faceColour;
        meter->borderStyle = borderStyle;
        meter->borderColour = borderColour;
        meter->borderLineWidth = borderWidth;
        rebuild(env, graph, *meter, 1);
        return 1;
    });
}

DV_API int WRChangeMeterRange(int graph, int object, double rangeFrom, double rangeTo, double centreValue, int redraw) {
    return WithTop(0, "WRChangeMeterRange", [&](plotbase::Environment& env, RTTop&) {
        Meter* meter = meterOrReport(env, graph, object, "WRChangeMeterRange");
        if (!meter) return 0;
        if (!rangeOk(rangeFrom, rangeTo) || (meter->subtype != NeedleMeter && !std::isfinite(centreValue)))
            return Refuse(env, "WRChangeMeterRange");
        meter->setRange(rangeFrom, rangeTo);
        if (meter->tickStep > std::fabs(rangeTo - rangeFrom)) meter->tickStep = std::fabs(rangeTo - rangeFrom) / 10.0;
        if (meter->subtype != NeedleMeter) meter->centreValue = centreValue;
        rebuild(env, graph, *meter, redraw);
        return 1;
    });
}

DV_API int WRGetMeterRange(int graph, int object, double* rangeFrom, double* rangeTo, double* centreValue) {
    return WithTop(0, "WRGetMeterRange", [&](plotbase::Environment& env, RTTop&) {
        const Meter* meter = meterOrReport(env, graph, object, "WRGetMeterRange");
        if (!meter) return 0;
        if (rangeFrom) *rangeFrom = meter->from;
        if (rangeTo) *rangeTo = meter->to;
        if (centreValue) *centreValue = meter->centreValue;
        return 1;
    });
}

DV_API int WRChangeMeterTicks(int graph, int object, double relativeLength, double step, int minorTicks, int labelsOutside, int redraw) {
    return WithTop(0, "WRChangeMeterTicks", [&](plotbase::Environment& env, RTTop&) {
        Meter* meter = meterOrReport(env, graph, object, "WRChangeMeterTicks");
        if (!meter) return 0;
        if (!std::isfinite(relativeLength) || relativeLength < 0 || relativeLength > 1 || minorTicks < 0 || minorTicks > 100)
            return Refuse(env, "WRChangeMeterTicks");
        meter->relativeTickLength = relativeLength;
        meter->minorTicks = minorTicks;
        // A step larger than the range is ignored.
        if (std::isfinite(step) && step > 0 && step <= std::fabs(meter->to - meter->from)) meter->tickStep = step;
        meter->labelPosition = labelsOutside ? 1 : 0;
        rebuild(env, graph, *meter, redraw);
        return 1;
    });
}

DV_API int WRGetMeterTicks(int graph, int object, double* relativeLength, double* step, int* minorTicks, int* labelsOutside) {
    return WithTop(0, "WRGetMeterTicks", [&](plotbase::Environment& env, RTTop&) {
        const Meter* meter = meterOrReport(env, graph, object, "WRGetMeterTicks");
        if (!meter) return 0;
        if (relativeLength) *relativeLength = meter->relativeTickLength;
        if (step) *step = meter->tickStep;
        if (minorTicks) *minorTicks = meter->minorTicks;
        if (labelsOutside) *labelsOutside = meter->labelPosition;
        return 1;
    });
}

DV_API int WRGetMeterCenter(int graph, int object, double* centreX, double* centreY, double* diameter) {
    return WithTop(0, "WRGetMeterCenter", [&](plotbase::Environment& env, RTTop&) {
        const Meter* meter = meterOrReport(env, graph, object, "WRGetMeterCenter");
        if (!meter) return 0;
        if (centreX) *centreX = meter->centreX;
        if (centreY) *centreY = meter->centreY;
        if (diameter) *diameter = meter->diameter;
        return 1;
    });
}

DV_API int WRChangeMeterCenter(int graph, int object, double centreX, double centreY, double diameter, int redraw) {
    return WithTop(0, "WRChangeMeterCenter", [&](plotbase::Environment& env, RTTop&) {
        Meter* meter = meterOrReport(env, graph, object, "WRChangeMeterCenter");
        if (!meter) return 0;
        if (!placeOk(centreX, centreY, diameter)) return Refuse(env, "WRChangeMeterCenter");
        meter->centreX = centreX;
        meter->centreY = centreY;
        meter->diameter = diameter;
        rebuild(env, graph, *meter, redraw);
        return 1;
    });
}

DV_API int WRGetMeterAngles(int graph, int object, int* angleFrom, int* angleTo) {
    return WithTop(0, "WRGetMeterAngles", [&](plotbase::Environment& env, RTTop&) {
        const Meter* meter = meterOrReport(env, graph, object, "WRGetMeterAngles");
        if (!meter) return 0;
        if (angleFrom) *angleFrom = meter->angles.start;
        if (angleTo) *angleTo = meter->angles.end;
        return 1;
    });
}

DV_API int WRChangeMeterAngles(int graph, int object, int angleFrom, int angleTo, int redraw) {
    return WithTop(0, "WRChangeMeterAngles", [&](plotbase::Environment& env, RTTop&) {
        Meter* meter = meterOrReport(env, graph, object, "WRChangeMeterAngles");
        if (!meter) return 0;
        if (!anglesOk(angleFrom, angleTo)) return Refuse(env, "WRChangeMeterAngles");
        meter->setAngles(angleFrom, angleTo);
        rebuild(env, graph, *meter, redraw);
        return 1;
    });
}

DV_API int MapMeter(int graph, void* painter, int originX, int originY) {
    return WithTop(0, "MapMeter", [&](plotbase::Environment& env, RTTop&) {
        if (!OpenGraph(env, graph)) return 0;
        auto* p = static_cast<QPainter*>(painter);
        if (!p || !p->isActive()) return Refuse(env, "MapMeter");
        // Graph-window coordinates land in the image with the given point at its top-left.
        p->resetTransform();
        p->translate(-originX, -originY);
        return 1;
    });
}

}  // extern "C"
