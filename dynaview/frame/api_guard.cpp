#include "dynaview/frame/api_guard.h"

#include "plotbase/graph_widget.h"

#include <QApplication>
#include <QThread>

namespace dynaview::api {

QWidget* KnownWidget(DVWindow window) {
    if (!window || !qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (widget == window) return widget;
    return nullptr;
}

plotbase::GraphWidget* GraphWindowOf(plotbase::Environment& env, DVWindow window) {
    auto* graphWindow = qobject_cast<plotbase::GraphWidget*>(KnownWidget(window));
    const plotbase::Graph* graph = graphWindow ? env.graph(graphWindow->graph()) : nullptr;
    return graph && graph->window == graphWindow ? graphWindow : nullptr;
}

bool OnOwnerThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return !application || QThread::currentThread() == application->thread();
}

}  // namespace dynaview::api
