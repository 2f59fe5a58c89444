#include "platform/TextStream.h"

#include <algorithm>
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
    // Read in one piece when the size is known (an event file can be tens of megabytes);
    // a file that has no size, a pipe say, is read to its end.
    std::error_code error;
    const auto size = fs::file_size(item.Path(), error);
    std::string text;
    if (!error && size > 0) {
        text.resize(size);
        file.read(text.data(), static_cast<std::streamsize>(size));
        if (file.bad()) return std::nullopt;
        text.resize(static_cast<size_t>(file.gcount()));
        if (file.gcount() < static_cast<std::streamsize>(size))
            return TextInputStream(std::move(text));
    }
    std::ostringstream rest;
    rest << file.rdbuf();
    if (file.bad()) return std::nullopt;
    text += std::move(rest).str();
    return TextInputStream(std::move(text));
}

std::string TextInputStream::ReadLine() {
    return std::string(ReadLineView());
}

std::string_view TextInputStream::ReadLineView() {
    const std::string_view text(text_);
    const size_t start = std::min(position_, text.size());
    // A plain loop: find_first_of tests every character against the set with a call.
    size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
        ++end;
    if (end == text.size()) {
        position_ = text.size();
        return text.substr(start);
    }
    position_ = end + 1;
    if (text[end] == '\r' && position_ < text.size() && text[position_] == '\n') ++position_;
    return text.substr(start, end - start);
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
