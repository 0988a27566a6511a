#include "platform/qt/typing_limit.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

namespace platform {

bool TypesPastLimit(const QLineEdit& edit, const QKeyEvent& key, int limit) {
    const QString typed = key.text();
    if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
    const auto kept = edit.text().size() - edit.selectedText().size();
    return kept + typed.size() > limit;
}

bool IsPasteKey(const QKeyEvent& key) { return key.matches(QKeySequence::Paste); }

}  // namespace platform
