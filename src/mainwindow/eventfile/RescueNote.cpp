#include "mainwindow/eventfile/RescueNote.h"

#include "mainwindow/eventfile/ParkedAtStart.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/TextStream.h"

#include <algorithm>
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
    Add(ParkedLine(parked));
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
