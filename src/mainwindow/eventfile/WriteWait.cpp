#include "mainwindow/eventfile/WriteWait.h"

#include <algorithm>

bool WriteWait::Sleep(Clock::duration step) const {
    const Clock::time_point until = Clock::now() + step;
    std::unique_lock lock(mutex_);
    return !woken_.wait_until(lock, until, [&] { return until > endBy_; });
}

void WriteWait::EndWithin(Clock::duration left) {
    {
        const std::lock_guard lock(mutex_);
        endBy_ = std::min(endBy_, Clock::now() + left);
    }
    woken_.notify_all();
}
