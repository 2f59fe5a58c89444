#include "mainwindow/eventfile/NotePlaces.h"

#include "mainwindow/eventfile/RescueFile.h"
#include "platform/FileCopy.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace fs = std::filesystem;

namespace RescueNote {

namespace {
constexpr std::string_view kName = "QVCalendar.rescued";

struct Note {
    fs::path path;
    bool make = false; // its folder, when missing
};

// Beside the preferences under the name it always had; elsewhere hidden, and named for the user,
// who may share the folder with others (/var/tmp, /tmp).
std::vector<Note> Notes() {
    const FolderItem preferences = SpecialFolder::Preferences();
    const std::string elsewhere = "." + std::string(kName) + "-" + std::to_string(::geteuid());
    std::vector<Note> notes;
    for (const RescueFile::Place& place : RescueFile::Places())
        if (place.folder)
            notes.push_back(
                {place.folder.Path() /
                     (preferences && place.folder == preferences ? std::string(kName) : elsewhere),
                 place.make});
    return notes;
}

std::vector<std::string> LinesOf(const Note& note) {
    std::vector<std::string> lines;
    const auto kept =
        OwnRegularFile(note.path) ? ReadWholeFile(FolderItem(note.path)) : std::nullopt;
    for (std::string_view text = kept ? kept->View() : ""; !text.empty();)
        lines.emplace_back(TakeLine(text));
    return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::ranges::find(lines, line) != lines.end();
}

// Writes the note whole, or leaves it as it was; removes it when no line is left.
bool Write(const Note& note, const std::vector<std::string>& lines) {
    std::error_code error;
    if (lines.empty()) {
        fs::remove(note.path, error);
        return !error;
    }
    if (note.make) fs::create_directories(note.path.parent_path(), error);
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append(1, '\n');
    return ReplaceWithPrivateFile(note.path, text);
}
} // namespace

std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const Note& note : Notes())
        for (std::string& line : LinesOf(note))
            if (!Holds(lines, line)) lines.push_back(std::move(line));
    return lines;
}

bool Add(const std::string& line) {
    const std::vector<Note> notes = Notes();
    if (std::ranges::any_of(notes, [&](const Note& note) { return Holds(LinesOf(note), line); }))
        return true;
    for (const Note& note : notes) {
        std::vector<std::string> lines = LinesOf(note);
        lines.push_back(line);
        if (Write(note, lines)) return true;
    }
    LogProblem("cannot note where what the calendar kept is",
               notes.empty() ? fs::path() : notes.front().path);
    return false;
}

void Drop(const std::vector<std::string>& told) {
    for (const Note& note : Notes()) {
        std::vector<std::string> lines = LinesOf(note);
        if (std::erase_if(lines, [&](const std::string& line) { return Holds(told, line); }) &&
            !Write(note, lines))
            LogProblem("cannot take what was told out of the rescue note", note.path);
    }
}

void Replace(const std::vector<std::string>& before, const std::vector<std::string>& now) {
    for (const std::string& line : now)
        if (!Holds(before, line)) Add(line);
    std::vector<std::string> gone;
    std::ranges::copy_if(before, std::back_inserter(gone),
                         [&](const std::string& line) { return !Holds(now, line); });
    if (!gone.empty()) Drop(gone);
}

} // namespace RescueNote
