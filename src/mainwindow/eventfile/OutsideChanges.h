#pragma once
// The event file changed by another program while the calendar runs (an editor, a sync tool, a
// second session): before the calendar writes its own text over it, a version whose text the
// calendar never read or wrote is kept beside it, under a name of its own that nothing
// overwrites.
#include "mainwindow/eventfile/VersionWatch.h"
#include "mainwindow/eventfile/WriteWait.h"
#include "mainwindow/glance/EventFileFormat.h"
#include "platform/Date.h"
#include "platform/FileVersion.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace OutsideChanges {

// Whether the event file on disk is the version known (the calendar's last read or write).
// Something other than a regular file there (a folder, a pipe) counts as known only while no
// version is: what a start found there is left alone until something changes.
bool IsKnownVersion(const FolderItem& item, const std::optional<FileVersion>& known);

// Whether the event file still holds the known version's text, though it may be another file
// now (touched, or made read-only); true when no version is known.
bool HoldsKnownText(const FolderItem& item, const std::optional<FileVersion>& known);

// How long a write waits for a file that goes on changing before it is put off, while the
// calendar runs.
inline constexpr std::chrono::seconds kLongestWait{4};

struct Written {
    bool ok = false;
    // The system's reason when the write failed; EBUSY when it was put off, the file not settling
    // within the wait (another program was still writing it).
    int error = 0;
    std::optional<FileVersion> version;               // of the file written
    std::vector<std::filesystem::path> outsideCopies; // where another program's versions went
    std::vector<ParkedVersion> parked; // its files replaced while they held nothing to keep
    // A failed write's file that was there, moved aside and not put back: the last saved text
    // under a parking name, with no file at the event file's name.
    std::optional<std::filesystem::path> stranded;
};

// Writes the event file as EventFileFormat::Write does. A version of the file there that the
// calendar does not know, that is not empty and holds text of its own, is waited for until it
// settles and copied whole beside the file first: before the text is written, once it is on
// disk, and at the rename, which exchanges the files. A copy that cannot be made, or a file that
// goes on changing for longer than wait allows, stops the write (nothing of either version is
// lost); a write that fails removes the copies of versions the file there still is.
Written Write(const FolderItem& item, const std::optional<FileVersion>& known,
              const std::vector<EventFileFormat::TodoItem>& todo,
              std::span<const Dictionary::Entry> events, std::span<const std::string> kept,
              const WriteWait& wait);

// The name of the copy of the file at target made at when: "Calendar (changed outside the
// calendar 2026-12-07 11.45.12).tpc", with " 2", " 3" and so on before the extension after the
// first.
std::string CopyName(const std::filesystem::path& target, const Date& when, int number);

// Tells the user in one message, and standard error, where the other program's versions of item
// were kept; saved: whether the calendar's own text took the file's place after them.
void TellOutsideCopies(const FolderItem& item, std::span<const std::filesystem::path> copies,
                       bool saved);

// Tells the user, and standard error, that a failed write could not put the file it had moved
// aside back at item's name: the file is given a rescue file's name, which the message names.
void TellStranded(const FolderItem& item, const std::filesystem::path& stranded);

} // namespace OutsideChanges
