#pragma once
// Message boxes and file dialogs over QMessageBox and QFileDialog, titled with the
// program's name and parented to the active window.

#include "platform/dialogs.h"

#include <string>

class QWidget;

namespace platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(std::string applicationTitle) : title_(std::move(applicationTitle)) {}
    void message(std::string_view text, MessageKind kind, std::string_view title) override;
    Answer ask(std::string_view text, Question buttons, std::string_view title) override;
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;

    // "TDR OS (*.SR)|*.SR|Motorola S-Rec (*.MHX)|*.MHX" -> Qt's ";;"-separated filter.
    static std::string qtFilter(const std::string& filter);

private:
    std::string title_;
};

}  // namespace platform
