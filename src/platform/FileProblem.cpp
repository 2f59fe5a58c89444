#include "platform/FileProblem.h"

#include "platform/Text.h"
#include "platform/TextStream.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string SystemWords(int error) {
    return SystemErrorText(error) + ".";
}
} // namespace

std::string FileProblem(const fs::path& path, int error) {
    const fs::path target = WriteTarget(path);
    struct stat status {};
    // What stands there comes first: the error of a write that failed over it may be stale.
    if (::stat(target.c_str(), &status) != 0) {
        const int missing = errno;
        struct stat folder {};
        const fs::path parent = target.has_parent_path() ? target.parent_path() : fs::path(".");
        if (::stat(parent.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
            return "Its folder is missing.";
        if (missing != ENOENT) return SystemWords(missing);
    } else if (S_ISDIR(status.st_mode)) {
        return "There is a folder in its place.";
    } else if (S_ISFIFO(status.st_mode)) {
        return "There is a pipe in its place.";
    } else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
        return "There is a device in its place.";
    } else if (!S_ISREG(status.st_mode)) {
        return "It is not a regular file.";
    } else if ((status.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0) {
        return "The file is read-only.";
    }
    if (error == ENOSPC || error == EDQUOT) return "There is no room left on the disk.";
    // A write waits only so long for another program that goes on changing the file.
    if (error == EBUSY) return "Another program was still changing it.";
    if (error != 0) return SystemWords(error);
    return "The system gave no reason.";
}
