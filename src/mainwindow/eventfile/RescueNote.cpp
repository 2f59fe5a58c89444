#include "mainwindow/eventfile/RescueNote.h"

#include "app/App.h"
#include "app/EventFile.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/Mutex.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace RescueNote {

namespace {
// One path a line: a later logout before the next start adds its own. A copy's line starts with
// a word of its own; a path alone is a rescue file, as notes have always held.
constexpr std::string_view kCopyTag = "copy\t";
// "parked", a tab, the file's identity as it was seen (seven numbers) and the hash of the text it
// held then (an eighth, which older notes lack), a tab and its path.
constexpr std::string_view kParkedTag = "parked\t";
// A copy named at a start: another program wrote the parked file after the save that replaced it.
constexpr std::string_view kLaterTag = "later\t";

FolderItem NoteItem() {
    const FolderItem folder = SpecialFolder::Preferences();
    return folder ? folder.TrueChild("QVCalendar.rescued") : FolderItem();
}

// The note's lines, without their ends; none when there is no note.
std::vector<std::string> Lines(const FolderItem& note) {
    std::vector<std::string> lines;
    const auto kept = note ? ReadWholeFile(note) : std::nullopt;
    for (std::string_view text = kept ? kept->View() : ""; !text.empty();)
        lines.emplace_back(TakeLine(text));
    return lines;
}

// Writes the note whole, or leaves it as it was; removes it when no line is left.
bool Write(const FolderItem& note, const std::vector<std::string>& lines) {
    if (lines.empty()) {
        std::error_code error;
        fs::remove(note.Path(), error);
        return !error;
    }
    auto stream = TextOutputStream::Create(note);
    if (!stream) return false;
    for (const std::string& line : lines)
        stream->WriteLine(line);
    return stream->Close();
}

// Whether the line is in the note now.
bool Add(const std::string& line) {
    const FolderItem note = NoteItem();
    if (!note) return false;
    std::vector<std::string> lines = Lines(note);
    lines.push_back(line);
    if (Write(note, lines)) return true;
    LogProblem("cannot note where what the calendar kept is", note.Path());
    return false;
}

// Takes the lines told out of the note, each once, keeping those a quit added since.
void Drop(const FolderItem& note, std::vector<std::string> told) {
    std::vector<std::string> left;
    for (std::string& line : Lines(note))
        if (const auto found = std::ranges::find(told, line); found != told.end())
            told.erase(found);
        else
            left.push_back(std::move(line));
    if (!Write(note, left))
        LogProblem("cannot take what was told out of the rescue note", note.Path());
}

std::string Identity(const FileIdentity& identity) {
    std::string text;
    for (const int64_t field :
         {static_cast<int64_t>(identity.device), static_cast<int64_t>(identity.inode),
          identity.size, identity.modifiedSeconds, identity.modifiedNanoseconds,
          identity.changedSeconds, identity.changedNanoseconds})
        text += (text.empty() ? "" : " ") + std::to_string(field);
    return text;
}

// A parked line's identity and hash; none when it is no such line.
std::optional<OutsideChanges::ParkedVersion> ParseParked(std::string_view line) {
    if (!line.starts_with(kParkedTag)) return std::nullopt;
    line.remove_prefix(kParkedTag.size());
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    int64_t fields[8] = {};
    const char* at = line.data();
    const char* const end = line.data() + tab;
    int count = 0;
    for (int64_t& field : fields) {
        if (at >= end) break;
        const auto [next, error] = std::from_chars(at, end, field);
        if (error != std::errc()) return std::nullopt;
        ++count;
        at = next == end ? end : next + 1;
    }
    if (count < 7) return std::nullopt;
    OutsideChanges::ParkedVersion parked{fs::path(line.substr(tab + 1)),
                                         {static_cast<uint64_t>(fields[0]),
                                          static_cast<uint64_t>(fields[1]), fields[2], fields[3],
                                          fields[4], fields[5], fields[6]},
                                         {}};
    if (count == 8) parked.held = static_cast<uint64_t>(fields[7]);
    return parked;
}

std::string ParkedLine(const OutsideChanges::ParkedVersion& parked) {
    return std::string(kParkedTag) + Identity(parked.seen) +
           (parked.held ? " " + std::to_string(static_cast<int64_t>(*parked.held)) : "") + "\t" +
           parked.path.string();
}

// Whether the line is the parked line of path.
bool ParksAt(const std::string& line, const fs::path& path) {
    const auto parked = ParseParked(line);
    return parked && parked->path == path;
}

// The parked files of the last runs settled: those the note names, as they were seen, then any
// other beside the event file (a run killed while it watched one), looked at afresh. A file
// named as a copy becomes a line of its own; one a program may still write goes to watch, or
// stays noted when nothing watches.
std::vector<std::string> SettleParkedFiles(
    const std::vector<std::string>& lines,
    const std::function<void(const std::vector<OutsideChanges::ParkedVersion>&)>& watch) {
    const app& application = App();
    const fs::path target = WriteTarget(EventFileItem().Path());
    const std::span<const FileVersion> known = application.eventFileVersion
                                                   ? std::span(&*application.eventFileVersion, 1)
                                                   : std::span<const FileVersion>();
    std::vector<std::string> settled;
    std::vector<OutsideChanges::ParkedVersion> watched;
    std::vector<fs::path> looked;
    const auto settle = [&](const OutsideChanges::ParkedVersion& parked) {
        looked.push_back(parked.path);
        const OutsideChanges::ParkedLook found =
            OutsideChanges::SettleParked(parked, target, known, false);
        if (found.kind == OutsideChanges::ParkedLook::Named)
            settled.push_back(std::string(kLaterTag) + found.copy->string());
        if (found.kind != OutsideChanges::ParkedLook::Watched) return;
        // Noted on while it is watched: this run may be killed too.
        settled.push_back(ParkedLine(found.now));
        if (watch) watched.push_back(found.now);
    };
    for (const std::string& line : lines) {
        if (const auto parked = ParseParked(line))
            settle(*parked);
        else if (!line.starts_with(kParkedTag))
            settled.push_back(line);
    }
    // Under the lock alone: another copy of the calendar may be saving and watching its own.
    if (application.eventFileMutex && application.eventFileMutex->Held())
        for (const fs::path& path : ParkedFilesBeside(EventFileItem()))
            if (std::ranges::count(looked, path) == 0) settle({path, {}, {}});
    if (!watched.empty()) watch(watched);
    return settled;
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& paths) {
    std::string listed;
    for (size_t at = 0; at < paths.size(); ++at)
        listed += (at == 0 ? "" : at + 1 == paths.size() ? " and " : ", ") + paths[at];
    return listed;
}

std::string Told(const std::vector<std::string>& rescues, const std::vector<std::string>& copies,
                 const std::vector<std::string>& later) {
    std::string told;
    if (!rescues.empty())
        told = "Ombrelline Calendar could not save your events and to-do items when it last "
               "ended. They were written to " +
               Listed(rescues) + ".";
    if (!copies.empty())
        told += std::string(told.empty() ? "" : " ") +
                "When Ombrelline Calendar last ended, another program had changed your event "
                "file; the calendar kept that program's " +
                (copies.size() == 1 ? "version in " : "versions in ") + Listed(copies) + ".";
    if (!later.empty())
        told += std::string(told.empty() ? "" : " ") +
                "Another program wrote to your event file after Ombrelline Calendar had saved "
                "over it; the calendar kept that program's " +
                (later.size() == 1 ? "version in " : "versions in ") + Listed(later) + ".";
    return told;
}
} // namespace

void UntilAnswered::Add(std::string line) {
    if (RescueNote::Add(line)) lines_.push_back(std::move(line));
}

void UntilAnswered::Keep(const fs::path& rescue) {
    Add(rescue.string());
}

void UntilAnswered::KeepCopy(const fs::path& copy) {
    Add(std::string(kCopyTag) + copy.string());
}

void UntilAnswered::Forget(const fs::path& rescue) {
    if (const auto found = std::ranges::find(lines_, rescue.string()); found != lines_.end()) {
        lines_.erase(found);
        Drop(NoteItem(), {rescue.string()});
    }
}

void UntilAnswered::MessageReturned() {
    const Application* application = Application::Instance();
    if (lines_.empty() || (application && application->QuitBySignal())) return;
    Drop(NoteItem(), std::exchange(lines_, {}));
}

void KeepParked(const OutsideChanges::ParkedVersion& parked) {
    const FolderItem note = NoteItem();
    if (!note) return;
    std::vector<std::string> lines = Lines(note);
    std::erase_if(lines, [&](const std::string& line) { return ParksAt(line, parked.path); });
    lines.push_back(ParkedLine(parked));
    if (!Write(note, lines)) LogProblem("cannot note where what the calendar kept is", note.Path());
}

void ForgetParked(const fs::path& path) {
    const FolderItem note = NoteItem();
    std::vector<std::string> lines = Lines(note);
    if (std::erase_if(lines, [&](const std::string& line) { return ParksAt(line, path); }) &&
        !Write(note, lines))
        LogProblem("cannot take a settled file out of the rescue note", note.Path());
}

void TellOnce(const std::function<void(const std::vector<OutsideChanges::ParkedVersion>&)>& watch) {
    const FolderItem note = NoteItem();
    const std::vector<std::string> read = Lines(note);
    // What the parked files became is noted before anything is told: a copy named now is told
    // again should this run end before its message is answered.
    std::vector<std::string> told = SettleParkedFiles(read, watch);
    if (told != read && !Write(note, told))
        LogProblem("cannot note what became of the files another program was writing", note.Path());
    std::vector<std::string> rescues, copies, later;
    for (std::string_view line : told) {
        if (line.starts_with(kParkedTag)) continue;
        std::vector<std::string>* list = &rescues;
        for (auto [tag, tagged] : {std::pair(kCopyTag, &copies), std::pair(kLaterTag, &later)})
            if (line.starts_with(tag)) {
                line.remove_prefix(tag.size());
                list = tagged;
            }
        std::error_code error;
        if (!line.empty() && fs::is_regular_file(line, error)) list->emplace_back(line);
    }
    if (!rescues.empty() || !copies.empty() || !later.empty()) {
        MsgBox(Told(rescues, copies, later));
        // Unanswered: a quit came while it showed (a logout, the X server's end), which may have
        // noted a rescue of its own. The next start tells them all.
        if (const Application* application = Application::Instance();
            application && application->QuitRequested())
            return;
    }
    std::erase_if(told, [](const std::string& line) { return line.starts_with(kParkedTag); });
    if (!told.empty()) Drop(note, told);
}

} // namespace RescueNote
