#include "mainwindow/glance/RescueFile.h"

#include "app/EventFile.h"
#include "platform/Date.h"
#include "platform/FileCopy.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

namespace fs = std::filesystem;

namespace RescueFile {

namespace {
// Enough for every quit of a second to find a free name; beyond, the folder is taken as unusable.
constexpr int kMostTries = 100;

std::string Name(const Date& when, int n) {
    // No colons: other systems and some desktops refuse them in names.
    std::string name = "Calendar rescued " + ReplaceAll(when.SQLDateTime(), ":", ".");
    if (n > 1) name += " (" + std::to_string(n) + ")";
    return name + ".tpc";
}

struct Place {
    FolderItem folder;
    bool make = false; // the user's own folders are made when missing; the system's are not
};

// Writes into the place's folder under the first free name; none when the folder takes none.
std::optional<fs::path> WriteIn(const Place& place, const Date& when, const std::string& text) {
    if (!place.folder) return std::nullopt;
    std::error_code error;
    if (place.make) fs::create_directories(place.folder.Path(), error);
    if (!fs::is_directory(place.folder.Path(), error)) return std::nullopt;
    return WriteNewFileUnderFreeName(
        place.folder.Path(), [&](int n) { return Name(when, n); }, text, kMostTries);
}

// A home that cannot be written still leaves the session's run-time folder (the user's own,
// until the logout) and the temporary folder, where the file is the owner's alone.
std::vector<Place> Places() {
    return {{SpecialFolder::Preferences(), true},
            {EventFileItem().Parent(), true},
            {SpecialFolder::RunTime()},
            {SpecialFolder::Temporary()}};
}
} // namespace

std::optional<fs::path> Write(const std::vector<EventFileFormat::TodoItem>& todo,
                              std::span<const Dictionary::Entry> events,
                              std::span<const std::string> kept) {
    const std::string text = EventFileFormat::Compose(todo, events, kept);
    const Date now;
    for (const Place& place : Places())
        if (auto written = WriteIn(place, now, text)) return written;
    return std::nullopt;
}

} // namespace RescueFile
