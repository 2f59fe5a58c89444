#include "platform/FileProblem.h"

#include "platform/TestSeams.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr char kReadOnlyDisk[] = "The disk it is on is mounted read-only.";
constexpr char kFolderClosed[] = "You may not open its folder.";

std::string SystemWords(int error) {
    return SystemErrorText(error) + ".";
}

// 0 when the file or folder at path may be written (and, for a folder, entered); else why not.
int MayNotWrite(const fs::path& path, int how) {
    if (TestSeams::FileCallFails(TestSeams::FileCall::MayWrite)) return errno;
    return ::access(path.c_str(), how) == 0 ? 0 : errno;
}

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Empty when target's own folder stands; else why target cannot be reached: that folder or one
// above it missing, or something else in the place of one. The nearest that stands says which.
std::string FolderProblem(const fs::path& target) {
    for (fs::path folder = FolderOf(target);; folder = FolderOf(folder)) {
        struct stat status {};
        if (::stat(folder.c_str(), &status) == 0) {
            if (S_ISDIR(status.st_mode))
                return folder == FolderOf(target) ? "" : "Its folder is missing.";
            return S_ISREG(status.st_mode) ? "There is a file where its folder should be."
                                           : "Something else stands where its folder should be.";
        }
        if (errno == EACCES) return kFolderClosed;
        if (errno != ENOENT && errno != ENOTDIR) return SystemWords(errno);
        if (folder == FolderOf(folder)) return "Its folder is missing.";
    }
}

// Why a file that is there, regular and writable by its mode, may not be written.
std::string RefusedFile(const struct stat& status, int refused) {
    if (refused == EROFS) return kReadOnlyDisk;
    if (refused == EACCES && status.st_uid != ::geteuid())
        return "It belongs to another user, who has not let you change it.";
    return refused == EACCES || refused == EPERM ? "You may not change it." : SystemWords(refused);
}
} // namespace

std::string FileProblem(const fs::path& path, int error) {
    const fs::path target = WriteTarget(path);
    struct stat status {};
    // What stands there comes first: the error of a write that failed over it may be stale.
    if (::stat(target.c_str(), &status) != 0) {
        const int missing = errno;
        if (missing == EACCES) return kFolderClosed;
        if (missing != ENOENT && missing != ENOTDIR) return SystemWords(missing);
        if (std::string why = FolderProblem(target); !why.empty()) return why;
    } else if (S_ISDIR(status.st_mode)) {
        return "There is a folder in its place.";
    } else if (S_ISFIFO(status.st_mode)) {
        return "There is a pipe in its place.";
    } else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
        return "There is a device in its place.";
    } else if (!S_ISREG(status.st_mode)) {
        return "It is not a regular file.";
    } else if ((status.st_mode & S_IWUSR) == 0) {
        return "The file is read-only.";
    } else if (const int refused = MayNotWrite(target, W_OK)) {
        return RefusedFile(status, refused);
    }
    // The write makes its file beside the old one, in the same folder.
    const int refused = MayNotWrite(FolderOf(target), W_OK | X_OK);
    if (refused == EROFS) return kReadOnlyDisk;
    if (refused == EACCES) return "You may not write in its folder.";
    if (error == ENOSPC || error == EDQUOT) return "There is no room left on the disk.";
    // A write waits only so long for another program that goes on changing the file.
    if (error == EBUSY) return "Another program was still changing it.";
    if (error != 0) return SystemWords(error);
    return "The system gave no reason.";
}
