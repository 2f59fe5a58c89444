#include "mainwindow/glance/OutsideChanges.h"

#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "platform/Dialogs.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace OutsideChanges {

namespace {
enum class Kept { Nothing, Copied, Failed };

// Writes text whole into a new file at path, which must not exist yet; false when it does, with
// exists set, or when the file could not be made whole (nothing is left then).
bool WriteNewFile(const fs::path& path, std::string_view text, fs::perms mode, bool& exists) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          static_cast<mode_t>(mode & fs::perms::all));
    exists = fd < 0 && errno == EEXIST;
    if (fd < 0) return false;
    bool ok = true;
    while (ok && !text.empty()) {
        const ssize_t count = ::write(fd, text.data(), text.size());
        if (count < 0 && errno == EINTR) continue;
        ok = count > 0;
        if (ok) text.remove_prefix(static_cast<size_t>(count));
    }
    // The copy is the only one of that version once the calendar's write replaces the file.
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ::unlink(path.c_str());
    return ok;
}

// Keeps another program's version of the file beside it, unless the file is the known version,
// is empty (the calendar's text goes back in) or holds the known text (it was only touched, or
// written back the same).
Kept KeepOutsideVersion(const fs::path& target, const std::optional<FileVersion>& known,
                        fs::path& copy) {
    const std::optional<FileIdentity> identity = FileIdentity::At(target);
    if (!identity || identity->size == 0 || (known && known->identity == *identity))
        return Kept::Nothing;
    const std::optional<WholeFile> file = ReadWholeFile(FolderItem(target));
    if (!file) {
        LogProblem("could not read the version another program wrote", target);
        return Kept::Failed;
    }
    if (file->size == 0 || (known && ContentHash::Of(file->View()) == known->contentHash))
        return Kept::Nothing;
    // The copy allows what the file allowed; a private file stays private.
    std::error_code unknown;
    fs::perms mode = fs::status(target, unknown).permissions();
    if (unknown) mode = fs::perms::owner_read | fs::perms::owner_write;
    const Date now;
    for (int number = 1; number < 1000; ++number) {
        copy = target.parent_path() / CopyName(target, now, number);
        bool exists = false;
        if (WriteNewFile(copy, file->View(), mode, exists)) return Kept::Copied;
        if (!exists) break;
    }
    LogProblem(std::string("could not keep the version another program wrote (") +
                   std::strerror(errno) + ") in " + copy.string(),
               target);
    return Kept::Failed;
}
} // namespace

bool IsKnownVersion(const FolderItem& item, const std::optional<FileVersion>& known) {
    const std::optional<FileIdentity> identity = FileIdentity::At(item.Path());
    return known && identity && *identity == known->identity;
}

Written Write(const FolderItem& item, const std::optional<FileVersion>& known,
              const std::vector<EventFileFormat::TodoItem>& todo,
              std::span<const Dictionary::Entry> events, std::span<const std::string> kept) {
    Written written;
    if (!item) return written;
    fs::path copy;
    const Kept outside = KeepOutsideVersion(WriteTarget(item.Path()), known, copy);
    if (outside == Kept::Failed) return written;
    written.ok = EventFileFormat::Write(item, todo, events, kept, &written.version);
    if (outside == Kept::Copied) {
        std::error_code error;
        if (written.ok)
            written.outsideCopy = copy;
        else
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
    if (written.outsideCopy) outsideCopies_.push_back(*written.outsideCopy);
}

void CalendarWindow::TellOutsideCopies() {
    // Not while a to-do item is typed: told after the next write, or when the window closes.
    if (TodoList->ActiveCell()) return;
    // Taken first: a message runs the event loop, where the next write may end and tell.
    for (const fs::path& copy : std::exchange(outsideCopies_, {}))
        OutsideChanges::TellOutsideCopy(EventFileItem(), copy);
}
