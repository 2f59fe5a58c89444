#include "platform/FileWriters.h"

#include "platform/TestSeams.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// File systems that no other machine writes to: a process that holds a file open for writing on
// one of them is a process of this machine, which a lease or its open files show. Any other
// (NFS, SMB, FUSE, a cluster's) may have a writer elsewhere.
bool Local(const struct statfs& system) {
    switch (static_cast<unsigned long>(system.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // XFS
    case 0x9123683E: // Btrfs
    case 0x01021994: // tmpfs
    case 0x858458F6: // ramfs
    case 0xF2F52010: // F2FS
    case 0xCA451A4E: // bcachefs
    case 0x2FC12FC1: // ZFS
    case 0x3153464A: // JFS
    case 0x52654973: // ReiserFS
    case 0x4D44:     // FAT
    case 0x2011BAB0: // exFAT
    case 0x5346544E: // NTFS
    case 0x482B:     // HFS+
    case 0x794C7630: // overlayfs, over local layers (a container's)
    case 0xF15F:     // eCryptfs, over a local home
        return true;
    default:
        return false;
    }
}

bool OnlyThisMachineWrites(int fd) {
    struct statfs system {};
    return ::fstatfs(fd, &system) == 0 && Local(system);
}

// Whether the open files of the processes this user may look at hold the file (device, inode)
// open for writing; none when they cannot be looked at.
std::optional<bool> OpenForWritingByAProcess(dev_t device, ino_t inode) {
    DIR* processes = ::opendir("/proc");
    if (!processes) return std::nullopt;
    bool held = false;
    while (const dirent* process = ::readdir(processes)) {
        const std::string pid = process->d_name;
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = "/proc/" + pid + "/fd";
        DIR* files = ::opendir(folder.c_str());
        if (!files) continue; // another user's, or gone
        while (const dirent* file = ::readdir(files)) {
            const std::string fd = file->d_name;
            if (fd.find_first_not_of("0123456789") != std::string::npos) continue;
            struct stat status {};
            if (::stat((folder + "/" + fd).c_str(), &status) != 0 || status.st_dev != device ||
                status.st_ino != inode)
                continue;
            // "flags:" and the open's flags in octal.
            std::ifstream info("/proc/" + pid + "/fdinfo/" + fd);
            std::string word, flags;
            while (info >> word && word != "flags:") {
            }
            info >> flags;
            const long mode = std::strtol(flags.c_str(), nullptr, 8) & O_ACCMODE;
            if (mode == O_WRONLY || mode == O_RDWR) held = true;
            if (held) break;
        }
        ::closedir(files);
        if (held) break;
    }
    ::closedir(processes);
    return held;
}
} // namespace

bool OnlyThisMachineWrites(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool local = OnlyThisMachineWrites(fd);
    ::close(fd);
    return local;
}

Writers WritersOf(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    // A write lease of another program's (a file server's) is a writer too.
    if (fd < 0) return errno == EWOULDBLOCK ? Writers::Some : Writers::NoneHere;
    struct stat status {};
    const bool measured = ::fstat(fd, &status) == 0;
    const bool local = OnlyThisMachineWrites(fd);
    // Taken and let go of at once. A lease broken meanwhile signals its holder: by default with
    // SIGIO, which would end the program; SIGURG is ignored unless a handler is set.
    ::fcntl(fd, F_SETSIG, SIGURG);
    const bool leased = !TestSeams::FileCallFails(TestSeams::FileCall::TakeLease) &&
                        ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
    const int refused = leased ? 0 : errno;
    if (leased) {
        TestSeams::ReachWriteMoment(TestSeams::WriteMoment::WhileLeased);
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
    }
    ::close(fd);
    if (leased) return local ? Writers::None : Writers::NoneHere;
    if (refused == EAGAIN) return Writers::Some;
    const std::optional<bool> held =
        measured ? OpenForWritingByAProcess(status.st_dev, status.st_ino) : std::nullopt;
    return held && *held ? Writers::Some : Writers::NoneHere;
}

namespace {
// Whether path's folder lies on a local file system. Asked of the folder, without opening the
// file: a cloud mount moves the times of a file it opens.
bool InALocalFolder(const fs::path& path) {
    struct statfs system {};
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    return ::statfs(folder.c_str(), &system) == 0 && Local(system);
}
} // namespace

bool LinksKeepOneFile(const fs::path& path) {
    return InALocalFolder(path);
}

bool TimesAndNumbersHold(const fs::path& path) {
    return InALocalFolder(path);
}

bool MayBeUnchanged(const fs::path& path, const FileIdentity& a, const FileIdentity& b) {
    return a == b || (a.device == b.device && a.size == b.size && !TimesAndNumbersHold(path));
}
