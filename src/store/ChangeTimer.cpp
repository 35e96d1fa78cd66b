#include "store/ChangeTimer.h"

#include <algorithm>

ChangeTimer::ChangeTimer(int quietMs, int longestMs, std::function<void()> due)
    : quietMs_(quietMs), longestMs_(std::max(quietMs, longestMs)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, due = std::move(due)] {
        first_.invalidate();
        due();
    });
}

void ChangeTimer::changed() {
    if (!first_.isValid())
        first_.start();
    const qint64 left = longestMs_ - first_.elapsed();
    timer_.start(static_cast<int>(std::clamp<qint64>(left, 0, quietMs_)));
}

void ChangeTimer::cancel() {
    timer_.stop();
    first_.invalidate();
}
