#include "platform/Mutex.h"

#include "platform/Exceptions.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Mutex::Mutex(std::string name) : name_(std::move(name)) {}

Mutex::Mutex(std::string name, std::filesystem::path folder, bool makeFolder)
    : name_(std::move(name)), folder_(std::move(folder)), makeFolder_(makeFolder) {}

Mutex::~Mutex() {
    Leave();
}

bool Mutex::TryEnter() {
    if (fd_ >= 0) return true;
    std::filesystem::path folder;
    if (folder_) {
        if (folder_->empty()) throw IOException("no folder for the lock " + name_);
        folder = *folder_;
    } else {
        const FolderItem preferences = SpecialFolder::Preferences();
        if (!preferences) throw IOException("no configuration folder for the lock " + name_);
        folder = preferences.Path();
    }
    std::error_code made;
    if (makeFolder_) std::filesystem::create_directories(folder, made);
    const auto path = folder / (name_ + ".lock");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throw IOException(path.string() + ": " + SystemErrorText(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return false;
        throw IOException(path.string() + ": " + SystemErrorText(error));
    }
    fd_ = fd;
    return true;
}

void Mutex::Leave() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}
