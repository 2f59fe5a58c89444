// Another program's files that a save replaced while they held nothing to keep: an empty file, or
// one holding a text the calendar knows. A shell's redirect empties the file first and writes a
// moment later (a download, a decryption waiting for its passphrase), into the file it holds open,
// so such a file is never unlinked while its program may still write: it keeps the parking name
// the save gave it and is looked at now and then.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/RescueNote.h"

#include "app/EventFile.h"
#include "platform/TextStream.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {
constexpr int kLookEvery = 500; // milliseconds
// A file left as it was this long after the save holds nothing of its program's.
constexpr auto kWatchedFor = std::chrono::minutes(1);
} // namespace

void CalendarWindow::WatchParked(const std::vector<OutsideChanges::ParkedVersion>& parked) {
    if (parked.empty()) return;
    for (const OutsideChanges::ParkedVersion& file : parked)
        parked_.push_back({file, std::chrono::steady_clock::now()});
    // A closing window's own close notes them for the next start.
    if (!IsOpen()) return;
    if (!ParkedWatchTimer) {
        ParkedWatchTimer = &AddControl(std::make_unique<Timer>(), "ParkedWatchTimer");
        ParkedWatchTimer->SetPeriod(kLookEvery);
        ParkedWatchTimer->OnAction = [this] { ParkedWatchTimer_Action(); };
    }
    ParkedWatchTimer->SetMode(Timer::ModeMultiple);
}

void CalendarWindow::ParkedWatchTimer_Action() {
    LookAtParked(false);
}

void CalendarWindow::LookAtParked(bool closing) {
    const auto now = std::chrono::steady_clock::now();
    const fs::path target = WriteTarget(EventFileItem().Path());
    bool named = false;
    std::erase_if(parked_, [&](WatchedFile& watched) {
        std::optional<fs::path> copy;
        switch (OutsideChanges::LookAgain(watched.parked, target, copy)) {
        case OutsideChanges::ParkedLook::Gone:
            return true;
        case OutsideChanges::ParkedLook::Written:
            // A version of its own, kept and told as any other; one that could not be named is
            // watched on, never removed, and noted at the close.
            if (copy) {
                outsideCopies_.push_back({*copy, true});
                named = true;
                return true;
            }
            watched.since = now;
            break;
        case OutsideChanges::ParkedLook::AsSeen:
            break;
        }
        // Its program may still write it after the calendar has ended: the next start settles it.
        if (closing) {
            RescueNote::KeepParked(watched.parked);
            return true;
        }
        if (now - watched.since < kWatchedFor) return false;
        std::error_code error;
        fs::remove(watched.parked.path, error);
        return true;
    });
    if (parked_.empty() && ParkedWatchTimer) ParkedWatchTimer->SetMode(Timer::ModeOff);
    if (named) TellOutsideCopies();
}
