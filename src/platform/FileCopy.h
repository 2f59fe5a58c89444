#pragma once
// New files under names that nothing had: a rescue file of what could not be saved, a copy of
// another program's version of a file kept beside it. Each is written whole under a temporary
// name, flushed, and only then given its name, never over another file, so that a kill midway
// leaves no cut file under such a name; the folder is flushed after, so that a power cut does not
// take the name away again.
#include "platform/FileVersion.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// count letters and digits that nobody can guess ahead of time: a name that holds them cannot be
// taken in advance by another user of a folder that everyone can write (/tmp, /var/tmp).
std::string UnguessableLetters(size_t count);

// Writes text, readable by its owner only, under the first free one of name(1), name(2) ...
// name(tries) in folder: the new file's path, or none when the write fails, a name is refused for
// another reason than being taken, or none is free. A name in use is passed over, never replaced.
std::optional<std::filesystem::path>
WriteNewFileUnderFreeName(const std::filesystem::path& folder,
                          const std::function<std::string(int)>& name, std::string_view text,
                          int tries);

// Puts a new file of text, readable by its owner only, in path's place: written whole under a
// temporary name beside it, then renamed over whatever has the name (a link itself, never the
// file it names). False (path left as it was) when that fails.
bool ReplaceWithPrivateFile(const std::filesystem::path& path, std::string_view text);

// Whether path names a regular file of this user's own, itself and not through a link: a file
// that another user put under a name of the user's in a folder everyone can write is not.
bool OwnRegularFile(const std::filesystem::path& path);

// Renames the file at path to the first free one of name(1) ... name(tries) in folder, never
// over another file (where the file system cannot rename so, a second link, or a new file of a
// copy of its bytes); the new path, or none (errno set) with the file left where it was.
std::optional<std::filesystem::path> RenameToFreeName(const std::filesystem::path& path,
                                                      const std::filesystem::path& folder,
                                                      const std::function<std::string(int)>& name,
                                                      int tries);

// As RenameToFreeName, for a file that another program may still hold open and write: its bytes
// are never copied to a new file, where that program's next writes would be lost; where neither
// a rename that never replaces nor a link is had, a rename after a look that the name is free.
std::optional<std::filesystem::path>
MoveHeldFileToFreeName(const std::filesystem::path& path, const std::filesystem::path& folder,
                       const std::function<std::string(int)>& name, int tries);

// Gives the file at path a second name, the first free one of name(1) ... name(tries) in folder,
// never over another file: whatever is written to the file after lands under both. The new
// path, or none (errno set) where the file system has no links that keep one file (FUSE and
// network mounts: ENOTSUP), refuses the link, or no name is free.
std::optional<std::filesystem::path> LinkToFreeName(const std::filesystem::path& path,
                                                    const std::filesystem::path& folder,
                                                    const std::function<std::string(int)>& name,
                                                    int tries);

struct FileCopy {
    std::optional<std::filesystem::path> path; // none when no copy was made
    FileVersion version;                       // of the file copied, as it stayed while copied
    int error = 0; // why no copy was made; 0 when the file changed or went while it was copied
};

// Copies the regular file at source beside it, under the first free one of name(1) ...
// name(tries), readable by its owner only: read and written a piece at a time, so that a file of
// any size costs one piece of memory. The copy is whole only when the file opened stayed the one
// expected from the copy's start to its end (another file may have taken its name meanwhile);
// otherwise nothing is left and the error is 0. A file larger than the room left on the disk is
// refused at once (ENOSPC; a file system that reports no blocks leaves the room unknown), and a
// copy that cannot be flushed or closed fails with that error.
FileCopy CopyWholeUnderFreeName(const std::filesystem::path& source, const FileIdentity& expected,
                                const std::function<std::string(int)>& name, int tries);

// The version of the regular file at path, its text read a piece at a time; none when there is
// none, it cannot be read, or it changed while it was read.
std::optional<FileVersion> ReadFileVersion(const std::filesystem::path& path);
