#include "plotbase/operations_setup.h"

#include "plotbase/graph_access.h"
#include "plotbase/operations_window.h"
#include "plotbase/graph_widget.h"
#include "plotbase/page_widget.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace plotbase {

using detail::openGraph;

Version GetVersion() { return {2, 60}; }

DeviceDescription GetDevDesc(const QWidget* window) {
    DeviceDescription description;
    const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        description.width = screen->geometry().width();
        description.height = screen->geometry().height();
        description.dpiX = screen->logicalDotsPerInchX();
        description.dpiY = screen->logicalDotsPerInchY();
    }
    description.colours = PaletteSize;
    return description;
}

int InitDll(Environment& env) {
    env.initialised = true;
    env.stop = false;
    env.lastError = {};
    return 1;
}

int InitTop(Environment& env, PageProcedure pageProcedure, GraphProcedure graphProcedure, int requiredRevision) {
    if (!env.initialised) {
        ReportError(env, NotInitialised, MessageOnly);
        return 0;
    }
    if (requiredRevision > Revision) {
        ReportError(env, RevisionTooNew, TextAfter, " (" + std::to_string(requiredRevision) + ")");
        return 0;
    }
    env.pageProcedure = std::move(pageProcedure);
    env.graphProcedure = std::move(graphProcedure);
    env.topInitialised = true;
    return 1;
}

int InitPage(Environment& env, std::string_view name, QWidget* host, std::string_view title, int options,
             int lastGraphSlot, int textSize, unsigned style, PagePlacement placement, const PageBuilder& builder) {
    if (!env.initialised) {
        ReportError(env, NotInitialised, MessageOnly);
        return 0;
    }
    if (!host) {
        ReportError(env, NoHostWindow, MessageOnly);
        return 0;
    }
    if (placement.width < 0 || placement.height < 0) {
        ReportError(env, InvalidPlacement, MessageOnly);
        return 0;
    }
    int number = 0;
    for (int n = 1; n <= MaxPages && number == 0; ++n)
        if (!env.pages[static_cast<std::size_t>(n)]) number = n;
    if (number == 0) {
        ReportError(env, NoFreePage, MessageOnly);
        return 0;
    }

    auto page = std::make_unique<Page>();
    page->number = number;
    page->name = std::string(name);
    page->title = std::string(title);
    page->options = options;
    page->lastGraphSlot = std::clamp(lastGraphSlot, 0, GraphSlots - 1);
    page->textSize = textSize > 0 ? textSize : 8;
    const bool fillHost = placement.width == 0 && placement.height == 0;
    auto* window = new PageWidget(env, number, host, fillHost);
    window->setObjectName(QString::fromStdString(page->name));
    window->setWindowTitle(QString::fromStdString(page->title));
    window->setAccessibleName(QString::fromStdString(page->title));
    if (!fillHost) window->setGeometry(placement.x, placement.y, placement.width, placement.height);
    page->window = window;
    env.pages[static_cast<std::size_t>(number)] = std::move(page);
    ++env.openPages;

    if (builder) builder(env, number);
    if (style & VisibleWindow) window->show();
    return number;
}

int InitGraph(Environment& env, int pageNumber, double x1, double y1, double x2, double y2, int borderColour,
              int borderWidth, int options, const GraphBuilder& builder) {
    Page* page = env.page(pageNumber);
    if (!page) {
        ReportError(env, InvalidPage, MessageOnly);
        return 0;
    }
    const bool placed = std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2) && x1 >= 0.0 &&
                        y1 >= 0.0 && x2 <= 1.0 && y2 <= 1.0 && x1 < x2 && y1 < y2;
    if (!placed || borderWidth < 0) {
        ReportError(env, InvalidPlacement, MessageOnly);
        return 0;
    }
    int slot = -1;
    for (int s = 0; s <= page->lastGraphSlot && slot < 0; ++s)
        if (!page->graphs[static_cast<std::size_t>(s)]) slot = s;
    if (slot < 0) {
        ReportError(env, NoFreeGraphSlot, MessageOnly);
        return 0;
    }

    auto graph = std::make_unique<Graph>();
    graph->page = pageNumber;
    graph->slot = slot;
    graph->area = {x1, y1, x2, y2};
    graph->borderColour = borderColour;
    graph->borderWidth = borderWidth;
    graph->options = options;
    graph->current.text.size = page->textSize;
    Graph& record = *graph;
    page->graphs[static_cast<std::size_t>(slot)] = std::move(graph);
    ++page->graphCount;
    page->currentGraph = slot;
    const int handle = env.addGraph(record);

    if (page->window) {
        auto* window = new GraphWidget(env, handle, page->window);
        window->setObjectName(QString::fromStdString(page->name) + "_graph" + QString::number(slot + 1));
        window->setAccessibleName(QString::fromStdString(page->title) + " graph " + QString::number(slot + 1));
        record.window = window;
        window->show();
    }
    ResizePage(env, pageNumber);
    if (builder) builder(env, handle);
    return handle;
}

void ResizePage(Environment& env, int pageNumber) {
    Page* page = env.page(pageNumber);
    if (!page || !page->window) return;
    const double width = page->window->width();
    const double height = page->window->height();
    for (auto& graph : page->graphs) {
        if (!graph || !graph->window) continue;
        const DeviceRect r = *WGGetGraphRect(env, graph->handle, width, height);
        graph->window->setGeometry(static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(std::max(0.0, r.width)),
                                   static_cast<int>(std::max(0.0, r.height)));
    }
}

namespace {

// Takes a graph's records out of the environment and its window off the page.
void releaseGraph(Environment& env, std::unique_ptr<Graph>& graph) {
    for (int index = 1; index <= graph->objects.size(); ++index)
        if (const GraphObject* object = graph->objects.at(index)) env.records.remove(object);
    graph->objects.clear();
    graph->open = false;
    env.removeGraph(graph->handle);
    delete graph->window.data();
    graph.reset();
}

}  // namespace

int WGDeleteGraph(Environment& env, int handle) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    Page* page = env.page(graph->page);
    auto& slot = page->graphs[static_cast<std::size_t>(graph->slot)];
    const int slotIndex = graph->slot;
    releaseGraph(env, slot);
    --page->graphCount;
    if (page->currentGraph == slotIndex) {
        page->currentGraph = -1;
        for (int s = 0; s < GraphSlots && page->currentGraph < 0; ++s)
            if (page->graphs[static_cast<std::size_t>(s)]) page->currentGraph = s;
    }
    if (page->repaint && page->window) page->window->update();
    return 1;
}

int KillGraphPage(Environment& env, int pageNumber) {
    Page* page = env.page(pageNumber);
    if (!page) return 0;
    for (auto& graph : page->graphs)
        if (graph) releaseGraph(env, graph);
    page->inUse = false;
    delete page->window.data();
    env.pages[static_cast<std::size_t>(pageNumber)].reset();
    --env.openPages;
    return 1;
}

int Cleanup(Environment& env, int flag) {
    for (int number = 1; number <= MaxPages; ++number)
        if (env.pages[static_cast<std::size_t>(number)]) KillGraphPage(env, number);
    if (flag == -1) {
        env.extension.reset();
        env.pageProcedure = nullptr;
        env.graphProcedure = nullptr;
        env.rescaleHook = nullptr;
        env.topInitialised = false;
        env.initialised = false;
    }
    return 1;
}

int WGInsertObject(Environment& env, int handle, std::unique_ptr<GraphObject> object) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!object) {
        ReportError(env, InvalidArgument, MessageOnly);
        return 0;
    }
    object->attributes = graph->current;
    object->page = graph->page;
    object->links = {0, 0};
    return detail::addObject(env, *graph, std::move(object));
}

int WGDeleteObject(Environment& env, int handle, int index) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!graph->objects.at(index)) {
        ReportError(env, NoSuchObject, MessageOnly);
        return 0;
    }
    // Nothing may keep pointing at a deleted data set.
    if (graph->objects.at(index)->type == DataSetType)
        for (int i = 1; i <= graph->objects.size(); ++i)
            if (auto* plot = graph->objects.as<LinePlot>(i, LinePlotType); plot && plot->dataSet == index) plot->dataSet = 0;
    detail::removeObject(env, *graph, index);
    detail::repaint(*graph);
    return 1;
}

QWidget* WGGetPageWindow(const Environment& env, int pageNumber) {
    const Page* page = env.page(pageNumber);
    return page ? page->window.data() : nullptr;
}

QWidget* WGGetGraphWindow(const Environment& env, int handle) {
    const Graph* graph = env.graph(handle);
    return graph ? graph->window.data() : nullptr;
}

const Graph* WGGetGraph(const Environment& env, int handle) { return env.graph(handle); }

const GraphObject* WGGetObject(const Environment& env, int handle, int index) {
    const Graph* graph = env.graph(handle);
    return graph ? graph->objects.at(index) : nullptr;
}

}  // namespace plotbase
