#include "platform/qt/qt_help.h"

#include "platform/qt/help_window.h"

#include <algorithm>

namespace platform {

QtHelp::QtHelp(QString helpRoot) : root_(std::move(helpRoot)) {}

QtHelp::~QtHelp() = default;

QString QtHelp::helpSetName(std::string_view helpFile) {
    QString name = QString::fromUtf8(helpFile.data(), static_cast<qsizetype>(helpFile.size())).trimmed();
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (slash >= 0) name = name.mid(slash + 1);
    if (name.endsWith(QStringLiteral(".hlp"), Qt::CaseInsensitive)) name.chop(4);
    return name;
}

void QtHelp::setHelpFile(std::string_view name) {
    fileName_ = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    const QString setName = helpSetName(name);
    set_ = setName.isEmpty() ? HelpSet() : HelpSet::load(root_ + u'/' + setName);
    if (window_) window_->setHelpSet(set_);
}

HelpWindow& QtHelp::window() {
    if (!window_) {
        window_ = std::make_unique<HelpWindow>();
        window_->setHelpSet(set_);
    }
    return *window_;
}

HelpWindow* QtHelp::presentWindow() {
    HelpWindow& viewer = window();
    viewer.present();
    if (set_.isLoaded()) return &viewer;
    viewer.showNote(fileName_.isEmpty()
                        ? QObject::tr("No help file has been chosen, so there is nothing to show.")
                        : QObject::tr("The help file \"%1\" could not be opened.").arg(fileName_));
    return nullptr;
}

void QtHelp::showContext(int context) {
    HelpWindow* viewer = presentWindow();
    if (!viewer) return;
    const QString topic = set_.topicForContext(context);
    if (!topic.isEmpty()) {
        viewer->openTopic(topic);
        return;
    }
    viewer->showContentsPage();
    viewer->showNote(QObject::tr("There is no help topic for this item (help context %1). "
                                 "Please choose a topic from the contents.")
                         .arg(context));
}

void QtHelp::showContents() {
    if (HelpWindow* viewer = presentWindow()) viewer->showContentsPage();
}

void QtHelp::showIndex(std::string_view partialKeyword) {
    if (HelpWindow* viewer = presentWindow())
        viewer->showIndexPage(QString::fromUtf8(partialKeyword.data(), static_cast<qsizetype>(partialKeyword.size())));
}

}  // namespace platform
