#pragma once
// A label that shows a result, such as a measured value. Assistive technologies and UI
// tests find it by its accessible name ("Water Content Result"), which stays; the value it
// shows is its accessible description, kept in step with the text. Set the text through
// this class: QLabel::setText is not virtual.

#include <QLabel>

namespace platform {

class ResultLabel : public QLabel {
public:
    explicit ResultLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    void setText(const QString& text) {
        QLabel::setText(text);
        setAccessibleDescription(text);
    }
    void clear() { setText(QString()); }
};

}  // namespace platform
