#pragma once
// Whether some process may still write a file: a program that emptied the event file and writes
// it later (a redirect waiting for a passphrase, a stalled download, an append opened before a
// save) holds it open for writing all the while, and its text goes to that very file.
#include <filesystem>

enum class Writers {
    Some,     // a process holds it open for writing
    NoneHere, // none on this machine; one elsewhere (a network or FUSE mount) cannot be seen
    None,     // none anywhere: a local file system that no process holds it open for writing on
};

// Asks the system first: a read lease is refused while any descriptor holds the file open for
// writing, and is let go of at once. Where leases are refused (network and FUSE file systems, a
// file of another owner), the user's processes' open files are looked through instead. A file
// that cannot be opened or looked at counts as NoneHere.
Writers WritersOf(const std::filesystem::path& path);

// Whether the file lies on a file system that no other machine writes to and whose link counts
// are current: a FUSE or network mount may report a count from before the last rename for a while.
bool OnlyThisMachineWrites(const std::filesystem::path& path);
