#include "mainwindow/glance/OutsideChanges.h"

#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "platform/Dialogs.h"
#include "platform/FileCopy.h"
#include "platform/FileProblem.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <cerrno>

namespace fs = std::filesystem;

namespace OutsideChanges {

namespace {
enum class Kept { Nothing, Copied, Failed };

// Whether the file with identity holds a known text, though it is another file: touched, or
// written back the same. Only a file of a known text's size is read for it.
bool HoldsAKnownText(const fs::path& target, const FileIdentity& identity,
                     std::span<const FileVersion> known, std::optional<FileVersion>& found) {
    if (std::ranges::none_of(known, [&](const FileVersion& version) {
            return version.identity.size == identity.size;
        }))
        return false;
    const std::optional<FileVersion> read = ReadFileVersion(target);
    if (!read || read->identity != identity) return false;
    found = read;
    return std::ranges::any_of(known, [&](const FileVersion& version) {
        return version.contentHash == read->contentHash;
    });
}

// Keeps another program's version of the file beside it, unless the file is one of the versions
// known, is empty (the calendar's text goes back in) or holds a known text (it was only touched,
// or written back the same). found receives the version that stood there; copies, the copy made;
// error, why it could not be kept. The file is copied a piece at a time, whatever its size, and
// taken again when it changed while it was copied.
Kept KeepOutsideVersion(const fs::path& target, std::span<const FileVersion> known,
                        std::optional<FileVersion>& found, std::vector<fs::path>& copies,
                        int& error) {
    constexpr int kMostCopies = 999;
    constexpr int kMostTakes = 10;
    for (int take = 0; take < kMostTakes; ++take) {
        found.reset();
        const std::optional<FileIdentity> identity = FileIdentity::At(target);
        if (!identity) return Kept::Nothing;
        for (const FileVersion& version : known)
            if (version.identity == *identity) {
                found = version;
                return Kept::Nothing;
            }
        if (identity->size == 0) {
            found = FileVersion{*identity, ContentHash::Of({})};
            return Kept::Nothing;
        }
        if (HoldsAKnownText(target, *identity, known, found)) return Kept::Nothing;
        const Date now;
        const FileCopy copy = CopyWholeUnderFreeName(
            target, *identity, [&](int number) { return CopyName(target, now, number); },
            kMostCopies);
        if (copy.path) {
            found = copy.version;
            copies.push_back(*copy.path);
            return Kept::Copied;
        }
        if (copy.error != 0) {
            error = copy.error;
            LogProblem("could not keep the version another program wrote beside it (" +
                           FileProblem(target, error) + ")",
                       target);
            return Kept::Failed;
        }
    }
    error = EBUSY;
    LogProblem("could not keep the version another program wrote beside it: it kept changing",
               target);
    return Kept::Failed;
}
} // namespace

bool IsKnownVersion(const FolderItem& item, const std::optional<FileVersion>& known) {
    // Something else in the place of a file the calendar read or wrote is not its version: the
    // next write tries, and tells why it cannot.
    const std::optional<FileIdentity> identity = FileIdentity::At(item.Path());
    return identity ? known && *identity == known->identity : !known;
}

bool HoldsKnownText(const FolderItem& item, const std::optional<FileVersion>& known) {
    if (!known) return true;
    const fs::path target = WriteTarget(item.Path());
    const std::optional<FileIdentity> identity = FileIdentity::At(target);
    if (!identity) return false;
    std::optional<FileVersion> found;
    return *identity == known->identity ||
           HoldsAKnownText(target, *identity, std::span(&*known, 1), found);
}

Written Write(const FolderItem& item, const std::optional<FileVersion>& known,
              const std::vector<EventFileFormat::TodoItem>& todo,
              std::span<const Dictionary::Entry> events, std::span<const std::string> kept) {
    Written written;
    if (!item) return written;
    const fs::path target = WriteTarget(item.Path());
    std::vector<FileVersion> versions;
    if (known) versions.push_back(*known);
    std::optional<FileVersion> found;
    if (KeepOutsideVersion(target, versions, found, written.outsideCopies, written.error) ==
        Kept::Failed)
        return written;
    // Another program may change the file while the text is made and written, which for a large
    // file takes seconds: it is looked at again once the text is on disk, and what came in the
    // meantime is kept too. The rename itself is the only moment left unwatched.
    if (found) versions.push_back(*found);
    const auto keepLateChange = [&] {
        std::optional<FileVersion> late;
        return KeepOutsideVersion(target, versions, late, written.outsideCopies, written.error) !=
               Kept::Failed;
    };
    errno = 0;
    written.ok = EventFileFormat::Write(item, todo, events, kept, &written.version, keepLateChange);
    if (!written.ok) {
        if (written.error == 0) written.error = errno;
        // The file there was left as it was: the next write keeps it again if it must.
        std::error_code error;
        for (const fs::path& copy : std::exchange(written.outsideCopies, {}))
            fs::remove(copy, error);
    }
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

void TellOutsideCopy(const FolderItem& item, const fs::path& copy) {
    LogProblem("changed by another program; that version was kept in " + copy.string(),
               item.Path());
    MsgBox("Your event file " + item.Path().string() +
           " was changed by another program while the calendar was open. The calendar saved its "
           "events and to-do items there and kept the other program's version in " +
           copy.string() + ".");
}

} // namespace OutsideChanges

void CalendarWindow::TakeWrite(const OutsideChanges::Written& written) {
    if (written.ok) App().eventFileVersion = written.version;
    outsideCopies_.insert(outsideCopies_.end(), written.outsideCopies.begin(),
                          written.outsideCopies.end());
}

void CalendarWindow::TellOutsideCopies() {
    // Not while a to-do item is typed: told after the next write, or when the window closes.
    if (TodoList->ActiveCell()) return;
    // Taken first: a message runs the event loop, where the next write may end and tell.
    for (const fs::path& copy : std::exchange(outsideCopies_, {}))
        OutsideChanges::TellOutsideCopy(EventFileItem(), copy);
}
