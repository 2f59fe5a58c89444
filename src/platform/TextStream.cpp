#include "platform/TextStream.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

std::optional<TextInputStream> TextInputStream::Open(const FolderItem& item) {
    if (!item || item.Directory()) return std::nullopt;
    std::ifstream file(item.Path(), std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream contents;
    contents << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return TextInputStream(std::move(contents).str());
}

std::string TextInputStream::ReadLine() {
    const size_t start = position_;
    size_t end = start;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
        ++end;
    if (end == text_.size()) {
        position_ = text_.size();
        return text_.substr(start);
    }
    position_ = end + 1;
    if (text_[end] == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
    return text_.substr(start, end - start);
}

std::string TextInputStream::ReadAll() {
    std::string rest = text_.substr(std::min(position_, text_.size()));
    position_ = text_.size();
    return rest;
}

std::optional<TextOutputStream> TextOutputStream::Create(const FolderItem& item) {
    if (!item || item.Directory()) return std::nullopt;
    const fs::path& target = item.Path();
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX"));
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return std::nullopt;
    fchmod(fd, 0644);
    return TextOutputStream(target, fs::path(pattern), fd);
}

TextOutputStream::TextOutputStream(TextOutputStream&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)),
      fd_(std::exchange(other.fd_, -1)), buffer_(std::move(other.buffer_)) {}

TextOutputStream::~TextOutputStream() {
    Discard();
}

void TextOutputStream::Discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    std::error_code error;
    fs::remove(temporary_, error);
}

bool TextOutputStream::Close() {
    if (fd_ < 0) return false;
    const char* data = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            Discard();
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    // The descriptor is closed whether or not the data reached the disk.
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    std::error_code error;
    if (synced && closed) fs::rename(temporary_, target_, error);
    if (!synced || !closed || error) {
        fs::remove(temporary_, error);
        return false;
    }
    return true;
}
