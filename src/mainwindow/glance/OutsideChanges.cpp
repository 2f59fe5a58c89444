#include "mainwindow/glance/OutsideChanges.h"

#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "platform/Dialogs.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

namespace fs = std::filesystem;

namespace OutsideChanges {

namespace {
enum class Kept { Nothing, Copied, Failed };

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
    const Date now;
    const auto written = WriteNewFileUnderFreeName(
        target.parent_path(), [&](int number) { return CopyName(target, now, number); },
        file->View(), 999);
    if (written) {
        copy = *written;
        return Kept::Copied;
    }
    LogProblem("could not keep the version another program wrote beside it", target);
    return Kept::Failed;
}
} // namespace

bool IsKnownVersion(const FolderItem& item, const std::optional<FileVersion>& known) {
    const std::optional<FileIdentity> identity = FileIdentity::At(item.Path());
    return !identity || (known && *identity == known->identity);
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
