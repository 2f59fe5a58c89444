#pragma once
// The event file as the start-up reads it, and what its reader and writer agree on beyond the
// texts in App.h.
#include "platform/Dictionary.h"
#include "platform/FileVersion.h"
#include "platform/FolderItem.h"
#include "platform/Mutex.h"
#include "platform/TextStream.h"

#include <future>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The user's event file, in the Documents folder.
FolderItem EventFileItem();
// The lock beside the event file, ".Calendar.tpc.lock" in the folder of the file that writes
// replace (through symbolic links, unless what they name is something other than a file): copies
// that share the file meet it whatever their configuration folders. Never removed, so that no
// copy ever locks a file another has unlinked.
std::unique_ptr<Mutex> MakeEventFileMutex();

// Whether line is the marker between the to-do items and the events. Only a line that is the
// marker itself counts: a to-do item that merely mentions the words must not hide the events.
// Blanks at its ends and a byte-order mark that an editor put before the first line do not
// count.
bool IsEventsMarker(std::string_view line);
// line without the byte-order mark that an editor may put before a file's first line.
std::string_view WithoutByteOrderMark(std::string_view line);

// A line before the events: "1" or "0" (ticked or not), a Tab, the text.
struct TodoItem {
    bool done = false;
    std::string text;
    bool operator==(const TodoItem&) const = default;
};

// The event lines of a file, read and checked but not yet in the store, and its to-do items.
struct EventFileLines {
    std::optional<WholeFile> file;          // none when there is no file
    std::optional<FileVersion> version;     // of the file read, to tell another's change of it
    std::vector<TodoItem> todo;             // the lines before the marker; all, without one
    bool notAFile = false;                  // a folder, a pipe or a device in the file's place
    std::vector<Dictionary::Entry> entries; // views into the file's text, in the file's order
    bool keysRise = true;                   // every entry's key sorts after the one before
    std::string countdown;                  // the start of the last countdown line, if any
    std::vector<std::string> refused;       // the lines without a date-time, in the file's order
};

// Reads and checks the event lines of the file at path. It touches nothing else, so it may run
// beside the rest of the start-up; raises IOException when the file is there but unreadable.
// Something other than a file in its place is not read (a pipe would keep the reader waiting).
EventFileLines ReadEventFile(const FolderItem& item);
// Reads the user's event file on a thread of its own. A reader that holds the single-instance
// lock first removes what writes of the file that never finished (a killed copy) left beside
// it: no other copy can be writing there.
std::future<EventFileLines> StartReadingEventFile(bool lockHeld);

// The event file's text without the event lines its reader skips; every other line stays as it
// was, byte for byte, its end included.
std::string WithoutSkippedLines(std::string_view text);
// Where the lines the reader skipped are kept: a file of their own beside the event file, which
// each start that skips lines adds to.
FolderItem SkippedLinesItem(const FolderItem& eventFile);
// How a move of the skipped lines ended.
enum class SkippedLinesMove {
    Moved,       // into their own file and out of the event file
    KeptBefore,  // out of the event file: an earlier start had put them into their file
    FileChanged, // the event file is no longer the one read; the lines stay there
    Failed,      // a file could not be written whole; the lines stay in the event file
};
// Moves the skipped lines out of the event file as it was read into SkippedLinesItem, so that
// they are told of once. Unless the lines moved, the event file is as it was, and the file of
// skipped lines too, or holding the lines already, which the next move recognises: a line is
// never kept twice for one line of the event file. written, when given, receives the version of
// the event file written.
SkippedLinesMove MoveSkippedLines(const FolderItem& eventFile, const WholeFile& read,
                                  std::span<const std::string> skipped,
                                  std::optional<FileVersion>* written = nullptr);
