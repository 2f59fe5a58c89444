// Reading the user's events from the event file into the event store.
#include "app/EventFile.h"

#include "app/App.h"
#include "mainwindow/eventfile/RescueNote.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FileProblem.h"
#include "platform/FolderItem.h"
#include "platform/InParts.h"
#include "platform/LargePages.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <future>
#include <iterator>
#include <numeric>
#include <span>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {
constexpr size_t kSQLDateTimeLength = 19;

// Takes the to-do items off the front of text; false when no events follow.
bool SkipToEvents(std::string_view& text) {
    while (!text.empty())
        if (IsEventsMarker(TakeLine(text))) return true;
    return false;
}

// Takes the to-do items off the front of text into todo; false when no events follow.
bool TakeTodoItems(std::string_view& text, std::vector<TodoItem>& todo) {
    for (bool first = true; !text.empty(); first = false) {
        std::string_view line = TakeLine(text);
        // The mark belongs to the file, not to its first item: left on, it would hide the tick.
        if (first) line = WithoutByteOrderMark(line);
        if (IsEventsMarker(line)) return true;
        todo.push_back(
            {NthFieldView(line, "\t", 1) == "1", std::string(NthFieldView(line, "\t", 2))});
    }
    return false;
}

// An event line is "start|value|...": the value is what lies between the first two bars.
std::string_view EventValue(std::string_view line, size_t bar) {
    if (bar == std::string_view::npos) return {};
    const size_t next = line.find('|', bar + 1);
    return line.substr(bar + 1, next == std::string_view::npos ? next : next - bar - 1);
}

// How many lines text holds, as TakeLine takes them: a line ends at a line feed, at a carriage
// return (one before a line feed ends the line with it) or at the text's end.
size_t CountLines(std::string_view text) {
    if (text.empty()) return 0;
    const char* const end = text.data() + text.size();
    size_t count = 0;
    if (!std::memchr(text.data(), '\r', text.size())) {
        for (const char* at = text.data();
             (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at))));
             ++at)
            ++count;
    } else {
        for (const char* at = text.data(); at < end; ++at)
            count += *at == '\n' || (*at == '\r' && (at + 1 == end || at[1] != '\n'));
    }
    return count + (text.back() != '\n' && text.back() != '\r');
}

// The event lines of text, written into room, which holds one entry a line; returns how many
// were written. A line that does not start with an SQL date-time is refused and reading goes on,
// also after a second marker, so that every good line is kept.
size_t ReadEvents(std::string_view text, std::span<Dictionary::Entry> room, EventFileLines& found) {
    Dictionary::Entry* const out = room.data();
    Dictionary::Entry* next = out;
    std::string_view countdown;
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        if (line.empty()) continue;
        const size_t bar = line.find('|');
        const std::string_view key = line.substr(0, bar);
        if (!Date::IsSQLDateTime(key)) {
            found.refused.emplace_back(line);
            continue;
        }
        const std::string_view value = EventValue(line, bar);
        if (TextEquals(NthFieldView(value, "//", 3), "Countdown")) countdown = key;
        if (next != out && !(next[-1].first < key)) found.keysRise = false;
        // Lines were counted as this loop takes them; more of them would be a fault here.
        if (next == out + room.size()) throw std::length_error("more event lines than counted");
        *next++ = {key, value};
    }
    if (!countdown.empty()) found.countdown = countdown;
    return static_cast<size_t>(next - out);
}

// The text cut into about count pieces of whole lines: each piece ends after a line feed, the
// last at the text's end.
std::vector<std::string_view> Pieces(std::string_view text, size_t count) {
    std::vector<std::string_view> pieces;
    while (count > 1 && !text.empty()) {
        const size_t end = text.find('\n', text.size() / count);
        if (end == std::string_view::npos) break;
        pieces.push_back(text.substr(0, end + 1));
        text.remove_prefix(end + 1);
        --count;
    }
    pieces.push_back(text);
    return pieces;
}

// Touches the room reserved after entries' end for up to total entries, in parts on threads:
// fresh memory costs more to reach the first time than to write into.
void TouchRoom(std::vector<Dictionary::Entry>& entries, size_t total, size_t threads) {
    if (total <= entries.size() || total > entries.capacity() || threads < 2) return;
    // Storage the vector holds but no entry lives in yet: bytes may be written there.
    auto* room = reinterpret_cast<unsigned char*>(entries.data() + entries.size());
    const size_t bytes = (total - entries.size()) * sizeof(Dictionary::Entry);
    RunInParts(threads, [=](size_t part) {
        const size_t from = bytes * part / threads, to = bytes * (part + 1) / threads;
        std::memset(room + from, 0, to - from);
    });
}

// A large file's lines are checked in pieces on several threads; the result is the same as
// reading them in one go, in the file's order. Each piece writes its entries straight into its
// place in the result, which has room for one a line: fresh memory is slow to reach the first
// time, and so is copying the entries of a million lines a second time.
void ReadEventsInPieces(std::string_view text, EventFileLines& lines) {
    constexpr size_t kPieceBytes = size_t{4} << 20;
    const size_t threads = std::max(1u, std::thread::hardware_concurrency());
    const std::vector<std::string_view> pieces =
        Pieces(text, std::min(threads, text.size() / kPieceBytes + 1));
    std::vector<size_t> from(pieces.size() + 1, 0); // piece i's room is [from[i], from[i + 1])
    RunInParts(pieces.size(), [&](size_t i) { from[i + 1] = CountLines(pieces[i]); });
    std::partial_sum(from.begin(), from.end(), from.begin());
    // The room is touched in parts on threads before the entries are made there. A little more
    // is kept for the entries the store holds already (the holidays), which it merges in place.
    constexpr size_t kRoomForHeld = 4096;
    lines.entries.reserve(from.back() + kRoomForHeld);
    AdviseLargePages(lines.entries.data(), lines.entries.capacity() * sizeof(Dictionary::Entry));
    TouchRoom(lines.entries, from.back(), pieces.size());
    lines.entries.resize(from.back());
    std::vector<EventFileLines> found(pieces.size());
    std::vector<size_t> written(pieces.size());
    RunInParts(pieces.size(), [&](size_t i) {
        written[i] = ReadEvents(
            pieces[i], std::span(lines.entries).subspan(from[i], from[i + 1] - from[i]), found[i]);
    });
    // Blank and refused lines left room unused: later pieces move up to close it.
    Dictionary::Entry* const entries = lines.entries.data();
    size_t end = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        // Each piece saw its own keys rise; the whole also needs them to rise across its ends.
        lines.keysRise =
            lines.keysRise && found[i].keysRise &&
            (end == 0 || written[i] == 0 || entries[end - 1].first < entries[from[i]].first);
        if (from[i] != end) std::copy_n(entries + from[i], written[i], entries + end);
        end += written[i];
        std::ranges::move(found[i].refused, std::back_inserter(lines.refused));
        if (!found[i].countdown.empty()) lines.countdown = std::move(found[i].countdown);
    }
    lines.entries.resize(end);
}

} // namespace

FolderItem EventFileItem() {
    return SpecialFolder::Documents().Child(AppText::kEventFileName);
}

std::unique_ptr<Mutex> MakeEventFileMutex() {
    const std::filesystem::path item = EventFileItem().Path();
    std::filesystem::path target = WriteTarget(item);
    // Writes replace only a regular file: a link to a device, say, keeps the lock beside the
    // link, never in the device's folder.
    std::error_code error;
    const std::filesystem::file_type kind = std::filesystem::status(target, error).type();
    if (kind != std::filesystem::file_type::regular &&
        kind != std::filesystem::file_type::not_found)
        target = item;
    // The event file's own folder is made as a save would make it; a link's is not.
    return std::make_unique<Mutex>("." + target.filename().string(), target.parent_path(),
                                   target.parent_path() == item.parent_path());
}

std::string_view WithoutByteOrderMark(std::string_view line) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    return line;
}

bool IsEventsMarker(std::string_view line) {
    return TextEquals(Trim(WithoutByteOrderMark(line)), AppText::kEventsMarker);
}

EventFileLines ReadEventFile(const FolderItem& item) {
    EventFileLines lines;
    if (!item || !item.NameTaken()) return lines;
    std::error_code error;
    if (!std::filesystem::is_regular_file(item.Path(), error)) {
        lines.notAFile = true;
        return lines;
    }
    // Read in one go: the file's text becomes the store's, without a copy of its lines.
    lines.file = ReadWholeFile(item);
    if (!lines.file) throw IOException("cannot open the event file " + item.Path().string());
    std::string_view text = lines.file->View();
    // The text's hash, which tells another program's change of the file later, is made beside the
    // checking of its lines.
    uint64_t hash = 0;
    RunInParts(2, [&](size_t part) {
        if (part == 1)
            hash = ContentHash::Of(lines.file->View());
        else if (TakeTodoItems(text, lines.todo))
            ReadEventsInPieces(text, lines);
    });
    lines.version = FileVersion::Measured(lines.file->identity, hash);
    return lines;
}

std::string WithoutSkippedLines(std::string_view text) {
    std::string_view rest = text;
    if (!SkipToEvents(rest)) return std::string(text);
    std::string kept(text.substr(0, text.size() - rest.size()));
    kept.reserve(text.size());
    while (!rest.empty()) {
        const std::string_view before = rest;
        const std::string_view line = TakeLine(rest);
        // The lines ReadEvents refuses: not blank, and no date-time before the first bar.
        const bool skipped = !line.empty() && !Date::IsSQLDateTime(line.substr(0, line.find('|')));
        if (!skipped) kept += before.substr(0, before.size() - rest.size());
    }
    return kept;
}

std::future<EventFileLines> StartReadingEventFile(bool lockHeld) {
    return std::async(std::launch::async, [item = EventFileItem(), lockHeld] {
        if (lockHeld) {
            RemoveUnfinishedWrites(item);
            RemoveUnfinishedWrites(SkippedLinesItem(item));
        }
        return ReadEventFile(item);
    });
}

void app::StartReadingUserEvents() {
    if (!userEventsReading.valid())
        userEventsReading = StartReadingEventFile(eventFileMutex && eventFileMutex->Held());
}

namespace {
// Moves the skipped lines out of the event file, so that the next start does not tell of them
// again, and logs where they went. version becomes the event file's as rewritten.
bool MoveOutSkippedLines(const FolderItem& item, const EventFileLines& lines,
                         std::optional<FileVersion>& version) {
    const std::string kept = SkippedLinesItem(item).Path().string();
    switch (MoveSkippedLines(item, *lines.file, lines.refused, &version)) {
    case SkippedLinesMove::Moved:
        LogProblem("the skipped event lines were moved to a file of their own", kept);
        return true;
    case SkippedLinesMove::KeptBefore:
        LogProblem("the skipped event lines left the event file; an earlier start, which could "
                   "not take them out, had already put them in " +
                       kept,
                   item.Path());
        return true;
    case SkippedLinesMove::FileChanged:
        LogProblem("the skipped event lines stay in the event file, which another program "
                   "changed after it was read; a later start moves them to " +
                       kept,
                   item.Path());
        return false;
    case SkippedLinesMove::Failed:
        break;
    }
    LogProblem("the skipped event lines stay in the event file, they could not be moved to " + kept,
               item.Path());
    return false;
}

// The message names the file the lines were moved to, when they were; that file is noted until
// the message is answered, since the event file no longer shows the next start anything to tell.
void TellSkippedLines(const FolderItem& movedTo) {
    MessageDialog message;
    message.Message = AppText::kEventDatabaseProblem;
    RescueNote::UntilAnswered owed;
    if (movedTo) {
        owed.KeepSkipped(movedTo.Path());
        message.Explanation = "The lines that could not be read were moved to " + movedTo.Name() +
                              ", in the same folder.";
    }
    message.ShowModal();
    owed.MessageReturned();
}
} // namespace

void app::LoadUserEvents() {
    const FolderItem item = EventFileItem();
    EventFileLines lines =
        userEventsReading.valid() ? userEventsReading.get() : ReadEventFile(item);
    eventFileVersion = lines.version;
    eventFileTodoItems = std::move(lines.todo);
    keptEventsRevision = eventDict.Revision();
    if (lines.notAFile) {
        LogProblem("no events were read: this is not a regular file", item.Path());
        // Nothing is unsaved: what stands there is left alone until something changes.
        eventFileRevision = eventDict.Revision();
        MsgBox(std::string(AppText::kEventDatabaseProblem) + " " + FileProblem(item.Path()));
        return;
    }
    if (!lines.file) return;
    for (const std::string& line : lines.refused)
        LogProblem("skipped an event line that does not start with a date (\"" +
                       line.substr(0, 40) + "\")",
                   item.Path());
    const bool moved = !lines.refused.empty() && MoveOutSkippedLines(item, lines, eventFileVersion);
    // Lines that could not be moved stay in the file: every write puts them back.
    skippedEventLines =
        lines.refused.empty() || moved
            ? nullptr
            : std::make_shared<const std::vector<std::string>>(std::move(lines.refused));
    if (!lines.countdown.empty()) countdownDate.SetSQLDateTime(lines.countdown);
    eventDict.Merge(std::move(lines.file->text), std::move(lines.entries), lines.keysRise);
    // From here on the file stands for what the load put into the store: only a later change
    // of the store makes it worth writing again.
    eventFileRevision = eventDict.Revision();
    keptEventsRevision = eventFileRevision;
    if (moved || skippedEventLines) TellSkippedLines(moved ? SkippedLinesItem(item) : FolderItem());
}
