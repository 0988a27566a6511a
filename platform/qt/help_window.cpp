#include "platform/qt/help_window.h"

#include "platform/qt/window_activation.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

constexpr int TopicRole = Qt::UserRole;
constexpr int ContentsContext = 100;

QToolButton* toolButton(const QString& caption, const QString& name, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(u'&'));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

QString fileNameOf(const QString& topic) {
    const qsizetype hash = topic.indexOf(u'#');
    return hash < 0 ? topic : topic.left(hash);
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromLatin1(Title));
    setAccessibleName(QString::fromLatin1(Title));
    // An open help window must not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);

    back_ = toolButton(tr("&Back"), QStringLiteral("helpBack"), QStyle::SP_ArrowBack, this);
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = toolButton(tr("&Forward"), QStringLiteral("helpForward"), QStyle::SP_ArrowForward, this);
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);
    auto* contentsButton = toolButton(tr("&Contents"), QStringLiteral("helpContentsButton"), QStyle::SP_FileDialogListView, this);
    auto* indexButton = toolButton(tr("&Index"), QStringLiteral("helpIndexButton"), QStyle::SP_FileDialogContentsView, this);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addSpacing(12);
    buttons->addWidget(contentsButton);
    buttons->addWidget(indexButton);
    buttons->addStretch();

    contents_ = new QTreeWidget;
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setAccessibleName(tr("Help Contents"));
    contents_->setHeaderHidden(true);
    contents_->setRootIsDecorated(true);
    contents_->setExpandsOnDoubleClick(false);

    auto* indexPage = new QWidget;
    auto* indexLabel = new QLabel(tr("&Type the first letters of the word you are looking for:"), indexPage);
    indexLabel->setWordWrap(true);
    indexField_ = new QLineEdit(indexPage);
    indexField_->setObjectName(QStringLiteral("helpIndexField"));
    indexField_->setAccessibleName(tr("Index Keyword"));
    indexField_->setClearButtonEnabled(true);
    indexField_->installEventFilter(this);
    indexLabel->setBuddy(indexField_);
    indexList_ = new QListWidget(indexPage);
    indexList_->setObjectName(QStringLiteral("helpIndexList"));
    indexList_->setAccessibleName(tr("Help Index"));
    auto* display = new QPushButton(tr("&Display"), indexPage);
    display->setObjectName(QStringLiteral("helpIndexDisplay"));
    display->setAccessibleName(tr("Display"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(indexLabel);
    indexLayout->addWidget(indexField_);
    indexLayout->addWidget(indexList_, 1);
    indexLayout->addWidget(display, 0, Qt::AlignRight);

    navigation_ = new QTabWidget;
    navigation_->setObjectName(QStringLiteral("helpNavigation"));
    navigation_->addTab(contents_, tr("Contents"));
    navigation_->addTab(indexPage, tr("Index"));

    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("helpNote"));
    note_->setWordWrap(true);
    note_->setMargin(6);
    note_->setStyleSheet(QStringLiteral("background: #fff6d5; border: 1px solid #d9b74a; color: #3d3000;"));
    note_->hide();

    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setAccessibleName(tr("Help Topic"));
    browser_->setOpenExternalLinks(true);

    auto* topicPane = new QWidget;
    auto* topicLayout = new QVBoxLayout(topicPane);
    topicLayout->setContentsMargins(0, 0, 0, 0);
    topicLayout->addWidget(note_);
    topicLayout->addWidget(browser_, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(navigation_);
    splitter->addWidget(topicPane);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({300, 660});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(980, 660);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
        showNote({});
        syncContentsWith(source);
    });
    connect(contentsButton, &QToolButton::clicked, this, &HelpWindow::showContentsPage);
    connect(indexButton, &QToolButton::clicked, this, [this] { showIndexPage(indexField_->text()); });
    // A click shows a topic; Enter or a double click also opens and closes a heading.
    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->data(0, TopicRole).toString().isEmpty()) openContentsItem(item);
    });
    connect(contents_, &QTreeWidget::itemActivated, this, &HelpWindow::openContentsItem);
    connect(indexField_, &QLineEdit::textEdited, this, &HelpWindow::selectFirstIndexMatch);
    connect(indexField_, &QLineEdit::returnPressed, this, &HelpWindow::openSelectedIndexEntry);
    connect(indexList_, &QListWidget::itemActivated, this, &HelpWindow::openSelectedIndexEntry);
    connect(display, &QPushButton::clicked, this, &HelpWindow::openSelectedIndexEntry);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::setHelpSet(const HelpSet& set) {
    set_ = set;
    buildContents();
    buildIndex();
    browser_->clear();
    browser_->clearHistory();
}

void HelpWindow::buildContents() {
    contents_->clear();
    QList<QTreeWidgetItem*> parents;  // the latest item at each depth
    for (const HelpContentsEntry& entry : set_.contents()) {
        const int depth = std::min<int>(entry.depth, static_cast<int>(parents.size()));
        parents.resize(depth);
        auto* item = depth == 0 ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.title);
        item->setData(0, TopicRole, entry.topic);
        item->setToolTip(0, entry.title);
        parents << item;
    }
    // The books of the first level start open, those inside them closed: the tree fits at
    // a glance.
    for (int i = 0; i < contents_->topLevelItemCount(); ++i) contents_->topLevelItem(i)->setExpanded(true);
}

void HelpWindow::buildIndex() {
    indexList_->clear();
    for (const HelpIndexEntry& entry : set_.index()) {
        auto* item = new QListWidgetItem(entry.keyword, indexList_);
        item->setData(TopicRole, entry.topic);
    }
}

QString HelpWindow::homeTopic() const {
    QString topic = set_.topicForContext(ContentsContext);
    for (int i = 0; topic.isEmpty() && i < set_.contents().size(); ++i) topic = set_.contents()[i].topic;
    return topic;
}

void HelpWindow::openTopic(const QString& topic) {
    showNote({});
    if (!set_.isLoaded()) return;
    if (topic.isEmpty() || !QFile::exists(set_.topicFilePath(topic))) {
        showNote(tr("The topic \"%1\" is missing from the help file.").arg(topic));
        return;
    }
    browser_->setSource(set_.topicUrl(topic));
}

void HelpWindow::showContentsPage() {
    navigation_->setCurrentWidget(contents_);
    if (browser_->source().isEmpty()) openTopic(homeTopic());
    if (!contents_->currentItem() && contents_->topLevelItemCount() > 0)
        contents_->setCurrentItem(contents_->topLevelItem(0));
    contents_->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::showIndexPage(const QString& partialKeyword) {
    navigation_->setCurrentWidget(indexList_->parentWidget());
    indexField_->setText(partialKeyword);
    selectFirstIndexMatch(partialKeyword);
    if (browser_->source().isEmpty()) openTopic(homeTopic());
    indexField_->setFocus(Qt::OtherFocusReason);
    indexField_->setCursorPosition(static_cast<int>(indexField_->text().size()));
}

void HelpWindow::showNote(const QString& text) {
    note_->setText(text);
    note_->setVisible(!text.isEmpty());
}

void HelpWindow::present() {
    // A modal dialog blocks every window that is not its own. Help asked for from inside one
    // (its Help button, F1) must stay usable, so the window belongs to that dialog meanwhile.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this) modal = nullptr;
    winId();  // makes the native window, which carries the owner
    if (QWindow* handle = windowHandle()) handle->setTransientParent(modal ? modal->window()->windowHandle() : nullptr);
    bringToFront(*this);
}

void HelpWindow::selectFirstIndexMatch(const QString& text) {
    const int row = set_.firstIndexMatch(text);
    if (row < 0) {
        indexList_->clearSelection();
        indexList_->setCurrentItem(nullptr);
        return;
    }
    indexList_->setCurrentRow(row);
    indexList_->scrollToItem(indexList_->item(row), QAbstractItemView::PositionAtTop);
}

void HelpWindow::openSelectedIndexEntry() {
    if (QListWidgetItem* item = indexList_->currentItem()) openTopic(item->data(TopicRole).toString());
}

void HelpWindow::openContentsItem(QTreeWidgetItem* item) {
    if (!item) return;
    const QString topic = item->data(0, TopicRole).toString();
    if (topic.isEmpty()) item->setExpanded(!item->isExpanded());
    else openTopic(topic);
}

void HelpWindow::syncContentsWith(const QUrl& source) {
    const QString shown = QFileInfo(source.path()).fileName();
    const QTreeWidgetItem* current = contents_->currentItem();
    if (current && fileNameOf(current->data(0, TopicRole).toString()) == shown) return;
    QTreeWidgetItem* match = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it && !match; ++it)
        if (fileNameOf((*it)->data(0, TopicRole).toString()) == shown) match = *it;
    if (!match) return;
    const QSignalBlocker quiet(contents_);
    for (QTreeWidgetItem* up = match->parent(); up; up = up->parent()) up->setExpanded(true);
    contents_->setCurrentItem(match);
    contents_->scrollToItem(match);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys in the keyword field move through the list, so the index works
    // without leaving the field.
    if (watched == indexField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: {
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(indexList_, &copy);
                return true;
            }
            default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace platform
