#pragma once
// Where what could not be saved goes when the calendar ends anyway: a new file in the event
// file's layout, named for the moment it was written, that the user can put in the event file's
// place.
#include "mainwindow/glance/EventFileFormat.h"
#include "platform/Date.h"

#include <filesystem>
#include <optional>

namespace RescueFile {

// The name of the n-th file tried for a rescue at when: "Calendar rescued 2026-03-05
// 09.30.00.tpc", then " (2)" and so on before the extension.
std::string Name(const Date& when, int n);

// Writes the file, never over one that exists, in the configuration folder or, when that
// cannot be used, in the event file's folder. Its path, or none when neither took it.
std::optional<std::filesystem::path> Write(const std::vector<EventFileFormat::TodoItem>& todo,
                                           std::span<const Dictionary::Entry> events,
                                           std::span<const std::string> kept);

} // namespace RescueFile
