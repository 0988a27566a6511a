#include "app/terminal_panel.h"

#include "app/code_page_437.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace app {

class TerminalPanel::Edit : public QPlainTextEdit {
public:
    explicit Edit(QWidget* parent) : QPlainTextEdit(parent) {}

    std::function<void(char&)> keyPress;
    std::function<void()> enter;
    std::function<void()> refused;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // Menu keys and keys without a character (arrows, page keys) do what they always do.
        const QString text = event->text();
        if (text.isEmpty() || (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier))) {
            QPlainTextEdit::keyPressEvent(event);
            return;
        }
        event->accept();
        for (const char32_t character : text.toUcs4()) {
            const auto byte = Cp437Byte(character);
            if (!byte) {
                if (refused) refused();
                continue;
            }
            char key = static_cast<char>(*byte);
            if (keyPress) keyPress(key);
        }
    }
    void focusInEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusInEvent(event);
        if (enter) enter();
    }
};

namespace {

// The largest fixed-pitch font (up to 12 pixels) that fits the instrument's 80 columns.
QFont TerminalFont(int paneWidth) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    for (int pixels = 12; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(QString(TerminalPanel::Columns, 'M')) <= paneWidth) return font;
    }
    font.setPixelSize(8);
    return font;
}

}  // namespace

TerminalPanel::TerminalPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("Terminal");
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setGeometry(0, 0, Width, Height);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    edit_ = new Edit(this);
    edit_->setObjectName("TermEd");
    edit_->setAccessibleName("Terminal");
    edit_->setReadOnly(true);
    // Read-only panes skip the keyboard by default; this one is where the user types.
    edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit_->setFocusPolicy(Qt::StrongFocus);
    // Long lines wrap on the screen; they stay one line of the pane.
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setUndoRedoEnabled(false);
    const int scrollBar = edit_->verticalScrollBar()->sizeHint().width();
    edit_->setFont(TerminalFont(Width - 2 * 2 - 2 * edit_->frameWidth() - scrollBar - 8));
    layout->addWidget(edit_);
}

void TerminalPanel::SetHandlers(std::function<void(char&)> keyPress, std::function<void()> enter,
                                std::function<void()> refused) {
    edit_->keyPress = std::move(keyPress);
    edit_->enter = std::move(enter);
    edit_->refused = std::move(refused);
}

QPlainTextEdit* TerminalPanel::TermEd() const { return edit_; }

void TerminalPanel::Clear() { edit_->clear(); }

QString TerminalPanel::Display(std::string_view bytes) {
    std::u32string characters;
    characters.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte == '\r' || byte == '\n') continue;
        characters.push_back(byte == '\t' ? U'\t' : Cp437Char(byte));
    }
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}

void TerminalPanel::Apply(const TerminalLines::Change& change) {
    QTextDocument* document = edit_->document();
    if (change.removedTop > 0) {
        // Lines leave from the top without the pane redrawing for each.
        edit_->setUpdatesEnabled(false);
        QTextCursor top(document);
        top.movePosition(QTextCursor::Start);
        top.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, static_cast<int>(change.removedTop));
        top.removeSelectedText();
        edit_->setUpdatesEnabled(true);
    }
    if (change.last.empty()) return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(Display(change.last.front()));
    for (std::size_t i = 1; i < change.last.size(); ++i) {
        cursor.insertBlock();
        cursor.insertText(Display(change.last[i]));
    }
    cursor.endEditBlock();
    edit_->setTextCursor(cursor);
    edit_->verticalScrollBar()->setValue(edit_->verticalScrollBar()->maximum());
}

}  // namespace app
