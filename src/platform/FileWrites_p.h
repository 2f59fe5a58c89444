#pragma once
// The steps that every whole write of a file shares (the event file replaced, a new file made
// under a free name): the temporary file beside its target, and the system calls a disk may
// refuse, each through the seam that lets a test refuse it. A file is whole on the disk only
// once it is flushed and closed without an error: until then it must not take a name.
#include "platform/FileVersion.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

struct statvfs;

namespace file_writes {

// The start of the names of the temporary files that writes of target use, beside it.
std::string TemporaryPrefix(const std::filesystem::path& target);
// Makes a new temporary file beside target, with mode less what the umask takes away; its
// descriptor (-1 when it cannot be made) and, in temporary, its path.
int OpenTemporaryBeside(const std::filesystem::path& target, mode_t mode,
                        std::filesystem::path& temporary);

// Writes all of text at fd; false (errno set) when the disk takes not all of it.
bool WriteAll(int fd, std::string_view text);
bool SyncFile(int fd);
// Closes fd in any case; false when the system reported an error.
bool CloseFile(int fd);
std::optional<FileIdentity> MeasureFile(int fd);
// Whether a failed call means the file system has no such call, rather than that it refused it.
bool Lacking(int error);
// Renames from to to unless something has that name (false, EEXIST); false with an error that
// Lacking accepts where the file system cannot rename so.
bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames from to to after a look that nothing has that name (false, EEXIST): for a file system
// that cannot rename without replacing, where a file put there in between is lost.
bool RenameAfterALook(const std::filesystem::path& from, const std::filesystem::path& to);
// A second name to for the file at from, never over another file; false (errno set) where the
// file system has no links that keep one file (ENOTSUP), refuses it, or to is taken (EEXIST).
bool LinkWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Whether a file of size bytes is larger than the room the file system reports.
bool TooLargeForTheRoom(uintmax_t size, const struct statvfs& room);

} // namespace file_writes
