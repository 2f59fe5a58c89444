#include "platform/Mutex.h"

#include "platform/Exceptions.h"
#include "platform/FolderItem.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Mutex::Mutex(std::string name) : name_(std::move(name)) {}

Mutex::~Mutex() {
    Leave();
}

bool Mutex::TryEnter() {
    if (fd_ >= 0) return true;
    const FolderItem folder = SpecialFolder::Preferences();
    if (!folder) throw IOException("no configuration folder for the lock " + name_);
    std::error_code made;
    std::filesystem::create_directories(folder.Path(), made);
    const auto path = folder.Child(name_ + ".lock").Path();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throw IOException(path.string() + ": " + std::strerror(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return false;
        throw IOException(path.string() + ": " + std::strerror(error));
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
