#pragma once
// The four controls: a scroll bar, a button (push, toggle or latching), a group of
// exclusive buttons and a lamp. Changes made by the application are not reported back to
// it; what the user does is.

#include "dynaview/controls/control_object.h"

#include <QPointer>

#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QScrollBar;

namespace dynaview {

class ScrollBarControl final : public ControlObject {
public:
    ScrollBarControl(const WorldBox& box, bool vertical, int minimum, int maximum, int position);
    std::optional<int> state(int item) const override;
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const;
    void setRange(int minimum, int maximum, int position);
    void setPosition(int position);
    // As the user would move it: reported.
    void moveAsUser(int position);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    QString nameOf() const override { return QStringLiteral("ScrBarControl"); }

private:
    QScrollBar* bar() const;
    bool vertical_;
    int minimum_;
    int maximum_;
    int position_;
};

// Buttons and groups carry a face colour.
class ColouredControl : public ControlObject {
public:
    int colour() const { return colour_; }
    virtual void setColour(int colour) = 0;

protected:
    ColouredControl(ControlKind kind, const WorldBox& box, int colour) : ControlObject(kind, box), colour_(colour) {}
    int colour_;
};

class ButtonControl final : public ColouredControl {
public:
    ButtonControl(const WorldBox& box, std::string text, int style, int colour);
    int style() const { return style_; }
    // Push buttons: 1 while held down. Toggle and latching buttons: 1 while on.
    std::optional<int> state(int item) const override;
    // Toggle and latching buttons only.
    bool setState(int state);
    void setColour(int colour) override;
    // Lets a latched button up.
    void release();
    void clickAsUser();
    QAbstractButton* button() const;

protected:
    QWidget* makeWidget(QWidget* parent) override;
    QString nameOf() const override { return QStringLiteral("ButtonControl"); }

private:
    void clicked(bool checked);
    std::string text_;
    int style_;
};

class ButtonGroupControl final : public ColouredControl {
public:
    ButtonGroupControl(const WorldBox& box, std::vector<std::string> texts, int style);
    int count() const { return static_cast<int>(texts_.size()); }
    // Item 0: the selected item (0: none); item 1..count: 1 when it is the selected one.
    std::optional<int> state(int item) const override;
    // Selects an item (0: none).
    void select(int item);
    void setColour(int colour) override;
    void clickAsUser(int item);
    QAbstractButton* item(int item) const;

protected:
    QWidget* makeWidget(QWidget* parent) override;
    QString nameOf() const override { return QStringLiteral("ButtonGroup"); }

private:
    std::vector<std::string> texts_;
    int style_;
    QPointer<QButtonGroup> group_;
};

class LedControl final : public ColouredControl {
public:
    LedControl(double x, double y, double size, int onColour, int offColour);
    std::optional<int> state(int item) const override;
    void setOn(bool on);
    bool on() const { return on_; }
    int offColour() const { return offColour_; }
    void setColour(int colour) override;
    QRectF deviceRect(const plotbase::Scaling& scaling) const override;

protected:
    QWidget* makeWidget(QWidget* parent) override;
    QString nameOf() const override { return QStringLiteral("LEDControl"); }

private:
    void show();
    double x_, y_, size_;
    int offColour_;
    bool on_ = false;
};

}  // namespace dynaview
