#include "mainwindow/eventfile/VersionWatch.h"

#include "mainwindow/eventfile/OutsideChanges.h"

#include "platform/Date.h"
#include "platform/FileCopy.h"
#include "platform/FileProblem.h"
#include "platform/FileWriters.h"
#include "platform/Log.h"
#include "platform/TestSeams.h"

#include <algorithm>
#include <cerrno>

namespace fs = std::filesystem;

namespace OutsideChanges {

namespace {
// Two looks this far apart that agree: the other program has finished, most likely. A program
// writing a file in pieces writes them closer together.
constexpr auto kLookApart = std::chrono::milliseconds(200);
} // namespace

VersionWatch::VersionWatch(fs::path target, const std::optional<FileVersion>& known,
                           const WriteWait& wait)
    : target_(std::move(target)), wait_(wait), own_(known) {
    if (known) versions_.push_back(*known);
}

bool VersionWatch::Known(const fs::path& path, const FileIdentity& identity) {
    return std::ranges::any_of(
               copies_, [&](const Copy& copy) { return copy.veryFile && copy.of == identity; }) ||
           std::ranges::any_of(versions_, [&](const FileVersion& version) {
               return IsVersion(path, identity, version);
           });
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
        // Where times and numbers do not hold, a file that holds a known text is known.
        if (!look || Known(target_, *look) ||
            (!TimesAndNumbersHold(target_) && HoldsItsText(*look))) {
            settled_ = look;
            return true;
        }
        // Another program's version, which it may still be writing.
        if (!WaitForTheNextLook(deadline)) return PutOff();
        const std::optional<FileIdentity> again = FileIdentity::At(target_);
        if (!again || !MayBeUnchanged(target_, *again, *look)) continue;
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
    // A file kept by a second name holds whatever its writer wrote since: it is not kept twice,
    // nor read.
    const auto linked = std::ranges::find_if(
        copies_, [&](const Copy& copy) { return copy.veryFile && SameFile(copy.of, identity); });
    if (linked != copies_.end()) {
        linked->of = identity;
        return Kept::Nothing;
    }
    std::optional<FileVersion> found;
    // Nothing to keep: an empty file, or one holding a text the calendar knows.
    if (identity.size == 0) found = FileVersion::Measured(identity, ContentHash::Of({}));
    if (found || HoldsAKnownText(target_, identity, versions_, found)) {
        versions_.push_back(*found);
        return Kept::Nothing;
    }
    const Date now;
    const auto name = [&](int number) { return CopyName(target_, now, number); };
    // The file itself is kept, by a second name, so that a writer that only paused finishes into
    // the kept file; its bytes are copied only where the file system has no such links.
    TestSeams::ReachWriteMoment(TestSeams::WriteMoment::BeforeACopysLink);
    if (const auto path = LinkToFreeName(target_, target_.parent_path(), name, kMostCopies)) {
        // The link moved the file's change time.
        const std::optional<FileIdentity> kept = FileIdentity::At(*path);
        if (!kept || !SameFile(*kept, identity)) {
            // Another file took the place between the look and the link: it is not what was seen.
            std::error_code error;
            fs::remove(*path, error);
            return Kept::Changed;
        }
        copies_.push_back({*path, *kept, true});
        return Kept::Copied;
    }
    const FileCopy copy = CopyWholeUnderFreeName(target_, identity, name, kMostCopies);
    if (copy.path) {
        versions_.push_back(copy.version);
        copies_.push_back({*copy.path, identity, false});
        return Kept::Copied;
    }
    if (copy.error == 0) return Kept::Changed;
    error_ = copy.error;
    LogProblem("could not keep the version another program wrote beside it (" +
                   FileProblem(target_, error_) + ")",
               target_);
    return Kept::Failed;
}

bool VersionWatch::SettledOnOwn(const fs::path& replaced) const {
    if (!own_ || !settled_) return false;
    const FileIdentity& written = own_->identity;
    // A write that could not be measured is known by its text alone.
    const bool measured = written.device != 0 || written.inode != 0;
    if (measured && (!SameFile(written, *settled_) || written.size != settled_->size ||
                     written.modifiedSeconds != settled_->modifiedSeconds ||
                     written.modifiedNanoseconds != settled_->modifiedNanoseconds))
        return false;
    if (measured && !own_->racy) return true;
    const std::optional<FileVersion> read = ReadFileVersion(replaced);
    return read && read->contentHash == own_->contentHash;
}

bool VersionWatch::HoldsItsText(const FileIdentity& identity) {
    std::optional<FileVersion> found;
    if (!HoldsAKnownText(target_, identity, versions_, found)) return false;
    versions_.push_back(*found);
    return true;
}

bool VersionWatch::ReadyToRename() {
    for (;;) {
        if (!Settle()) return false;
        const std::optional<FileIdentity> there = FileIdentity::At(target_);
        if (there == settled_) return true;
        // On a mount whose times and numbers do not hold, only they moved, and it holds a text
        // known already.
        if (there && settled_ && MayBeUnchanged(target_, *there, *settled_) &&
            HoldsItsText(*there)) {
            settled_ = there;
            return true;
        }
    }
}

void VersionWatch::KeepReplaced(const fs::path& replaced, TextOutputStream::Replaced how) {
    if (how == TextOutputStream::Replaced::Stranded) {
        // The last saved file, which could not go back after a failed save: never settled away,
        // whatever it holds; the user is told its name.
        stranded_ = replaced;
        return;
    }
    const std::optional<FileIdentity> look = FileIdentity::At(replaced);
    if (!look) return;
    std::error_code error;
    const auto kept =
        std::ranges::find_if(copies_, [&](const Copy& copy) { return SameFile(copy.of, *look); });
    // Kept already by a second name, which holds whatever its writer still writes. A file whose
    // other name went meanwhile is named again below, in that copy's place.
    const bool keptItself = kept != copies_.end() && kept->veryFile;
    if (keptItself && LinkedElsewhere(replaced)) {
        fs::remove(replaced, error);
        return;
    }
    // A copy of its bytes gives way to the file itself, which its writer may still be writing.
    if (kept != copies_.end() && !keptItself &&
        ::rename(replaced.c_str(), kept->path.c_str()) == 0) {
        kept->veryFile = true;
        return;
    }
    // The calendar's own version, last settled on and unchanged, holds nothing of another
    // program's: seen as it is. The exchange itself moved its change time; the rest tells the
    // file last looked at. Any other is looked at afresh.
    ParkedVersion parked{replaced, {}, {}};
    if (settled_ && !keptItself) {
        FileIdentity before = *look;
        before.changedSeconds = settled_->changedSeconds;
        before.changedNanoseconds = settled_->changedNanoseconds;
        if (before == *settled_ && SettledOnOwn(replaced))
            parked = {replaced, *look, own_->contentHash};
    }
    ParkedLook found = SettleParked(parked, target_, versions_, false);
    if (found.kind == ParkedLook::Named) {
        if (keptItself)
            kept->path = *found.copy;
        else
            copies_.push_back({*found.copy, *look, true});
        return;
    }
    // A copy whose other name went and that is not named again is told nowhere.
    if (keptItself) copies_.erase(kept);
    if (found.kind == ParkedLook::Watched) parked_.push_back(found.now);
}

std::vector<fs::path> VersionWatch::TakeCopies(bool written) {
    std::vector<fs::path> paths;
    const std::optional<FileIdentity> there = FileIdentity::At(target_);
    for (const Copy& copy : std::exchange(copies_, {})) {
        std::error_code error;
        const bool stillThere =
            there && (copy.veryFile ? SameFile(*there, copy.of) : *there == copy.of);
        if (!written && stillThere)
            fs::remove(copy.path, error);
        else
            paths.push_back(copy.path);
    }
    return paths;
}

} // namespace OutsideChanges
