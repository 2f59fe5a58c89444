#pragma once
// Files that a save of the event file replaced and that keep a parking name beside it while a
// program may still write them, and the one judgement of what becomes of each: the save that
// parks one, the running watch, a closing window and the next start all ask SettleParked.
#include "platform/FileVersion.h"

#include <filesystem>
#include <optional>
#include <span>

namespace OutsideChanges {

// The most copies of another program's versions named within one second.
inline constexpr int kMostCopies = 999;

// A file that a save replaced and that keeps its parking name while a program may still write it
// (a shell's redirect empties the file first and writes a moment later; an append opened before
// the save writes into the file it holds), as it was last seen holding nothing of its own: empty,
// or a text the calendar knows. An identity of nothing ({}) when it was never seen so; held: the
// hash of the text it held then, which a later look compares once its identity has moved (a link
// count or a FUSE mount's cache moves its change time, a start knows no earlier texts).
struct ParkedVersion {
    std::filesystem::path path;
    FileIdentity seen;
    std::optional<uint64_t> held;
};

// Names the file at path beside target as a copy of another program's version, never over
// another file; none (errno set) when it cannot.
std::optional<std::filesystem::path> NameCopy(const std::filesystem::path& path,
                                              const std::filesystem::path& target);

// What became of a parked file at a look: gone (another program took it away); removed, as
// nobody may write it any more and it holds nothing of its own; named as a copy beside the event
// file (copy), as it holds text of its own; or watched on: now is then what it holds, or, when it
// could not be named, what it held before, so that the next look tries again; changed when its
// size, modification time or text moved since it was seen (not its change time alone).
struct ParkedLook {
    enum Kind { Gone, Removed, Named, Watched } kind = Gone;
    ParkedVersion now;
    std::optional<std::filesystem::path> copy;
    bool changed = false;
};

// Settles a parked file from what is true now; every road that meets one asks it (the save that
// parks it, the watch, a closing window, the next start). Text of its own (neither the parked
// identity seen, nor empty, nor the text held when seen, nor one of the known texts) is named at
// once; a file with nothing of its own goes once no process holds it open for writing, where a
// writer elsewhere cannot be seen (a network mount) only once it has also stayed as seen a while
// (quietAWhile). A file with text of its own is never removed.
ParkedLook SettleParked(const ParkedVersion& parked, const std::filesystem::path& target,
                        std::span<const FileVersion> known, bool quietAWhile);

// Whether the file at path, of that identity, is version: the same file unchanged, its text
// compared too when the version was racy.
bool IsVersion(const std::filesystem::path& path, const FileIdentity& identity,
               const FileVersion& version);
// Whether the file at path, of that identity, holds one of the known texts though it is another
// file (touched, or written back the same); found receives its version when it was read. Only a
// file of a known text's size is read for it.
bool HoldsAKnownText(const std::filesystem::path& path, const FileIdentity& identity,
                     std::span<const FileVersion> known, std::optional<FileVersion>& found);

// Whether a and b are one file (device and inode), whatever its size or times.
bool SameFile(const FileIdentity& a, const FileIdentity& b);
// Whether the file at path has another name besides.
bool LinkedElsewhere(const std::filesystem::path& path);

} // namespace OutsideChanges
