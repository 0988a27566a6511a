#include "dynaview/controls/control_kinds.h"

#include "dynaview/controls/led_lamp.h"
#include "plotbase/drawing_tools.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace dynaview {

namespace {

// A face colour on a widget and its children; the default leaves the style's own.
void paintFace(QWidget* widget, int colour) {
    if (!widget) return;
    QPalette palette = widget->parentWidget() ? widget->parentWidget()->palette() : QPalette();
    if (colour != DefaultColour) {
        const QColor face = plotbase::detail::colourOf(colour);
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::ButtonText, face.lightnessF() < 0.5 ? Qt::white : Qt::black);
    }
    widget->setPalette(palette);
}

QString textOf(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

// --- scroll bar ---

ScrollBarControl::ScrollBarControl(const WorldBox& box, bool vertical, int minimum, int maximum, int position)
    : ControlObject(ScrollBarKind, box), vertical_(vertical), minimum_(minimum), maximum_(maximum), position_(position) {}

QWidget* ScrollBarControl::makeWidget(QWidget* parent) {
    auto* bar = new QScrollBar(vertical_ ? Qt::Vertical : Qt::Horizontal, parent);
    bar->setAccessibleName(QStringLiteral("Scroll Bar"));
    bar->setFocusPolicy(Qt::StrongFocus);
    widget_ = bar;
    setRange(minimum_, maximum_, position_);
    QObject::connect(bar, &QScrollBar::valueChanged, bar, [this](int value) {
        position_ = value;
        report(value, 0);
    });
    return bar;
}

QScrollBar* ScrollBarControl::bar() const { return qobject_cast<QScrollBar*>(widget_.data()); }

int ScrollBarControl::position() const { return position_; }

std::optional<int> ScrollBarControl::state(int item) const {
    if (item != 0) return std::nullopt;
    return position_;
}

void ScrollBarControl::setRange(int minimum, int maximum, int position) {
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = position;
    if (QScrollBar* b = bar()) {
        const QSignalBlocker quiet(b);
        b->setRange(minimum, maximum);
        // A page is a tenth of the range, at least one step.
        const long long span = static_cast<long long>(maximum) - minimum;
        b->setPageStep(static_cast<int>(std::max(1LL, span / 10)));
        b->setSingleStep(1);
        b->setValue(position);
    }
}

void ScrollBarControl::setPosition(int position) { setRange(minimum_, maximum_, position); }

void ScrollBarControl::moveAsUser(int position) {
    if (QScrollBar* b = bar()) b->setValue(position);  // reported by valueChanged
}

// --- button ---

ButtonControl::ButtonControl(const WorldBox& box, std::string text, int style, int colour)
    : ColouredControl(ButtonKind, box, colour), text_(std::move(text)), style_(style) {}

QWidget* ButtonControl::makeWidget(QWidget* parent) {
    auto* button = new QPushButton(textOf(text_), parent);
    button->setAccessibleName(textOf(text_).remove(QLatin1Char('&')));
    button->setCheckable(style_ != PushStyle);
    paintFace(button, colour_);
    QObject::connect(button, &QPushButton::clicked, button, [this](bool checked) { clicked(checked); });
    return button;
}

QAbstractButton* ButtonControl::button() const { return qobject_cast<QAbstractButton*>(widget_.data()); }

void ButtonControl::clicked(bool checked) {
    switch (style_) {
    case ToggleStyle: report(checked ? 1 : 0, 0); break;
    case LatchStyle:
        if (!checked) {
            // Latched: it stays down until the application lets it up.
            const QSignalBlocker quiet(button());
            button()->setChecked(true);
            return;
        }
        report(1, 0);
        break;
    default: report(1, 0); break;
    }
}

std::optional<int> ButtonControl::state(int item) const {
    if (item != 0 && item != 1) return std::nullopt;
    const QAbstractButton* b = button();
    if (!b) return 0;
    return (style_ == PushStyle ? b->isDown() : b->isChecked()) ? 1 : 0;
}

bool ButtonControl::setState(int state) {
    if (style_ == PushStyle) return false;
    if (QAbstractButton* b = button()) {
        const QSignalBlocker quiet(b);
        b->setChecked(state != 0);
    }
    return true;
}

void ButtonControl::release() {
    if (QAbstractButton* b = button(); b && style_ != PushStyle) {
        const QSignalBlocker quiet(b);
        b->setChecked(false);
    }
}

void ButtonControl::clickAsUser() {
    if (QAbstractButton* b = button()) b->click();
}

void ButtonControl::setColour(int colour) {
    colour_ = colour;
    paintFace(widget_, colour);
}

// --- button group ---

ButtonGroupControl::ButtonGroupControl(const WorldBox& box, std::vector<std::string> texts, int style)
    : ColouredControl(ButtonGroupKind, box, DefaultColour), texts_(std::move(texts)), style_(style) {}

QWidget* ButtonGroupControl::makeWidget(QWidget* parent) {
    auto* frame = new QWidget(parent);
    frame->setAccessibleName(QStringLiteral("Button Group"));
    auto* layout = new QBoxLayout((style_ & GroupVertical) ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    group_ = new QButtonGroup(frame);
    group_->setExclusive(true);
    for (int i = 1; i <= count(); ++i) {
        const QString text = textOf(texts_[static_cast<std::size_t>(i - 1)]);
        QAbstractButton* button = nullptr;
        if (style_ & GroupRadio) {
            button = new QRadioButton(text, frame);
        } else {
            button = new QPushButton(text, frame);
            button->setCheckable(true);
        }
        button->setObjectName(QStringLiteral("Item_%1").arg(i));
        button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(button, 1);
        group_->addButton(button, i);
    }
    group_->button(1)->setChecked(true);  // a group always starts with its first item
    QObject::connect(group_, &QButtonGroup::idClicked, frame, [this](int id) { report(id, id); });
    return frame;
}

QAbstractButton* ButtonGroupControl::item(int item) const { return group_ ? group_->button(item) : nullptr; }

std::optional<int> ButtonGroupControl::state(int item) const {
    if (item < 0 || item > count()) return std::nullopt;
    const int selected = group_ ? std::max(0, group_->checkedId()) : 0;
    if (item == 0) return selected;
    return selected == item ? 1 : 0;
}

void ButtonGroupControl::select(int selected) {
    if (!group_) return;
    const QSignalBlocker quiet(group_);
    if (selected == 0) {
        // An exclusive group cannot be emptied while it is exclusive.
        group_->setExclusive(false);
        for (QAbstractButton* b : group_->buttons()) b->setChecked(false);
        group_->setExclusive(true);
    } else if (QAbstractButton* b = group_->button(selected)) {
        b->setChecked(true);
    }
}

void ButtonGroupControl::clickAsUser(int selected) {
    if (QAbstractButton* b = item(selected)) b->click();
}

void ButtonGroupControl::setColour(int colour) {
    colour_ = colour;
    if (!group_) return;
    for (QAbstractButton* b : group_->buttons()) paintFace(b, colour);
}

// --- lamp ---

LedControl::LedControl(double x, double y, double size, int onColour, int offColour)
    : ColouredControl(LedKind, LampBox(x, y, size), onColour), x_(x), y_(y), size_(size), offColour_(offColour) {}

QWidget* LedControl::makeWidget(QWidget* parent) {
    auto* lamp = new LedLamp(parent);
    lamp->setAccessibleName(QStringLiteral("LED"));
    widget_ = lamp;
    show();
    return lamp;
}

QRectF LedControl::deviceRect(const plotbase::Scaling& scaling) const {
    // Round whatever the scales: the diameter is measured along x.
    const double diameter = std::fabs(scaling.deviceX(x_ + size_) - scaling.deviceX(x_));
    const QPointF centre(scaling.deviceX(x_), scaling.deviceY(y_));
    return QRectF(centre.x() - diameter / 2.0, centre.y() - diameter / 2.0, diameter, diameter);
}

std::optional<int> LedControl::state(int item) const {
    if (item != 0 && item != 1) return std::nullopt;
    return on_ ? 1 : 0;
}

void LedControl::setOn(bool on) {
    on_ = on;
    show();
}

void LedControl::setColour(int colour) {
    colour_ = colour;
    show();
}

void LedControl::show() {
    auto* lamp = qobject_cast<LedLamp*>(widget_.data());
    if (!lamp) return;
    lamp->setLamp(on_, plotbase::detail::colourOf(colour_ == DefaultColour ? 10 : colour_),
                  plotbase::detail::colourOf(offColour_ == DefaultColour ? 8 : offColour_));
}

}  // namespace dynaview
