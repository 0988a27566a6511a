#pragma once
// A round indicator lamp: a filled circle in its on or off colour with a darker rim and a
// highlight, as large as its widget allows.

#include <QColor>
#include <QWidget>

namespace dynaview {

class LedLamp : public QWidget {
    Q_OBJECT
public:
    explicit LedLamp(QWidget* parent);
    void setLamp(bool on, QColor onColour, QColor offColour);
    bool isOn() const { return on_; }
    QColor shownColour() const { return on_ ? onColour_ : offColour_; }
    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool on_ = false;
    QColor onColour_;
    QColor offColour_;
};

}  // namespace dynaview
