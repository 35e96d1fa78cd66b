#pragma once

// Work that follows changes: done a quiet moment after the last change, and while the changes go
// on without a pause, no later than a longest wait after the first change not yet followed. Runs
// on the event loop of the thread that makes it.

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

class ChangeTimer {
public:
    ChangeTimer(int quietMs, int longestMs, std::function<void()> due);

    // Called for every change; cheap enough for every keystroke.
    void changed();
    // The change is followed otherwise (saved, given up): nothing is due.
    void cancel();
    bool pending() const { return timer_.isActive(); }
    // Lives as long as the timer: a receiver of the changes' signals that goes with it.
    QObject* context() { return &timer_; }

private:
    QTimer timer_;
    QElapsedTimer first_; // since the first change not yet followed
    const int quietMs_;
    const int longestMs_;
};
