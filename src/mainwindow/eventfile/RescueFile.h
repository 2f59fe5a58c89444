#pragma once
// Where what could not be saved goes when the calendar ends anyway: a new file in the event
// file's layout, named for the moment it was written, that the user can put in the event file's
// place.
#include "mainwindow/glance/EventFileFormat.h"
#include "platform/FolderItem.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace RescueFile {

// A folder a rescue file may go to; the user's own folders are made when missing, the system's
// are not.
struct Place {
    FolderItem folder;
    bool make = false;
};
// The configuration folder, the event file's folder, the temporary folder a restart keeps
// (/var/tmp) and the temporary folder, in the order they are tried.
std::vector<Place> Places();

// Writes the file, "Calendar rescued 2026-03-05 09.30.00 k3Xq9Z.tpc" (letters nobody can guess
// before the extension; nothing is ever replaced), readable by its owner only, in the first of
// the Places that takes it. Its path, or none when none took it.
std::optional<std::filesystem::path> Write(const std::vector<EventFileFormat::TodoItem>& todo,
                                           std::span<const Dictionary::Entry> events,
                                           std::span<const std::string> kept);

// Gives the file at path, beside the event file, a rescue file's name in its folder, never over
// another file; the new path, or path itself when it cannot be named.
std::filesystem::path NameBeside(const std::filesystem::path& path);

} // namespace RescueFile
