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

// Writes into folder under the first free name; none when the folder takes none.
std::optional<fs::path> WriteIn(const FolderItem& folder, const Date& when,
                                const std::string& text) {
    if (!folder) return std::nullopt;
    std::error_code error;
    fs::create_directories(folder.Path(), error);
    return WriteNewFileUnderFreeName(
        folder.Path(), [&](int n) { return Name(when, n); }, text, kMostTries);
}
} // namespace

std::optional<fs::path> Write(const std::vector<EventFileFormat::TodoItem>& todo,
                              std::span<const Dictionary::Entry> events,
                              std::span<const std::string> kept) {
    const std::string text = EventFileFormat::Compose(todo, events, kept);
    const Date now;
    for (const FolderItem& folder : {SpecialFolder::Preferences(), EventFileItem().Parent()})
        if (auto written = WriteIn(folder, now, text)) return written;
    return std::nullopt;
}

} // namespace RescueFile
