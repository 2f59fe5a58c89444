#pragma once
// The note's lines of files that a save replaced and that a program may still have written when
// the calendar ended, and the next start's settling of them.
#include "mainwindow/eventfile/Settling.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace RescueNote {

// "parked", a tab, the file's identity as it was seen (seven numbers) and the hash of the text it
// held then (an eighth, which older notes lack), a tab and its path.
inline constexpr std::string_view kParkedTag = "parked\t";
// A copy named at a start: another program wrote the parked file after the save that replaced it.
inline constexpr std::string_view kLaterTag = "later\t";

std::string ParkedLine(const OutsideChanges::ParkedVersion& parked);
// A parked line's file, as seen; none when the line is no such line.
std::optional<OutsideChanges::ParkedVersion> ParseParked(std::string_view line);
// Whether the line is the parked line of the file at path.
bool ParksAt(std::string_view line, const std::filesystem::path& path);

// The parked files of the last runs settled: those the note's lines name, as they were seen, then
// any other beside the event file (a run killed while it watched one), looked at afresh. Returns
// the lines with each parked file's line replaced by what it became: a copy's line of its own,
// its line as seen now when a program may still write it (noted on while it is watched, too), or
// no line at all.
std::vector<std::string> SettleParkedFiles(
    const std::vector<std::string>& lines,
    const std::function<void(const std::vector<OutsideChanges::ParkedVersion>&)>& watch);

} // namespace RescueNote
