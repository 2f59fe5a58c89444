#include "mainwindow/eventfile/ParkedAtStart.h"

#include "app/App.h"
#include "app/EventFile.h"
#include "platform/Mutex.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>

namespace fs = std::filesystem;

namespace RescueNote {

namespace {
std::string Identity(const FileIdentity& identity) {
    std::string text;
    for (const int64_t field :
         {static_cast<int64_t>(identity.device), static_cast<int64_t>(identity.inode),
          identity.size, identity.modifiedSeconds, identity.modifiedNanoseconds,
          identity.changedSeconds, identity.changedNanoseconds})
        text += (text.empty() ? "" : " ") + std::to_string(field);
    return text;
}

} // namespace

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

bool ParksAt(std::string_view line, const fs::path& path) {
    const auto parked = ParseParked(line);
    return parked && parked->path == path;
}

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

} // namespace RescueNote
