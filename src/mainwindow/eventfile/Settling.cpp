#include "mainwindow/eventfile/Settling.h"

#include "mainwindow/eventfile/OutsideChanges.h"

#include "platform/Date.h"
#include "platform/FileCopy.h"
#include "platform/FileProblem.h"
#include "platform/FileWriters.h"
#include "platform/Log.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace OutsideChanges {

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

// Whether the file at path has another name besides.
bool LinkedElsewhere(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && status.st_nlink > 1;
}

std::optional<fs::path> NameCopy(const fs::path& path, const fs::path& target) {
    const Date now;
    // Its writer may still hold it: its bytes are never copied to a file of another name.
    return MoveHeldFileToFreeName(
        path, target.parent_path(), [&](int number) { return CopyName(target, now, number); },
        kMostCopies);
}

ParkedLook SettleParked(const ParkedVersion& parked, const fs::path& target,
                        std::span<const FileVersion> known, bool quietAWhile) {
    // Asked before the look: whatever a writer that has let go of the file wrote, the look sees.
    const Writers writers = WritersOf(parked.path);
    const std::optional<FileIdentity> look = FileIdentity::At(parked.path);
    if (!look) return {ParkedLook::Gone, {}, {}};
    std::error_code error;
    // Another name keeps it, and whatever is still written to it: the parking name alone goes.
    // Only a local file system's count of names is trusted: a FUSE mount may still count the
    // name that the save's rename took away, and the parking name may be the file's last.
    if (LinkedElsewhere(parked.path) && OnlyThisMachineWrites(parked.path)) {
        fs::remove(parked.path, error);
        return {ParkedLook::Removed, {}, {}};
    }
    ParkedVersion now{parked.path, *look, parked.held};
    // Seen as it was: the same identity, or the same size and text where only its times moved (a
    // link count moves the change time; a cloud mount moves both when it reads or uploads a file).
    bool asSeen = *look == parked.seen;
    if (!asSeen && look->size == 0) now.held = ContentHash::Of({});
    std::optional<FileVersion> found;
    if (!asSeen && look->size != 0) {
        std::vector<FileVersion> texts(known.begin(), known.end());
        if (parked.held) texts.push_back(FileVersion::Measured(parked.seen, *parked.held));
        if (!HoldsAKnownText(parked.path, *look, texts, found)) {
            // Text of its own: the file itself takes the copy's name, so that a writer still at
            // it finishes into the copy.
            if (std::optional<fs::path> copy = NameCopy(parked.path, target))
                return {ParkedLook::Named, now, std::move(copy)};
            LogProblem("could not name the version another program wrote (" +
                           FileProblem(target, errno) + "); it stays in " + parked.path.string() +
                           " and is named at the next look",
                       target);
            return {ParkedLook::Watched, parked, {}, false};
        }
        asSeen = parked.held == found->contentHash && look->size == parked.seen.size;
        now.held = found->contentHash;
    }
    const bool settled =
        writers == Writers::None || (writers == Writers::NoneHere && asSeen && quietAWhile);
    if (settled && fs::remove(parked.path, error)) return {ParkedLook::Removed, {}, {}};
    return {ParkedLook::Watched, now, {}, !asSeen};
}

bool IsVersion(const fs::path& path, const FileIdentity& identity, const FileVersion& version) {
    if (identity == version.identity && !version.racy) return true;
    // Racy, or on a mount whose times and numbers do not hold: its text decides.
    if (!MayBeUnchanged(path, identity, version.identity)) return false;
    const std::optional<FileVersion> read = ReadFileVersion(path);
    return read && MayBeUnchanged(path, read->identity, identity) &&
           read->contentHash == version.contentHash;
}

bool HoldsAKnownText(const fs::path& path, const FileIdentity& identity,
                     std::span<const FileVersion> known, std::optional<FileVersion>& found) {
    if (std::ranges::none_of(known, [&](const FileVersion& version) {
            return version.identity.size == identity.size;
        }))
        return false;
    const std::optional<FileVersion> read = ReadFileVersion(path);
    if (!read || !MayBeUnchanged(path, read->identity, identity)) return false;
    found = read;
    return std::ranges::any_of(known, [&](const FileVersion& version) {
        return version.contentHash == read->contentHash;
    });
}

} // namespace OutsideChanges
