#pragma once
// Message boxes and file dialogs as the program's logic asks for them. Each call is modal:
// it returns once the user has answered.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class MessageKind { Plain, Information, Warning, Error };
enum class Question { YesNo, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogOptions {
    std::string title;
    std::string filter;            // "Description (*.ext)|*.ext|..." pairs
    std::string defaultExtension;  // without the dot
    std::string initialName;
    std::string directory;
    bool mustExist = false;        // open: the file and its path must exist
    bool confirmOverwrite = true;  // save: ask before replacing a file
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with the program's title (or `title` when given), the text and an OK button.
    virtual void message(std::string_view text, MessageKind kind = MessageKind::Plain, std::string_view title = {}) = 0;
    virtual Answer ask(std::string_view text, Question buttons, std::string_view title = {}) = 0;
    virtual std::optional<std::string> openFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogOptions& options) = 0;
};

}  // namespace platform
