#pragma once
// Rescue files, the copies of another program's versions of the event file and the file of event
// lines the start-up moved aside are named in a note (NotePlaces) before their message shows, and
// taken out once it is answered: what a logout or the X server's end cut off (or told on standard
// error only) the next start tells once. Files of another program's that a save replaced and that
// may still have been written when the calendar ended are noted too, for the next start to settle.
#include "mainwindow/eventfile/VersionWatch.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace RescueNote {

// Notes a file that a save replaced and that a program may still write, with what it held when
// seen, for the next start to settle (OutsideChanges::SettleParked); its line replaces any earlier
// one of the same file.
void KeepParked(const OutsideChanges::ParkedVersion& parked);
// Takes the line of a parked file out of the note once it is settled.
void ForgetParked(const std::filesystem::path& path);

// What a message is about to tell that must outlive it (a rescue file, a copy kept beside the
// event file) is noted before it shows: whatever ends the program meanwhile (a logout's signal,
// the X server's end) leaves it for the next start. Its lines go once the message is answered.
class UntilAnswered {
  public:
    void Keep(const std::filesystem::path& rescue);
    void KeepCopy(const std::filesystem::path& copy);
    void KeepSkipped(const std::filesystem::path& skipped);
    // The rescue file went (the event file was written after all): nothing to tell of it.
    void Forget(const std::filesystem::path& rescue);
    // The message has returned: answered, unless a signal's quit came first or meanwhile (its
    // text then went to standard error only).
    void MessageReturned();

  private:
    void Add(std::string line);
    std::vector<std::string> lines_;
};

// Settles the parked files of the last runs, those the note names and any other beside the event
// file; those a program may still write go to watch (or stay noted without it). Then tells, in
// one message, where the files that the note names and that are still there are; once the
// message is answered (not ended by a quit), takes its lines out of the note.
void TellOnce(
    const std::function<void(const std::vector<OutsideChanges::ParkedVersion>&)>& watch = {});

} // namespace RescueNote
