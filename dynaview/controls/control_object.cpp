#include "dynaview/controls/control_object.h"

#include "dynaview/frame/type_sizes.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/environment.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace dynaview {

namespace {

// The graph procedure's message for a control: one past plotbase's own kinds (the C
// interface's DV_MSG_CONTROL), which the kind's range holds.
constexpr auto ControlChanged = static_cast<plotbase::WindowMessage::Kind>(DV_MSG_CONTROL);
static_assert(DV_MSG_CONTROL == plotbase::WindowMessage::KeyPress + 1);

int reportDepth = 0;  // back to 0 whenever no report is running

struct ReportScope {
    ReportScope() { ++reportDepth; }
    ~ReportScope() { --reportDepth; }
    ReportScope(const ReportScope&) = delete;
    ReportScope& operator=(const ReportScope&) = delete;
};

}  // namespace

ControlObject::ControlObject(ControlKind kind, const WorldBox& box) : DynObject(ControlType, kind), box_(box) {}

ControlObject::~ControlObject() {
    if (follower_) follower_->forget();
    if (!widget_) return;
    if (reporting()) {
        // The widget may be inside its own signal (the user's click that led here): out of
        // the graph window, which may go at once, and deleted once that signal is over.
        widget_->hide();
        widget_->setParent(nullptr);
        widget_->deleteLater();
    } else {
        delete widget_.data();
    }
}

bool ControlObject::reporting() { return reportDepth > 0; }

bool ControlObject::attach(plotbase::Environment& env, int graph, int index) {
    QWidget* graphWindow = plotbase::WGGetGraphWindow(env, graph);
    if (!graphWindow) return false;
    env_ = &env;
    graph_ = graph;
    index_ = index;
    widget_ = makeWidget(graphWindow);
    widget_->setObjectName(QStringLiteral("%1_%2").arg(nameOf()).arg(index));
    follower_ = new ControlFollower(*this, graphWindow);
    follower_->setParent(widget_);
    follow();
    widget_->show();
    return true;
}

QRectF ControlObject::deviceRect(const plotbase::Scaling& scaling) const {
    const double x1 = scaling.deviceX(box_.left);
    const double x2 = scaling.deviceX(box_.left + box_.width);
    const double y1 = scaling.deviceY(box_.top);
    const double y2 = scaling.deviceY(box_.top - box_.height);
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}

void ControlObject::follow() {
    if (!widget_ || !env_) return;
    const std::optional<plotbase::Scaling> scaling = plotbase::WGGetScaling(*env_, graph_);
    if (!scaling) return;
    const QRectF r = deviceRect(*scaling);
    // Far outside any window (a world box far off the scale) is kept within reach of int.
    auto pixel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1.0e6, 1.0e6))); };
    const QRect placed(pixel(r.left()), pixel(r.top()), std::max(1, pixel(r.width())), std::max(1, pixel(r.height())));
    if (placed != widget_->geometry()) widget_->setGeometry(placed);
}

void ControlObject::paint(QPainter& painter, const plotbase::DrawContext& context) {
    QWidget* w = widget_.data();
    if (!w) return;
    if (auto* graphWindow = qobject_cast<plotbase::GraphWidget*>(w->parentWidget());
        graphWindow && painter.device() == static_cast<const QPaintDevice*>(&graphWindow->picture())) {
        // The window's own picture: the widget lies over it. A paint follows every change
        // of scale, so this is where a rescale is noticed.
        if (follower_) follower_->followLater();
        return;
    }
    const QRectF target = deviceRect(context.scaling);
    if (target.isEmpty() || w->width() < 1 || w->height() < 1) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / w->width(), target.height() / w->height());
    w->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

void ControlObject::report(double value, int item) const {
    if (!env_ || !env_->graphProcedure) return;
    plotbase::WindowMessage message;
    message.kind = ControlChanged;
    message.button = index_;
    message.x = value;
    message.y = item;
    // A copy: the procedure may delete this control or replace itself.
    const plotbase::GraphProcedure procedure = env_->graphProcedure;
    plotbase::Environment& env = *env_;
    const int graph = graph_;
    ReportScope scope;
    try {
        procedure(env, graph, message);
    } catch (...) {
        // Nothing may travel back into Qt's event handling.
    }
}

ControlFollower::ControlFollower(ControlObject& control, QWidget* graphWindow) : control_(&control), graphWindow_(graphWindow) {
    graphWindow->installEventFilter(this);
}

void ControlFollower::followLater() {
    if (queued_) return;
    queued_ = true;
    QTimer::singleShot(0, this, [this] {
        queued_ = false;
        if (control_) control_->follow();
    });
}

bool ControlFollower::eventFilter(QObject* watched, QEvent* event) {
    if (watched == graphWindow_ && event->type() == QEvent::Resize && control_) control_->follow();
    return false;
}

}  // namespace dynaview
