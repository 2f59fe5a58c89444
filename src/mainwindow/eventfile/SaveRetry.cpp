// Writing the event file again after a failed write (a full disk, a file made read-only for a
// while), so that a change the user was told of reaches the disk once it can, without a further
// change or a quit: a crash in between would lose it.
#include "mainwindow/frame/CalendarWindow.h"

#include <algorithm>

namespace {
constexpr int kFirstRetryWait = 2000;
// A disk full for hours is retried twice a minute, never in a busy loop; what waits lives only in
// memory, so room that comes back is used soon.
constexpr int kLongestRetryWait = 30 * 1000;
} // namespace

void CalendarWindow::RetrySavingLater(bool again) {
    if (!IsOpen()) return;
    if (!SaveRetryTimer) {
        SaveRetryTimer = &AddControl(std::make_unique<Timer>(), "SaveRetryTimer");
        SaveRetryTimer->SetMode(Timer::ModeOff);
        SaveRetryTimer->OnAction = [this] { SaveRetryTimer_Action(); };
    }
    saveRetryWait_ = saveRetryWait_ == 0 || !again
                         ? kFirstRetryWait
                         : std::min(saveRetryWait_ * 2, kLongestRetryWait);
    SaveRetryTimer->SetPeriod(saveRetryWait_);
    SaveRetryTimer->SetMode(Timer::ModeSingle);
}

void CalendarWindow::StopRetryingSave() {
    saveRetryWait_ = 0;
    if (SaveRetryTimer) SaveRetryTimer->SetMode(Timer::ModeOff);
}

void CalendarWindow::SaveRetryTimer_Action() {
    // A write under way arms the next retry itself if it fails.
    if (eventFileWriter_.Busy()) return;
    if (EventFileIsCurrent()) {
        StopRetryingSave();
        return;
    }
    retryingSave_ = true;
    StartSavingEvents();
}
