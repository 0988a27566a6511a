#pragma once
// The help viewer: a non-modal window with the contents tree and the keyword index on the
// left and the topic on the right, with back and forward through the topics seen.

#include "platform/qt/help_set.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* Title = "WAVIX Help";

    explicit HelpWindow(QWidget* parent = nullptr);

    void setHelpSet(const HelpSet& set);
    const HelpSet& helpSet() const { return set_; }

    // Shows a topic ("file.html" or "file.html#anchor") of the help set.
    void openTopic(const QString& topic);
    // The contents tree with the focus; the welcome topic when nothing is shown yet.
    void showContentsPage();
    // The keyword index with `partialKeyword` in its field (the cursor there) and the first
    // matching keyword selected.
    void showIndexPage(const QString& partialKeyword);
    // A line above the topic; an empty text hides it. Cleared by the next topic shown.
    void showNote(const QString& text);
    // Shows the window, restored if minimised, in front of the others.
    void present();

    QTextBrowser* browser() const { return browser_; }
    QTreeWidget* contentsTree() const { return contents_; }
    QLineEdit* indexField() const { return indexField_; }
    QListWidget* indexList() const { return indexList_; }
    QTabWidget* navigation() const { return navigation_; }
    QLabel* note() const { return note_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContents();
    void buildIndex();
    void selectFirstIndexMatch(const QString& text);
    void openSelectedIndexEntry();
    void openContentsItem(QTreeWidgetItem* item);
    void syncContentsWith(const QUrl& source);
    QString homeTopic() const;

    HelpSet set_;
    QTabWidget* navigation_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexField_ = nullptr;
    QListWidget* indexList_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QLabel* note_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
};

}  // namespace platform
