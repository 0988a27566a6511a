#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

QWidget* parentWindow() { return QApplication::activeWindow(); }

}  // namespace

void QtDialogs::message(std::string_view text, MessageKind kind, std::string_view title) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
        case MessageKind::Plain: icon = QMessageBox::NoIcon; break;
        case MessageKind::Information: icon = QMessageBox::Information; break;
        case MessageKind::Warning: icon = QMessageBox::Warning; break;
        case MessageKind::Error: icon = QMessageBox::Critical; break;
    }
    const QString caption = QString::fromStdString(std::string(title.empty() ? std::string_view(title_) : title));
    QMessageBox box(icon, caption, QString::fromStdString(std::string(text)), QMessageBox::Ok, parentWindow());
    box.setAccessibleName(caption);
    box.setAccessibleDescription(box.text());
    box.exec();
}

Answer QtDialogs::ask(std::string_view text, Question buttons, std::string_view title) {
    const QString caption = QString::fromStdString(std::string(title.empty() ? std::string_view(title_) : title));
    const auto set = buttons == Question::YesNo ? (QMessageBox::Yes | QMessageBox::No) : (QMessageBox::Ok | QMessageBox::Cancel);
    QMessageBox box(QMessageBox::Question, caption, QString::fromStdString(std::string(text)), set, parentWindow());
    box.setAccessibleName(caption);
    box.setAccessibleDescription(box.text());
    const int result = box.exec();
    switch (result) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default: return buttons == Question::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::string QtDialogs::qtFilter(const std::string& filter) {
    // Pairs of "description|pattern"; Qt wants "description (pattern)" joined by ";;" and
    // the description usually shows the pattern already.
    std::string out;
    std::size_t pos = 0;
    while (pos < filter.size()) {
        auto bar = filter.find('|', pos);
        const std::string description = filter.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        std::string pattern;
        if (bar != std::string::npos) {
            auto next = filter.find('|', bar + 1);
            pattern = filter.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
            pos = next == std::string::npos ? filter.size() : next + 1;
        } else {
            pos = filter.size();
        }
        for (char& c : pattern)
            if (c == ';') c = ' ';
        if (!out.empty()) out += ";;";
        out += description.find('(') == std::string::npos ? description + " (" + pattern + ")" : description;
    }
    return out;
}

namespace {

std::optional<std::string> runFileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(parentWindow(), QString::fromStdString(options.title), QString::fromStdString(options.directory),
                       QString::fromStdString(QtDialogs::qtFilter(options.filter)));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!options.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
    if (!options.initialName.empty() && options.initialName.find('*') == std::string::npos)
        dialog.selectFile(QString::fromStdString(options.initialName));
    if (save && !options.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::optional<std::string> QtDialogs::openFile(const FileDialogOptions& options) { return runFileDialog(options, false); }

std::optional<std::string> QtDialogs::saveFile(const FileDialogOptions& options) { return runFileDialog(options, true); }

}  // namespace platform
