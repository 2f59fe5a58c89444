#include "mainwindow/eventfile/WriteWait.h"

#include <algorithm>

bool WriteWait::Sleep(Clock::duration step) const {
    std::unique_lock lock(mutex_);
    if (cut_ || sleepsLeft_ == 0) return false;
    if (sleepsLeft_ > 0) --sleepsLeft_;
    return !woken_.wait_for(lock, step, [this] { return cut_; });
}

void WriteWait::EndAfter(int sleeps) {
    const std::lock_guard lock(mutex_);
    sleepsLeft_ = sleepsLeft_ < 0 ? sleeps : std::min(sleepsLeft_, sleeps);
}

void WriteWait::CutShort() {
    {
        const std::lock_guard lock(mutex_);
        cut_ = true;
    }
    woken_.notify_all();
}
