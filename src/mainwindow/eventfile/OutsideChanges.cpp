#include "mainwindow/eventfile/OutsideChanges.h"
#include "mainwindow/eventfile/RescueFile.h"
#include "mainwindow/eventfile/RescueNote.h"
#include "mainwindow/eventfile/VersionWatch.h"

#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "platform/Dialogs.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <cerrno>

namespace fs = std::filesystem;

namespace OutsideChanges {

bool IsKnownVersion(const FolderItem& item, const std::optional<FileVersion>& known) {
    // Something else in the place of a file the calendar read or wrote is not its version: the
    // next write tries, and tells why it cannot.
    const std::optional<FileIdentity> identity = FileIdentity::At(item.Path());
    return identity ? known && IsVersion(item.Path(), *identity, *known) : !known;
}

bool HoldsKnownText(const FolderItem& item, const std::optional<FileVersion>& known) {
    if (!known) return true;
    const fs::path target = WriteTarget(item.Path());
    const std::optional<FileIdentity> identity = FileIdentity::At(target);
    if (!identity) return false;
    std::optional<FileVersion> found;
    return IsVersion(target, *identity, *known) ||
           HoldsAKnownText(target, *identity, std::span(&*known, 1), found);
}

Written Write(const FolderItem& item, const std::optional<FileVersion>& known,
              const std::vector<EventFileFormat::TodoItem>& todo,
              std::span<const Dictionary::Entry> events, std::span<const std::string> kept,
              const WriteWait& wait) {
    Written written;
    if (!item) return written;
    // Another program may change the file while the text is made and written, which for a large
    // file takes seconds: it is looked at before, and again once the text is on disk; the
    // rename exchanges the files, so that what came at the rename itself is kept too.
    VersionWatch watch(WriteTarget(item.Path()), known, wait);
    errno = 0;
    written.ok =
        watch.Settle() &&
        EventFileFormat::Write(
            item, todo, events, kept, &written.version, [&] { return watch.ReadyToRename(); },
            [&](const fs::path& replaced, TextOutputStream::Replaced how) {
                watch.KeepReplaced(replaced, how);
            });
    if (!written.ok) written.error = watch.Error() ? watch.Error() : errno;
    written.outsideCopies = watch.TakeCopies(written.ok);
    written.parked = watch.TakeParked();
    written.stranded = watch.TakeStranded();
    return written;
}

std::string CopyName(const fs::path& target, const Date& when, int number) {
    // Never hidden, so that it is seen, and never taken for a temporary file of a write.
    std::string stem = target.stem().string();
    stem.erase(0, stem.find_first_not_of('.'));
    if (stem.empty()) stem = "Calendar";
    std::string name =
        stem + " (changed outside the calendar " + ReplaceAll(when.SQLDateTime(), ":", ".") + ")";
    if (number > 1) name += " " + std::to_string(number);
    return name + target.extension().string();
}

void TellOutsideCopies(const FolderItem& item, std::span<const fs::path> copies, bool saved) {
    if (copies.empty()) return;
    std::string where;
    for (size_t at = 0; at < copies.size(); ++at) {
        LogProblem("changed by another program; that version was kept in " + copies[at].string(),
                   item.Path());
        where += (at == 0 ? "" : at + 1 == copies.size() ? " and " : ", ") + copies[at].string();
    }
    RescueNote::UntilAnswered owed;
    for (const fs::path& copy : copies)
        owed.KeepCopy(copy);
    MsgBox("Your event file " + item.Path().string() +
           " was changed by another program while the calendar was open. " +
           (saved ? "The calendar saved its events and to-do items there and kept the other "
                    "program's "
                  : "The calendar kept the other program's ") +
           (copies.size() == 1 ? "version in " : "versions in ") + where + ".");
    owed.MessageReturned();
}

void TellStranded(const FolderItem& item, const fs::path& stranded) {
    const fs::path named = RescueFile::NameBeside(stranded);
    LogProblem("could not be put back after a failed save; what it held is in " + named.string(),
               item.Path());
    RescueNote::UntilAnswered owed;
    owed.Keep(named);
    MsgBox("Your event file " + item.Path().string() +
           " could not be put back after a failed save. What it held is in " + named.string() +
           ".");
    owed.MessageReturned();
}

} // namespace OutsideChanges

void CalendarWindow::TakeWrite(const OutsideChanges::Written& written) {
    if (written.stranded) OutsideChanges::TellStranded(EventFileItem(), *written.stranded);
    if (written.ok) App().eventFileVersion = written.version;
    for (const fs::path& copy : written.outsideCopies)
        outsideCopies_.push_back({copy, written.ok});
    WatchParked(written.parked);
}

void CalendarWindow::TellOutsideCopies() {
    // Not while a to-do item is typed: told after the next write, or when the window closes. Not
    // while a write is under way either, nor from the loop of the message itself: one change's
    // writes are told in one message, once the last has ended.
    if (TodoList->ActiveCell() || eventFileWriter_.Busy() || tellingOutsideCopies_) return;
    tellingOutsideCopies_ = true;
    // Taken first: a message runs the event loop, where the next write may end and tell. One
    // message for all the copies of a burst of another program's versions, saved when the
    // calendar's text took the file's place after any of them.
    const std::vector<OutsideCopy> copies = std::exchange(outsideCopies_, {});
    std::vector<fs::path> paths;
    for (const OutsideCopy& copy : copies)
        paths.push_back(copy.path);
    OutsideChanges::TellOutsideCopies(
        EventFileItem(), paths,
        std::ranges::any_of(copies, [](const OutsideCopy& copy) { return copy.saved; }));
    tellingOutsideCopies_ = false;
}
