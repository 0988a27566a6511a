#pragma once
// The demo's scrolling graphs, on a page of their own: a strip chart of the tank's
// temperature and level over the last minute with history view of the last five minutes
// (back 30 s, on 10 s, resume), a sweep of the level, a logic graph of the process's binary
// word (heater, alarms) and an XY graph of level against temperature.

#include "plotbase/plotbase.h"

#include <QTime>
#include <QWidget>

class QLabel;

namespace dynaview::demo {

class ScrollDisplays : public QWidget {
    Q_OBJECT
public:
    // Builds the page; the sweep shows the data set of the tank's level.
    // The strip chart's clock starts at `start` (the wall clock when not given).
    ScrollDisplays(plotbase::Environment& env, int levelSet, QWidget* parent = nullptr);
    ScrollDisplays(plotbase::Environment& env, int levelSet, QTime start, QWidget* parent = nullptr);
    ~ScrollDisplays() override;

    // One process sample for the displays' own data sets (the strip chart's, the XY pair,
    // the binary word).
    void feed(double temperature, double level, bool heater);

    // Where the strip chart lives, for whatever is added to it (its time labels).
    int stripGraph() const { return strip_; }
    int stripObject() const { return stripObject_; }
    int stripLabels() const { return stripLabels_; }
    // The strip chart has jumped at least once (its history can be shown).
    bool stripFilled() const;
    int page() const { return page_; }

    void BackBtnClick();
    void MoveBtnClick();
    void ResumeBtnClick();

private:
    int buildGraph(double left, double top, double right, double bottom, const char* title, double xmin, double xmax, double ymin,
                   double ymax, double xSpacing, double ySpacing, bool clockAxis = false);
    void showHistoryState();

    plotbase::Environment& env_;
    QWidget* ScrollPage = nullptr;
    QLabel* HistoryLabel = nullptr;
    int page_ = 0;
    int strip_ = 0, stripObject_ = 0, stripTimeAxis_ = 0, stripLabels_ = 0;
    int sweep_ = 0, logic_ = 0, xy_ = 0;
    int processSet_ = 0, xySet_ = 0, binarySet_ = 0;
    long stripSamples_ = 0;
    double shownBack_ = 0.0;
    bool inHistory_ = false;
};

}  // namespace dynaview::demo
