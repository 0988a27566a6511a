#pragma once
// The terminal pane over the plot: a panel with a lowered bevel ("Terminal") filled by a
// read-only, fixed-pitch text pane ("TermEd") that shows the lines the instrument sent, in
// its character set. Typed keys are handed on as bytes of that character set; nothing is
// inserted locally.

#include "app/terminal_emulator.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

namespace app {

class TerminalPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int Width = 472;
    static constexpr int Height = 318;
    // Columns the font is chosen to fit across the pane (the instrument's lines hold 80).
    static constexpr int Columns = 80;

    explicit TerminalPanel(QWidget* parent = nullptr);

    // A typed character as a byte of the instrument's character set (the handler may
    // change it); a key the character set lacks is refused with refused().
    void SetHandlers(std::function<void(char& key)> keyPress, std::function<void()> enter,
                     std::function<void()> refused);

    QPlainTextEdit* TermEd() const;
    void Clear();
    void Apply(const TerminalLines::Change& change);
    // The pane's text for received bytes: code page 437 pictures for control characters;
    // a carriage return or line feed that is not part of a pair shows nothing.
    static QString Display(std::string_view bytes);

private:
    class Edit;
    Edit* edit_ = nullptr;
};

}  // namespace app
