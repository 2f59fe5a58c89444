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

std::optional<FileIdentity> ParseIdentity(std::string_view text) {
    int64_t fields[7] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int64_t& field : fields) {
        const auto [next, error] = std::from_chars(at, end, field);
        if (error != std::errc()) return std::nullopt;
        at = next == end ? end : next + 1;
    }
    return FileIdentity{static_cast<uint64_t>(fields[0]),
                        static_cast<uint64_t>(fields[1]),
                        fields[2],
                        fields[3],
                        fields[4],
                        fields[5],
                        fields[6]};
}
} // namespace

std::string ParkedLine(const OutsideChanges::ParkedVersion& parked) {
    return std::string(kParkedTag) + Identity(parked.seen) + "\t" + parked.path.string();
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
        if (watch)
            watched.push_back({parked.path, found.seen});
        else
            settled.push_back(ParkedLine({parked.path, found.seen}));
    };
    for (const std::string& line : lines) {
        if (!line.starts_with(kParkedTag)) {
            settled.push_back(line);
            continue;
        }
        const std::string_view rest = std::string_view(line).substr(kParkedTag.size());
        const size_t tab = rest.find('\t');
        if (const std::optional<FileIdentity> seen =
                tab == std::string_view::npos ? std::nullopt : ParseIdentity(rest.substr(0, tab)))
            settle({fs::path(rest.substr(tab + 1)), *seen});
    }
    // Under the lock alone: another copy of the calendar may be saving and watching its own.
    if (application.eventFileMutex && application.eventFileMutex->Held())
        for (const fs::path& path : ParkedFilesBeside(EventFileItem()))
            if (std::ranges::count(looked, path) == 0) settle({path, {}});
    if (!watched.empty()) watch(watched);
    return settled;
}

} // namespace RescueNote
