#pragma once
// A page in a host window with one graph over the whole page: plot area (0.1, 0.1)-(0.9, 0.9),
// world 0..100 in x and -1..1 in y, an x axis and a y axis.

#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "plotbase/plotbase.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace plotbase::testing {

class PlotbaseTest : public ::testing::Test {
protected:
    PlotbaseTest() {
        host.resize(400, 300);
        InitDll(env);
        InitTop(env, nullptr, nullptr, Revision);
        page = InitPage(env, "PAGE1", &host, "Test page", 0, 15, 8, ChildWindow | VisibleWindow, {}, nullptr);
        graph = InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
        WGSetPlotArea(env, graph, 0.1, 0.1, 0.9, 0.9, ClipToPlotArea);
        WGScalePlotArea(env, graph, 0.0, -1.0, 100.0, 1.0);
        WGSetXYIntercepts(env, graph, 0.0, -1.0);
        xAxis = WGDrawXAxis(env, graph, 10.0, 1, 0);
        yAxis = WGDrawYAxis(env, graph, 0.5, 4, 1);
        host.show();
    }

    // A data set of the points and a line plot of it in the colour.
    int plotOf(const std::vector<double>& x, const std::vector<double>& y, int colour) {
        WGSetLineStyle(env, graph, SolidLine, 1, colour);
        const int set = WGDefineDataSet(env, graph, "points", std::make_shared<std::vector<double>>(x),
                                        std::make_shared<std::vector<double>>(y), static_cast<int>(x.size()));
        return WGLinePlot(env, graph, set);
    }

    QImage render() {
        QImage image(host.size(), QImage::Format_ARGB32);
        RenderPage(env, page, image);
        return image;
    }

    Scaling scaling() const { return *WGGetScaling(env, graph, DeviceRect{0, 0, 400, 300}); }

    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    QWidget host;
    Environment env{dialogs, numbers};
    int page = 0;
    int graph = 0;
    int xAxis = 0;
    int yAxis = 0;
};

}  // namespace plotbase::testing
