#include "mainwindow/eventfile/WriteWait.h"

bool WriteWait::Sleep(Clock::duration step) const {
    std::unique_lock lock(mutex_);
    return !woken_.wait_for(lock, step, [this] { return cut_; });
}

void WriteWait::CutShort() {
    {
        const std::lock_guard lock(mutex_);
        cut_ = true;
    }
    woken_.notify_all();
}
