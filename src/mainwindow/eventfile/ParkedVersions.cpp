// Files that a save replaced and that a program may still write: another program's holding nothing
// to keep yet (an empty file, or a text the calendar knows), or the calendar's own that an append
// opened before the save holds. A shell's redirect empties the file first and writes a moment
// later (a download, a decryption waiting for its passphrase), into the file it holds open, so
// such a file is never unlinked while its program may still write: it keeps the parking name the
// save gave it and is looked at every half second until it settles.
#include "mainwindow/eventfile/RescueNote.h"
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "app/EventFile.h"
#include "platform/SteadyNow.h"
#include "platform/TextStream.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {
constexpr int kLookEvery = 500; // milliseconds
// Where a writer on another machine cannot be seen, a file left as it was this long holds nothing
// of its program's.
constexpr auto kWatchedFor = std::chrono::minutes(1);
} // namespace

void CalendarWindow::WatchParked(const std::vector<OutsideChanges::ParkedVersion>& parked) {
    if (parked.empty()) return;
    // Noted at once with what each held: a kill leaves the next start knowing that a file nobody
    // wrote since holds nothing of another program's.
    for (const OutsideChanges::ParkedVersion& file : parked) {
        parked_.push_back({file, SteadyNow()});
        RescueNote::KeepParked(file);
    }
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
    const auto now = SteadyNow();
    const fs::path target = WriteTarget(EventFileItem().Path());
    const std::optional<FileVersion>& written = App().eventFileVersion;
    const std::span<const FileVersion> known =
        written ? std::span(&*written, 1) : std::span<const FileVersion>();
    bool named = false;
    std::erase_if(parked_, [&](WatchedFile& watched) {
        const OutsideChanges::ParkedLook found = OutsideChanges::SettleParked(
            watched.parked, target, known, now - watched.since >= kWatchedFor);
        if (found.kind != OutsideChanges::ParkedLook::Watched)
            RescueNote::ForgetParked(watched.parked.path);
        switch (found.kind) {
        case OutsideChanges::ParkedLook::Named:
            // A version of its own, kept and told as any other.
            outsideCopies_.push_back({*found.copy, true});
            named = true;
            return true;
        case OutsideChanges::ParkedLook::Gone:
        case OutsideChanges::ParkedLook::Removed:
            return true;
        case OutsideChanges::ParkedLook::Watched:
            break;
        }
        if (found.now.seen != watched.parked.seen || found.now.held != watched.parked.held) {
            watched = {found.now, found.changed ? now : watched.since};
            RescueNote::KeepParked(watched.parked);
        }
        // Its program may still write it after the calendar has ended: the next start settles it,
        // as the note has it.
        return closing;
    });
    if (parked_.empty() && ParkedWatchTimer) ParkedWatchTimer->SetMode(Timer::ModeOff);
    if (named) TellOutsideCopies();
}
