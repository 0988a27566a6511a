#pragma once
// dynaview-demo's "File > Save Page" and "File > Open Page": the shown page written to a
// page file, and a page file shown in its place. A file that cannot be read leaves the
// shown page as it was (plotbase's error box says why).

#include "dynaview/demo/demo_window.h"

#include <QObject>

#include <string>
#include <vector>

class QMenu;

namespace platform {
class Dialogs;
}

namespace dynaview::demo {

class PageFiles : public QObject {
    Q_OBJECT
public:
    // `page` is the window's page number, replaced when another page is opened; `graphs`
    // are the window's graphs in the order of the page's graphs.
    PageFiles(QMenu& fileMenu, plotbase::Environment& env, platform::Dialogs& dialogs, QWidget& host, int& page,
              std::vector<DemoWindow::Graph*> graphs);

    void SavePageItemClick();
    void OpenPageItemClick();
    // Without the file dialogs: 1 saved, 0 refused.
    int savePage(const std::string& path);
    // The new page's number, or 0 (the shown page stays).
    int openPage(const std::string& path);

private:
    void adopt(int newPage);

    plotbase::Environment& env_;
    platform::Dialogs& dialogs_;
    QWidget& host_;
    int& page_;
    std::vector<DemoWindow::Graph*> graphs_;
    std::string lastPath_;
};

}  // namespace dynaview::demo
