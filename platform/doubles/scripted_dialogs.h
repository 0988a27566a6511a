#pragma once
// Dialogs for tests: every box is recorded, questions and file dialogs take their answers
// from queues filled by the test (with a default when the queue is empty).

#include "platform/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct DialogRecord {
    enum class Type { Message, Ask, OpenFile, SaveFile };
    Type type;
    MessageKind kind = MessageKind::Plain;
    Question question = Question::YesNo;
    std::string title;
    std::string text;
};

class ScriptedDialogs : public Dialogs {
public:
    void message(std::string_view text, MessageKind kind, std::string_view title) override;
    Answer ask(std::string_view text, Question buttons, std::string_view title) override;
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;

    // The texts of every box shown so far, in order.
    std::vector<std::string> texts() const;
    void clear() { records.clear(); }

    std::vector<DialogRecord> records;
    std::deque<Answer> answers;
    // Used when `answers` is empty: Yes to a Yes/No question, OK to OK/Cancel.
    std::optional<Answer> defaultAnswer;
    std::deque<std::optional<std::string>> files;
    // Called as each box is shown (after it is recorded), for tests that act while a
    // modal box is up.
    std::function<void(const DialogRecord&)> onShow;
};

}  // namespace platform
