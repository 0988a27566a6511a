#include "plotbase/environment.h"

#include "plotbase/operations_setup.h"

namespace plotbase {

Environment::Environment(platform::Dialogs& dialogService, const platform::Numbers& numberFormat)
    : dialogs(dialogService), numbers(numberFormat) {}

Environment::~Environment() {
    // Pages own widgets inside the application's window: take them down with the record.
    for (int number = 1; number <= MaxPages; ++number)
        if (pages[static_cast<std::size_t>(number)]) KillGraphPage(*this, number);
}

Page* Environment::page(int number) const {
    if (number < 1 || number > MaxPages) return nullptr;
    return pages[static_cast<std::size_t>(number)].get();
}

Graph* Environment::graph(int handle) const {
    const auto found = graphs_.find(handle);
    return found == graphs_.end() ? nullptr : found->second;
}

int Environment::addGraph(Graph& graph) {
    graph.handle = nextGraphHandle_++;
    graphs_[graph.handle] = &graph;
    records.add(&graph);
    return graph.handle;
}

void Environment::removeGraph(int handle) {
    const auto found = graphs_.find(handle);
    if (found == graphs_.end()) return;
    records.remove(found->second);
    graphs_.erase(found);
}

}  // namespace plotbase
