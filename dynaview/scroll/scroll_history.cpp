// History view: the graph shows a private copy of its data set's history, which the caller
// moves back and forth, while live values keep flowing into the data set; resuming rebuilds
// the live window from the data set's newest samples. The time labels attached to the graph
// follow the time at the window's start throughout.

#include "dynaview/scroll/scroll_graph.h"

#include "dynaview/datasets/dyn_data_set.h"

namespace dynaview::scroll {

ScrollGraph::HistoryRefusal ScrollGraph::showHistory(const ObjectPlace& place, const DynDataSet& set, double timeBack, double& shownTimeBack) {
    if (isVariable()) return HistoryRefusal::Subtype;
    if (!windowFull) return HistoryRefusal::NotFilled;
    if (isLogic() || !set.history.enabled() || set.history.stored() == 0) return HistoryRefusal::NoHistory;
    if (!history_) {
        HistoryState state;
        state.snapshot = set.history;
        state.channels = set.channels;
        state.savedColumn = column;
        state.savedFirstSample = firstSample_;
        history_ = std::move(state);
    }
    const int shownWindow = points() - 1;
    history_->view = HistoryView(timeBack, params.sampleInterval, history_->snapshot.stored(), shownWindow);
    shownTimeBack = history_->view.pointsBack * params.sampleInterval;
    showView(place);
    return HistoryRefusal::None;
}

void ScrollGraph::showView(const ObjectPlace& place) {
    HistoryState& h = *history_;
    fillFrom(h.snapshot, h.channels, h.view.pointsBack, h.view.shown);
    windowFull = true;
    // The snapshot's newest sample, as the graph numbers samples, and the shown window's start.
    const long long snapshotNewest = h.savedFirstSample + h.savedColumn - 1;
    const long long shownFirst = snapshotNewest - h.view.pointsBack - (h.view.shown - 1);
    const long long moved = shownFirst - firstSample_;
    firstSample_ = shownFirst;
    moveLabels(place, static_cast<double>(moved) * params.sampleInterval);
    redrawWindow(place);
}

double ScrollGraph::moveHistory(const ObjectPlace& place, double deltaTime) {
    if (!history_) return 0.0;
    HistoryState& h = *history_;
    const int shownWindow = points() - 1;
    const HistoryWindow moved = MovedHistoryView(h.view, PointsOfTime(deltaTime, params.sampleInterval), h.snapshot.stored(), shownWindow);
    const int pointsMoved = h.view.pointsBack - moved.pointsBack;
    h.view = moved;
    if (pointsMoved != 0) showView(place);
    return pointsMoved * params.sampleInterval;
}

void ScrollGraph::resume(const ObjectPlace& place, const DynDataSet& set) {
    if (!history_) return;
    const HistoryState h = std::move(*history_);
    history_.reset();
    const long long liveNewest = h.savedFirstSample + h.savedColumn - 1 + h.arrived;
    refillFromLive(&set);
    windowFull = true;
    const long long first = liveNewest - (column - 1);
    const long long moved = first - firstSample_;
    firstSample_ = first;
    moveLabels(place, static_cast<double>(moved) * params.sampleInterval);
    redrawWindow(place);
}

}  // namespace dynaview::scroll
