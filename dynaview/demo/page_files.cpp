#include "dynaview/demo/page_files.h"

#include "dynaview/include/dynaview.h"
#include "platform/dialogs.h"
#include "plotbase/page_file.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace dynaview::demo {

namespace {

platform::FileDialogOptions pageFileOptions(const char* title, const std::string& lastPath) {
    platform::FileDialogOptions options;
    options.title = title;
    options.filter = "Page files (*.pbp)|*.pbp|All files (*)|*";
    options.defaultExtension = "pbp";
    options.initialName = lastPath.empty() ? "tank.pbp" : lastPath;
    return options;
}

}  // namespace

PageFiles::PageFiles(QMenu& fileMenu, plotbase::Environment& env, platform::Dialogs& dialogs, QWidget& host, int& page,
                     std::vector<DemoWindow::Graph*> graphs)
    : QObject(&host), env_(env), dialogs_(dialogs), host_(host), page_(page), graphs_(std::move(graphs)) {
    QAction* first = fileMenu.actions().isEmpty() ? nullptr : fileMenu.actions().front();
    auto* open = new QAction(QStringLiteral("&Open Page..."), &fileMenu);
    open->setObjectName(QStringLiteral("OpenPageItem"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &PageFiles::OpenPageItemClick);
    auto* save = new QAction(QStringLiteral("&Save Page..."), &fileMenu);
    save->setObjectName(QStringLiteral("SavePageItem"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &PageFiles::SavePageItemClick);
    fileMenu.insertActions(first, {open, save});
    if (first) fileMenu.insertSeparator(first);
}

void PageFiles::SavePageItemClick() {
    const auto path = dialogs_.saveFile(pageFileOptions("Save Page", lastPath_));
    if (path) savePage(*path);
}

void PageFiles::OpenPageItemClick() {
    auto options = pageFileOptions("Open Page", lastPath_);
    options.mustExist = true;
    const auto path = dialogs_.openFile(options);
    if (path) openPage(*path);
}

int PageFiles::savePage(const std::string& path) {
    // Replaced whole or not at all (plotbase writes a page file atomically).
    const int saved = plotbase::WGSavePage(env_, page_, path);
    if (saved) lastPath_ = path;
    return saved;
}

int PageFiles::openPage(const std::string& path) {
    // Everything in the file is checked before anything is created.
    const int opened = plotbase::WGRestorePage(env_, path, &host_);
    if (!opened) return 0;
    lastPath_ = path;
    adopt(opened);
    return opened;
}

void PageFiles::adopt(int newPage) {
    KillRTPage(page_);
    page_ = newPage;
    const plotbase::Page* page = env_.page(newPage);
    std::size_t i = 0;
    for (const auto& graph : page->graphs) {
        if (!graph || i >= graphs_.size()) continue;
        DemoWindow::Graph& g = *graphs_[i++];
        g.handle = graph->handle;
        // The trend goes on in the opened page's own values when it has one there.
        auto* trend = graph->objects.as<plotbase::DataSet>(g.trend, plotbase::DataSetType);
        g.trendValues = trend ? trend->y : nullptr;
    }
    for (; i < graphs_.size(); ++i) {
        graphs_[i]->handle = 0;
        graphs_[i]->trendValues = nullptr;
    }
    plotbase::ResizePage(env_, newPage);
}

}  // namespace dynaview::demo
