#include "platform/doubles/scripted_dialogs.h"

namespace platform {

void ScriptedDialogs::message(std::string_view text, MessageKind kind, std::string_view title) {
    records.push_back({DialogRecord::Type::Message, kind, Question::YesNo, std::string(title), std::string(text)});
    if (onShow) onShow(records.back());
}

Answer ScriptedDialogs::ask(std::string_view text, Question buttons, std::string_view title) {
    records.push_back({DialogRecord::Type::Ask, MessageKind::Plain, buttons, std::string(title), std::string(text)});
    if (onShow) onShow(records.back());
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    if (defaultAnswer) return *defaultAnswer;
    return buttons == Question::YesNo ? Answer::Yes : Answer::Ok;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogOptions& options) {
    records.push_back({DialogRecord::Type::OpenFile, MessageKind::Plain, Question::OkCancel, options.title, options.filter});
    if (onShow) onShow(records.back());
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogOptions& options) {
    records.push_back({DialogRecord::Type::SaveFile, MessageKind::Plain, Question::OkCancel, options.title, options.filter});
    if (onShow) onShow(records.back());
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

std::vector<std::string> ScriptedDialogs::texts() const {
    std::vector<std::string> out;
    for (const auto& r : records)
        if (r.type == DialogRecord::Type::Message || r.type == DialogRecord::Type::Ask) out.push_back(r.text);
    return out;
}

}  // namespace platform
