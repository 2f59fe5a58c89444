#pragma once
// Whether some process may still write a file: a program that emptied the event file and writes
// it later (a redirect waiting for a passphrase, a stalled download, an append opened before a
// save) holds it open for writing all the while, and its text goes to that very file.
#include "platform/FileVersion.h"

#include <filesystem>

enum class Writers {
    Some,     // a process holds it open for writing
    NoneHere, // none on this machine; one elsewhere (a network or FUSE mount) cannot be seen
    None,     // none anywhere: a local file system that no process holds it open for writing on
};

// Asks the system first: a read lease is refused while any descriptor holds the file open for
// writing, and is let go of at once. On a FUSE mount it sees the writers of the file's kernel
// inode, which a rename keeps but a second name does not have (LinksKeepOneFile). Where leases are
// refused (some network file systems, a file of another owner), the user's processes' open files
// are looked through instead. A file that cannot be opened or looked at counts as NoneHere.
Writers WritersOf(const std::filesystem::path& path);

// Whether the file lies on a file system that no other machine writes to and whose link counts
// are current: a FUSE or network mount may report a count from before the last rename for a while.
bool OnlyThisMachineWrites(const std::filesystem::path& path);

// Whether a second name given to a file at path (a link) is a name of that one file, which a
// writer of either name writes and a lease or a look at either sees: on a local file system. A
// FUSE mount may number each name apart, give each its own kernel inode, or refuse links.
bool LinksKeepOneFile(const std::filesystem::path& path);

// Whether a file's times and number at path tell its changes, as on a local file system. A cloud
// mount moves the times of a file it opens or uploads, and numbers files by their names or afresh
// for a while after a rename; there, what a file holds tells.
bool TimesAndNumbersHold(const std::filesystem::path& path);
// Whether two looks at the file at path may be one unchanged file: the same identity, or, where
// times and numbers do not hold, the same size on the same file system (its text then decides).
bool MayBeUnchanged(const std::filesystem::path& path, const FileIdentity& a,
                    const FileIdentity& b);
