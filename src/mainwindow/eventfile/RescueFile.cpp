#include "mainwindow/eventfile/RescueFile.h"

#include "app/EventFile.h"
#include "platform/Date.h"
#include "platform/FileCopy.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

namespace fs = std::filesystem;

namespace RescueFile {

namespace {
// A name nobody could guess is taken only by chance: a few tries are plenty.
constexpr int kMostTries = 10;

std::string Name(const Date& when) {
    // No colons: other systems and some desktops refuse them in names. The letters keep another
    // user of a shared folder from making the name first.
    return "Calendar rescued " + ReplaceAll(when.SQLDateTime(), ":", ".") + " " +
           UnguessableLetters(6) + ".tpc";
}

// Writes into the place's folder under a free name; none when the folder takes none.
std::optional<fs::path> WriteIn(const Place& place, const Date& when, const std::string& text) {
    if (!place.folder) return std::nullopt;
    std::error_code error;
    if (place.make) fs::create_directories(place.folder.Path(), error);
    if (!fs::is_directory(place.folder.Path(), error)) return std::nullopt;
    return WriteNewFileUnderFreeName(
        place.folder.Path(), [&](int) { return Name(when); }, text, kMostTries);
}

} // namespace

// A home that cannot be written still leaves the shared temporary folders, where the file is the
// owner's alone: first the one a restart keeps. Never the session's run-time folder, which the
// login manager removes when the user's last session ends, the logout that a rescue may be for.
std::vector<Place> Places() {
    return {{SpecialFolder::Preferences(), true},
            {EventFileItem().Parent(), true},
            {SpecialFolder::LastingTemporary()},
            {SpecialFolder::Temporary()}};
}

std::optional<fs::path> Write(const std::vector<EventFileFormat::TodoItem>& todo,
                              std::span<const Dictionary::Entry> events,
                              std::span<const std::string> kept) {
    const std::string text = EventFileFormat::Compose(todo, events, kept);
    const Date now;
    for (const Place& place : Places())
        if (auto written = WriteIn(place, now, text)) return written;
    return std::nullopt;
}

std::filesystem::path NameBeside(const fs::path& path) {
    const Date now;
    return MoveHeldFileToFreeName(
               path, path.parent_path(), [&](int) { return Name(now); }, kMostTries)
        .value_or(path);
}

} // namespace RescueFile
