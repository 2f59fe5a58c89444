#include "mainwindow/glance/VersionWatch.h"

#include "mainwindow/glance/OutsideChanges.h"

#include "platform/Date.h"
#include "platform/FileCopy.h"
#include "platform/FileProblem.h"
#include "platform/Log.h"

#include <algorithm>
#include <cerrno>

namespace fs = std::filesystem;

namespace OutsideChanges {

namespace {
// Two looks this far apart that agree: the other program has finished, most likely. A program
// writing a file in pieces writes them closer together.
constexpr auto kLookApart = std::chrono::milliseconds(200);
constexpr int kMostCopies = 999;

std::optional<fs::path> NameCopy(const fs::path& file, const fs::path& target) {
    const Date now;
    return RenameToFreeName(
        file, target.parent_path(), [&](int number) { return CopyName(target, now, number); },
        kMostCopies);
}
} // namespace

bool IsVersion(const fs::path& path, const FileIdentity& identity, const FileVersion& version) {
    if (identity != version.identity) return false;
    if (!version.racy) return true;
    const std::optional<FileVersion> read = ReadFileVersion(path);
    return read && read->identity == identity && read->contentHash == version.contentHash;
}

bool HoldsAKnownText(const fs::path& path, const FileIdentity& identity,
                     std::span<const FileVersion> known, std::optional<FileVersion>& found) {
    if (std::ranges::none_of(known, [&](const FileVersion& version) {
            return version.identity.size == identity.size;
        }))
        return false;
    const std::optional<FileVersion> read = ReadFileVersion(path);
    if (!read || read->identity != identity) return false;
    found = read;
    return std::ranges::any_of(known, [&](const FileVersion& version) {
        return version.contentHash == read->contentHash;
    });
}

VersionWatch::VersionWatch(fs::path target, const std::optional<FileVersion>& known,
                           const WriteWait& wait)
    : target_(std::move(target)), wait_(wait) {
    if (known) versions_.push_back(*known);
}

bool VersionWatch::Known(const fs::path& path, const FileIdentity& identity) {
    return std::ranges::any_of(
        versions_, [&](const FileVersion& version) { return IsVersion(path, identity, version); });
}

bool VersionWatch::WaitForTheNextLook(Clock::time_point deadline) const {
    return Clock::now() + kLookApart <= deadline && wait_.Sleep(kLookApart);
}

bool VersionWatch::PutOff() {
    error_ = EBUSY;
    LogProblem("not replaced: another program was still writing it", target_);
    return false;
}

bool VersionWatch::Settle() {
    const Clock::time_point deadline = Clock::now() + wait_.Longest();
    for (;;) {
        const std::optional<FileIdentity> look = FileIdentity::At(target_);
        if (!look || Known(target_, *look)) {
            settled_ = look;
            return true;
        }
        // Another program's version, which it may still be writing.
        if (!WaitForTheNextLook(deadline)) return PutOff();
        if (FileIdentity::At(target_) != look) continue;
        switch (Keep(*look)) {
        case Kept::Nothing:
        case Kept::Copied:
            settled_ = look;
            return true;
        case Kept::Changed:
            continue;
        case Kept::Failed:
            return false;
        }
    }
}

VersionWatch::Kept VersionWatch::Keep(const FileIdentity& identity) {
    std::optional<FileVersion> found;
    // Nothing to keep: an empty file, or one holding a text the calendar knows.
    if (identity.size == 0) found = FileVersion::Measured(identity, ContentHash::Of({}));
    if (found || HoldsAKnownText(target_, identity, versions_, found)) {
        versions_.push_back(*found);
        return Kept::Nothing;
    }
    const Date now;
    const FileCopy copy = CopyWholeUnderFreeName(
        target_, identity, [&](int number) { return CopyName(target_, now, number); }, kMostCopies);
    if (copy.path) {
        versions_.push_back(copy.version);
        copies_.push_back({*copy.path, identity});
        return Kept::Copied;
    }
    if (copy.error == 0) return Kept::Changed;
    error_ = copy.error;
    LogProblem("could not keep the version another program wrote beside it (" +
                   FileProblem(target_, error_) + ")",
               target_);
    return Kept::Failed;
}

bool VersionWatch::ReadyToRename() {
    for (;;) {
        if (!Settle()) return false;
        if (FileIdentity::At(target_) == settled_) return true;
    }
}

void VersionWatch::KeepReplaced(const fs::path& replaced) {
    std::optional<FileIdentity> look = FileIdentity::At(replaced);
    if (!look) return;
    std::error_code error;
    // The exchange itself moved its change time; the rest tells the file last looked at.
    if (settled_) {
        FileIdentity before = *look;
        before.changedSeconds = settled_->changedSeconds;
        before.changedNanoseconds = settled_->changedNanoseconds;
        const auto known = std::ranges::find_if(
            versions_, [&](const FileVersion& version) { return version.identity == *settled_; });
        const auto text = [&] {
            const std::optional<FileVersion> read = ReadFileVersion(replaced);
            return read && read->contentHash == known->contentHash;
        };
        if (before == *settled_ && known != versions_.end() && (!known->racy || text())) {
            fs::remove(replaced, error);
            return;
        }
    }
    // Another program's version came at the rename, or it goes on writing the file it had open:
    // waited for while it changes, and kept in any case.
    const Clock::time_point deadline = Clock::now() + wait_.Longest();
    while (WaitForTheNextLook(deadline)) {
        const std::optional<FileIdentity> again = FileIdentity::At(replaced);
        if (again == look) break;
        look = again;
    }
    std::optional<FileVersion> found;
    if (look && (look->size == 0 || HoldsAKnownText(replaced, *look, versions_, found))) {
        fs::remove(replaced, error);
        return;
    }
    if (const std::optional<fs::path> copy = NameCopy(replaced, target_))
        copies_.push_back({*copy, look.value_or(FileIdentity{})});
    else
        LogProblem("could not name the version another program wrote at the calendar's save; it "
                   "stays in " +
                       replaced.string(),
                   target_);
}

std::vector<fs::path> VersionWatch::TakeCopies(bool written) {
    std::vector<fs::path> paths;
    const std::optional<FileIdentity> there = FileIdentity::At(target_);
    for (const Copy& copy : std::exchange(copies_, {})) {
        std::error_code error;
        if (!written && there == copy.of)
            fs::remove(copy.path, error);
        else
            paths.push_back(copy.path);
    }
    return paths;
}

} // namespace OutsideChanges
