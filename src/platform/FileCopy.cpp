#include "platform/FileCopy.h"

#include "platform/FileWriters.h"
#include "platform/FileWrites_p.h"
#include "platform/FolderItem.h"
#include "platform/TestSeams.h"
#include "platform/TextStream.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;
using namespace file_writes;

namespace {
constexpr size_t kPiece = 1 << 20;
using TestSeams::FileCall;
using TestSeams::FileCallFails;

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Hands the file open at fd to take a piece at a time, from its start; false when it cannot be
// read or take says no more.
bool ReadInPieces(int fd, const std::function<bool(std::string_view)>& take) {
    const auto piece = std::make_unique_for_overwrite<char[]>(kPiece);
    for (off_t offset = 0;;) {
        const ssize_t count = ::pread(fd, piece.get(), kPiece, offset);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        if (count == 0) return true;
        if (!take(std::string_view(piece.get(), static_cast<size_t>(count)))) return false;
        offset += count;
    }
}

// Flushes and closes fd, the temporary file at temporary; false (the file gone, errno set) when
// either fails.
bool Finish(int fd, const fs::path& temporary, bool written) {
    bool ok = written;
    int error = ok ? 0 : errno;
    if (!SyncFile(fd) && ok) ok = false, error = errno;
    if (!CloseFile(fd) && ok) ok = false, error = errno;
    if (!ok) ::unlink(temporary.c_str());
    errno = error;
    return ok;
}

// Makes path anew, never over another file, and copies the file at temporary into it, whole and
// flushed; false (path gone, errno set) otherwise, EEXIST when the name is taken.
bool CreateCopy(const fs::path& temporary, const fs::path& path) {
    struct stat status {};
    const Descriptor in{OpenRegularFile(temporary, &status)};
    if (in.fd < 0) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          status.st_mode & 0777);
    if (fd < 0) return false;
    const bool written =
        ReadInPieces(in.fd, [&](std::string_view text) { return WriteAll(fd, text); });
    return Finish(fd, path, written);
}

// Moves from to to unless something has that name; false with EEXIST when it has. A file system
// that cannot rename without replacing gets a second link where a link keeps one file, which never
// replaces either; anywhere else, lastly.
bool MoveWithoutReplacing(const fs::path& from, const fs::path& to,
                          bool (*lastly)(const fs::path&, const fs::path&)) {
    if (RenameWithoutReplacing(from, to)) return true;
    if (!Lacking(errno)) return false;
    if (LinkWithoutReplacing(from, to)) {
        ::unlink(from.c_str());
        return true;
    }
    return errno != EEXIST && lastly(from, to);
}

// A file nobody else holds (one just written): an exclusive create of path with a copy of its
// bytes, never over another file.
bool NameWithoutReplacing(const fs::path& temporary, const fs::path& path) {
    return MoveWithoutReplacing(temporary, path, [](const fs::path& from, const fs::path& to) {
        if (!CreateCopy(from, to)) return false;
        ::unlink(from.c_str());
        return true;
    });
}

// A file another program may still hold and write: its bytes are never copied, as what it writes
// next would go to a file without a name; a rename after a look that nothing has the name.
bool MoveHeldFile(const fs::path& from, const fs::path& to) {
    return MoveWithoutReplacing(from, to, RenameAfterALook);
}

// The first free one of name(1) ... name(tries) in folder that move gives the file at path.
std::optional<fs::path> MoveToFreeName(const fs::path& path, const fs::path& folder,
                                       const std::function<std::string(int)>& name, int tries,
                                       bool (*move)(const fs::path&, const fs::path&)) {
    for (int number = 1; number <= tries; ++number) {
        const fs::path named = folder / name(number);
        if (move(path, named)) {
            SyncFolder(folder);
            return named;
        }
        // Only a name in use is worth another try; anything else fails the same way again.
        if (errno != EEXIST) break;
    }
    return std::nullopt;
}

// Gives the whole file at temporary the first free one of name(1) ... name(tries) in folder; its
// path, or none (and the temporary file gone).
std::optional<fs::path> GiveFreeName(const fs::path& temporary, const fs::path& folder,
                                     const std::function<std::string(int)>& name, int tries) {
    std::optional<fs::path> path = RenameToFreeName(temporary, folder, name, tries);
    if (!path) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
    }
    return path;
}

// Whether the file open at fd, read from path, is still the one expected. One that lost its name
// meanwhile (another file renamed over it) has a new change time but the same text.
bool StillTheFile(int fd, const FileIdentity& expected, const fs::path& path) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return false;
    FileIdentity now = FileIdentity::Of(status);
    if (status.st_nlink == 0) {
        now.changedSeconds = expected.changedSeconds;
        now.changedNanoseconds = expected.changedNanoseconds;
    }
    return MayBeUnchanged(path, now, expected);
}

} // namespace

namespace file_writes {
bool Lacking(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EPERM;
}

bool RenameWithoutReplacing(const fs::path& from, const fs::path& to) {
    return !FileCallFails(FileCall::RenameWithoutReplacing) &&
           ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

bool RenameAfterALook(const fs::path& from, const fs::path& to) {
    struct stat status {};
    if (::lstat(to.c_str(), &status) == 0) errno = EEXIST;
    return errno == ENOENT && ::rename(from.c_str(), to.c_str()) == 0;
}

bool LinkWithoutReplacing(const fs::path& from, const fs::path& to) {
    // On FUSE and network mounts a second name is no second name of one file: each may get a
    // number and a kernel inode of its own (what one writer writes, a look at the other misses),
    // or the link is refused with any error at all. A rename keeps the one file there.
    if (!LinksKeepOneFile(from)) {
        errno = ENOTSUP;
        return false;
    }
    return !FileCallFails(FileCall::LinkFile) && ::link(from.c_str(), to.c_str()) == 0;
}

bool TooLargeForTheRoom(uintmax_t size, const struct statvfs& room) {
    // No blocks at all is a file system that does not tell its size: room unknown, not none.
    return room.f_blocks != 0 && size > static_cast<uintmax_t>(room.f_bavail) * room.f_frsize;
}
} // namespace file_writes

std::string UnguessableLetters(size_t count) {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    if (std::string drawn = TestSeams::TakeUnguessableLetters(); !drawn.empty()) return drawn;
    // The system's own source of randomness: a generator's next output can be worked out from
    // the names it made before, which anyone can list.
    std::random_device source;
    std::string letters(count, ' ');
    for (char& letter : letters)
        letter = kLetters[source() % kLetters.size()];
    return letters;
}

std::optional<fs::path> LinkToFreeName(const fs::path& path, const fs::path& folder,
                                       const std::function<std::string(int)>& name, int tries) {
    return MoveToFreeName(path, folder, name, tries, LinkWithoutReplacing);
}

std::optional<fs::path> RenameToFreeName(const fs::path& path, const fs::path& folder,
                                         const std::function<std::string(int)>& name, int tries) {
    return MoveToFreeName(path, folder, name, tries, NameWithoutReplacing);
}

std::optional<fs::path> MoveHeldFileToFreeName(const fs::path& path, const fs::path& folder,
                                               const std::function<std::string(int)>& name,
                                               int tries) {
    return MoveToFreeName(path, folder, name, tries, MoveHeldFile);
}

std::optional<fs::path> WriteNewFileUnderFreeName(const fs::path& folder,
                                                  const std::function<std::string(int)>& name,
                                                  std::string_view text, int tries) {
    fs::path temporary;
    const int fd = OpenTemporaryBeside(folder / name(1), 0600, temporary);
    if (fd < 0) return std::nullopt;
    if (!Finish(fd, temporary, WriteAll(fd, text))) return std::nullopt;
    return GiveFreeName(temporary, folder, name, tries);
}

bool ReplaceWithPrivateFile(const fs::path& path, std::string_view text) {
    fs::path temporary;
    const int fd = OpenTemporaryBeside(path, 0600, temporary);
    if (fd < 0 || !Finish(fd, temporary, WriteAll(fd, text))) return false;
    if (::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

bool OwnRegularFile(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid();
}

FileCopy CopyWholeUnderFreeName(const fs::path& source, const FileIdentity& expected,
                                const std::function<std::string(int)>& name, int tries) {
    FileCopy copy;
    struct stat status {};
    const Descriptor in{OpenRegularFile(source, &status)};
    if (in.fd < 0) {
        copy.error = errno == ENOENT ? 0 : errno;
        return copy;
    }
    if (!MayBeUnchanged(source, FileIdentity::Of(status), expected)) return copy;
    const fs::path folder = source.parent_path();
    struct statvfs room {};
    if (::statvfs(folder.c_str(), &room) == 0 &&
        file_writes::TooLargeForTheRoom(static_cast<uintmax_t>(status.st_size), room)) {
        copy.error = ENOSPC;
        return copy;
    }
    // Named as a write of the file copied: the start-up's cleanup removes what a kill left.
    fs::path temporary;
    const int fd = OpenTemporaryBeside(source, 0600, temporary);
    if (fd < 0) {
        copy.error = errno;
        return copy;
    }
    ContentHash hash;
    bool first = true;
    const bool written = ReadInPieces(in.fd, [&](std::string_view text) {
        hash.Add(text);
        if (!WriteAll(fd, text)) return false;
        if (std::exchange(first, false))
            TestSeams::ReachWriteMoment(TestSeams::WriteMoment::DuringACopy);
        return true;
    });
    // Whole only when nothing changed the file meanwhile; another file put in its place since
    // leaves the copy whole, of the version it replaced.
    const bool whole = written && StillTheFile(in.fd, expected, source);
    // A copy that cannot be flushed or closed fails with that reason; one whose file changed is
    // taken again.
    if (!Finish(fd, temporary, written && whole)) {
        copy.error = written && !whole ? 0 : errno;
        return copy;
    }
    copy.version = FileVersion::Measured(expected, hash.Value());
    copy.path = GiveFreeName(temporary, folder, name, tries);
    if (!copy.path) copy.error = errno;
    return copy;
}

std::optional<FileVersion> ReadFileVersion(const fs::path& path) {
    struct stat status {};
    const Descriptor in{OpenRegularFile(path, &status)};
    if (in.fd < 0) return std::nullopt;
    const FileIdentity identity = FileIdentity::Of(status);
    ContentHash hash;
    const bool read = ReadInPieces(in.fd, [&](std::string_view text) {
        hash.Add(text);
        return true;
    });
    const std::optional<FileIdentity> there = FileIdentity::At(path);
    if (!read || !StillTheFile(in.fd, identity, path) || !there ||
        !MayBeUnchanged(path, *there, identity))
        return std::nullopt;
    return FileVersion::Measured(identity, hash.Value());
}
