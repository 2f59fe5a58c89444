#pragma once
// What a quit told only on standard error (the quit of a logout or of the X server's end, which
// no message box outlives) is named in a note beside the preferences, which the next start tells
// once: rescue files, and the copies of another program's versions of the event file. Files of
// another program's that a save replaced and that may still have been written when the calendar
// ended are noted too, for the next start to settle.
#include "mainwindow/glance/VersionWatch.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace RescueNote {

// Adds the rescue file to the note.
void Keep(const std::filesystem::path& rescue);
// Adds a copy of another program's version of the event file, kept beside it, to the note.
void KeepCopy(const std::filesystem::path& copy);
// Adds a file that a save replaced and that a program may still write to the note, for the next
// start to settle (OutsideChanges::SettleParked).
void KeepParked(const OutsideChanges::ParkedVersion& parked);

// Settles the parked files of the last runs, those the note names and any other beside the event
// file; those a program may still write go to watch (or stay noted without it). Then tells, in
// one message, where the files that the note names and that are still there are; once the
// message is answered (not ended by a quit), takes its lines out of the note.
void TellOnce(
    const std::function<void(const std::vector<OutsideChanges::ParkedVersion>&)>& watch = {});

} // namespace RescueNote
