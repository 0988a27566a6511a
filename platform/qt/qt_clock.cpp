#include "platform/qt/qt_clock.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace platform {

namespace {

class QtTimer : public Timer {
public:
    QtTimer(TimerKind kind, TimerCallback callback) : callback_(std::move(callback)) {
        timer_.setSingleShot(kind == TimerKind::SingleShot);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            // Copy: the callback may destroy this timer.
            TimerCallback callback = callback_;
            if (callback) callback();
        });
    }
    void start(std::uint32_t intervalMs) override {
        interval_ = intervalMs;
        timer_.start(static_cast<int>(std::min<std::uint32_t>(intervalMs, 0x7FFFFFFF)));
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    std::uint32_t intervalMs() const override { return interval_; }

private:
    QTimer timer_;
    TimerCallback callback_;
    std::uint32_t interval_ = 0;
};

}  // namespace

std::uint32_t QtClock::tickCount() const {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::unique_ptr<Timer> QtClock::createTimer(TimerKind kind, TimerCallback callback) {
    return std::make_unique<QtTimer>(kind, std::move(callback));
}

void QtClock::delay(std::uint32_t ms) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace platform
