#include "platform/TextStream.h"

#include "platform/FileCopy.h"
#include "platform/FileWriters.h"
#include "platform/FileWrites_p.h"
#include "platform/InParts.h"
#include "platform/LargePages.h"
#include "platform/TestSeams.h"
#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr size_t kPieceSize = 256 * 1024;
constexpr size_t kSmallestPiece = 4096;
// A temporary file's name ends in this marker and what mkstemp puts in place of the X's: a
// name no user or other program would give a file of theirs, so that the start-up cleanup
// never takes one (".Calendar.tpc.backup" is the user's).
constexpr std::string_view kTemporaryMarker = "ombrelline-write-";
constexpr std::string_view kTemporarySuffix = "XXXXXX";
// A finished write that is to exchange places with the file it replaces takes this marker first,
// so that the file it parks under that name is never taken for an unfinished write.
constexpr std::string_view kParkedMarker = "ombrelline-parked-";

} // namespace

fs::path WriteTarget(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

namespace file_writes {
std::string TemporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + "." + std::string(kTemporaryMarker);
}
} // namespace file_writes

namespace {

// Reads [from, to) of the file into the same places of into; false when the file ends early or
// cannot be read.
bool ReadPart(int fd, char* into, size_t from, size_t to) {
    // Fresh memory is touched here, a byte a page, before the system copies into it: a fault
    // taken inside the copy locks the whole address space, and makes the toolkit's start beside
    // it (which maps its libraries under that lock) wait for every page.
    constexpr size_t kPageBytes = 4096;
    for (size_t at = from; at < to; at += kPageBytes)
        static_cast<volatile char*>(into)[at] = 0;
    while (from < to) {
        const ssize_t count = ::pread(fd, into + from, to - from, static_cast<off_t>(from));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        from += static_cast<size_t>(count);
    }
    return true;
}

// Reads the first size bytes of a file. Reaching fresh memory and copying a large file from the
// system's cache into it is most of the time its reading takes, so threads copy a part each, up
// to one a core.
bool ReadInParts(int fd, char* into, size_t size) {
    constexpr size_t kPartSize = 8 << 20;
    const size_t parts =
        std::clamp<size_t>(size / kPartSize, 1, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<char> read(parts, 0); // not vector<bool>: each thread writes its own element
    RunInParts(parts, [&](size_t part) {
        read[part] = ReadPart(fd, into, size * part / parts, size * (part + 1) / parts);
    });
    return std::ranges::all_of(read, [](char done) { return done != 0; });
}
} // namespace

std::optional<TextInputStream> TextInputStream::Open(const FolderItem& item) {
    if (!item) return std::nullopt;
    struct stat status {};
    const int fd = OpenRegularFile(item.Path(), &status);
    if (fd < 0) return std::nullopt;
    const int64_t fileSize = status.st_size;
    // A small file is read in a piece of about its own size: a whole piece would be cleared for
    // nothing. A file whose size is not told (or that grows) is read on, a piece at a time.
    const size_t pieceSize =
        fileSize >= 0 ? std::clamp(static_cast<size_t>(fileSize) + 1, kSmallestPiece, kPieceSize)
                      : kPieceSize;
    TextInputStream stream(fd, pieceSize);
    // A file that cannot be read at all is no stream; later read errors end it early.
    stream.Fill();
    if (stream.failed_) return std::nullopt;
    return stream;
}

TextInputStream::TextInputStream(TextInputStream&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), failed_(other.failed_), pieceSize_(other.pieceSize_),
      text_(std::move(other.text_)), position_(other.position_) {}

TextInputStream::~TextInputStream() {
    if (fd_ >= 0) ::close(fd_);
}

bool TextInputStream::Fill() {
    if (fd_ < 0 || failed_) return false;
    // What was read is dropped first, so the text holds a piece and one line at most.
    text_.erase(0, std::min(position_, text_.size()));
    position_ = 0;
    const size_t kept = text_.size();
    text_.resize(kept + pieceSize_);
    ssize_t got = 0;
    do
        got = ::read(fd_, text_.data() + kept, pieceSize_);
    while (got < 0 && errno == EINTR);
    failed_ = got < 0;
    text_.resize(kept + static_cast<size_t>(std::max<ssize_t>(got, 0)));
    return got > 0;
}

bool TextInputStream::EndOfFile() {
    return position_ >= text_.size() && !Fill();
}

void TextInputStream::Close() {
    text_.clear();
    position_ = 0;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string TextInputStream::ReadLine() {
    return std::string(ReadLineView());
}

std::string_view TextInputStream::ReadLineView() {
    size_t end = position_;
    for (;;) {
        // A plain loop: find_first_of tests every character against the set with a call.
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        // A line break needs the character after a CR to be known (CRLF is one break).
        const bool complete = end + 1 < text_.size() || (end < text_.size() && text_[end] == '\n');
        if (complete) break;
        const size_t offset = end - position_;
        if (!Fill()) break;
        end = position_ + offset; // Fill moved the unread text to the front
    }
    const std::string_view text(text_);
    const size_t start = position_;
    if (end >= text.size()) {
        position_ = text.size();
        return text.substr(start);
    }
    position_ = end + 1;
    if (text[end] == '\r' && position_ < text.size() && text[position_] == '\n') ++position_;
    return text.substr(start, end - start);
}

std::string TextInputStream::ReadAll() {
    while (Fill()) {
    }
    std::string rest = text_.substr(std::min(position_, text_.size()));
    position_ = text_.size();
    return rest;
}

std::optional<WholeFile> ReadWholeFile(const FolderItem& item) {
    if (!item) return std::nullopt;
    struct stat status {};
    const int fd = OpenRegularFile(item.Path(), &status);
    if (fd < 0) return std::nullopt;
    const int64_t fileSize = status.st_size;
    // One byte more than the file's size, so that its end is seen without growing the block.
    size_t capacity = fileSize > 0 ? static_cast<size_t>(fileSize) + 1 : kPieceSize;
    WholeFile file{std::make_unique_for_overwrite<char[]>(capacity), 0, FileIdentity::Of(status)};
    AdviseLargePages(file.text.get(), capacity);
    // What the file holds beyond its measured size, or all of it when a part could not be read,
    // is read after, as it comes.
    const size_t measured = capacity - 1;
    if (fileSize > 0 && ReadInParts(fd, file.text.get(), measured) &&
        ::lseek(fd, static_cast<off_t>(measured), SEEK_SET) >= 0)
        file.size = measured;
    for (;;) {
        if (file.size == capacity) {
            // The file grew since it was measured: it is read to its end.
            capacity *= 2;
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            std::memcpy(larger.get(), file.text.get(), file.size);
            file.text = std::move(larger);
        }
        const ssize_t count = ::read(fd, file.text.get() + file.size, capacity - file.size);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (count == 0) break;
        file.size += static_cast<size_t>(count);
    }
    ::close(fd);
    return file;
}

std::string_view TakeLine(std::string_view& text) {
    if (text.empty()) return {};
    // The line ends at the first CR or LF; memchr finds either faster than a loop over both.
    const char* const start = text.data();
    const char* lineFeed = static_cast<const char*>(std::memchr(start, '\n', text.size()));
    const size_t length = lineFeed ? static_cast<size_t>(lineFeed - start) : text.size();
    const char* carriageReturn = static_cast<const char*>(std::memchr(start, '\r', length));
    const size_t end = carriageReturn ? static_cast<size_t>(carriageReturn - start) : length;
    const std::string_view line = text.substr(0, end);
    // CRLF is one break.
    const bool crlf = carriageReturn && end + 1 == length && lineFeed;
    text.remove_prefix(std::min(end + (crlf ? 2 : 1), text.size()));
    return line;
}

namespace file_writes {
using TestSeams::FileCall;
using TestSeams::FileCallFails;

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool SyncFile(int fd) {
    return !FileCallFails(FileCall::SyncFile) && ::fsync(fd) == 0;
}

bool CloseFile(int fd) {
    if (FileCallFails(FileCall::CloseFile)) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return ::close(fd) == 0;
}

std::optional<FileIdentity> MeasureFile(int fd) {
    struct stat status {};
    if (fd < 0 || FileCallFails(FileCall::MeasureFile) || ::fstat(fd, &status) != 0)
        return std::nullopt;
    return FileIdentity::Of(status);
}

int OpenTemporary(std::string& pattern, mode_t mode) {
    const size_t start = pattern.size() - kTemporarySuffix.size();
    for (int tries = 0; tries < 100; ++tries) {
        pattern.replace(start, kTemporarySuffix.size(),
                        UnguessableLetters(kTemporarySuffix.size()));
        const int fd =
            ::open(pattern.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

int OpenTemporaryBeside(const fs::path& target, mode_t mode, fs::path& temporary) {
    std::string pattern =
        target.parent_path() / (TemporaryPrefix(target) + std::string(kTemporarySuffix));
    const int fd = OpenTemporary(pattern, mode);
    temporary = pattern;
    return fd;
}
} // namespace file_writes

void SyncFolder(const fs::path& folder) {
    if (file_writes::FileCallFails(TestSeams::FileCall::SyncFolder)) return;
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // Some file systems cannot flush a folder; the file itself is on the disk whatever they say.
    ::fsync(fd);
    ::close(fd);
}

using namespace file_writes;

std::optional<TextOutputStream> TextOutputStream::Create(const FolderItem& item,
                                                         const FolderItem& asPrivateAs) {
    if (!item) return std::nullopt;
    const fs::path target = WriteTarget(item.Path());
    // A new file gets what the umask allows, as files are made; a replacement keeps what the old
    // file allowed (a private file stays private).
    mode_t mode = 0666;
    bool replacing = false;
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) return std::nullopt;
        // The owner's write permission counts even for a user the system would let write.
        const bool writable =
            (status.st_mode & S_IWUSR) != 0 && ::access(target.c_str(), W_OK) == 0;
        if (!writable) return std::nullopt;
        mode = status.st_mode & 0777;
        replacing = true;
    } else if (errno != ENOENT) {
        return std::nullopt;
    }
    // Others and the group lose what they may not do with the other file; the owner keeps
    // reading and writing, so that the next write is not refused.
    struct stat other {};
    if (asPrivateAs && ::stat(asPrivateAs.Path().c_str(), &other) == 0 && S_ISREG(other.st_mode))
        mode &= (other.st_mode & 0777) | S_IRUSR | S_IWUSR;
    fs::path temporary;
    const int fd = OpenTemporaryBeside(target, mode, temporary);
    if (fd < 0) return std::nullopt;
    // The old file's mode exactly, whatever the umask takes from a new one.
    if (replacing) fchmod(fd, mode);
    return TextOutputStream(target, std::move(temporary), fd);
}

TextOutputStream::TextOutputStream(TextOutputStream&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)),
      fd_(std::exchange(other.fd_, -1)), buffer_(std::move(other.buffer_)), failed_(other.failed_),
      size_(other.size_) {}

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

void TextOutputStream::WriteBuffer() {
    if (fd_ >= 0 && !failed_) {
        size_ += buffer_.size();
        failed_ = !WriteAll(fd_, buffer_);
    }
    buffer_.clear();
}

namespace {
// The start of the parked names of target's writes.
std::string ParkedPrefix(const fs::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    return prefix.substr(0, prefix.size() - kTemporaryMarker.size()) + std::string(kParkedMarker);
}

// Puts the file at from at to, where nothing is. Where the file system cannot rename without
// replacing, not a second link and the first name removed, which never replaces either: on FUSE
// each name of a file keeps its own times for a while, and the file written would not be known
// by its name.
bool PutInPlace(const fs::path& from, const fs::path& to) {
    return RenameWithoutReplacing(from, to) || (Lacking(errno) && RenameAfterALook(from, to));
}

// Which file has the name path: its device and number; none (errno set) when none has.
std::optional<std::pair<dev_t, ino_t>> FileAt(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return std::nullopt;
    return std::pair(status.st_dev, status.st_ino);
}

// What putting a written file in target's place did: the files it took from there, under parking
// names of their own; when it failed (errno set), the file there that it had moved aside and that
// could not go back either, which holds the last saved text and has no other name.
struct Placing {
    bool ok = false;
    std::vector<fs::path> parked;
    std::optional<fs::path> stranded;
};

Placing Failed(std::vector<fs::path> parked, std::optional<fs::path> stranded = {}) {
    const int error = errno;
    Placing placing{false, std::move(parked), std::move(stranded)};
    errno = error;
    return placing;
}

// Where the file system cannot exchange two files: where a link keeps one file, the file there
// gets a fresh parked name first, as a second link, and the rename then takes its place, leaving
// no moment without a file there. Anywhere else (FUSE and network mounts, whose links are other
// files or refused, with whatever error), the file there is moved to that name, which keeps it one
// file for a writer that holds it, and the file written put in its place where nothing is: a
// moment without a file there rather than another program's file unlinked. A file put there in
// between is parked the same way before the rename.
Placing RenameBesideParked(const fs::path& temporary, const fs::path& target) {
    const fs::path folder = target.parent_path();
    const auto name = [&](int) {
        return ParkedPrefix(target) + UnguessableLetters(kTemporarySuffix.size());
    };
    std::vector<fs::path> parked;
    for (int tries = 0; tries < 5; ++tries) {
        const auto there = FileAt(target);
        if (!there && errno != ENOENT) return Failed(std::move(parked));
        if (!there) {
            if (PutInPlace(temporary, target)) return {true, std::move(parked), {}};
            if (errno == EEXIST) continue;
            return Failed(std::move(parked));
        }
        if (const std::optional<fs::path> link = LinkToFreeName(target, folder, name, 10)) {
            TestSeams::ReachWriteMoment(TestSeams::WriteMoment::AfterTheParkedName);
            // Another file put there meanwhile has no second name yet; the one linked lost its
            // name there as it would have without the link.
            if (FileAt(target) != there) {
                ::unlink(link->c_str());
                continue;
            }
            if (::rename(temporary.c_str(), target.c_str()) == 0) {
                parked.push_back(*link);
                return {true, std::move(parked), {}};
            }
            const int error = errno;
            ::unlink(link->c_str());
            errno = error;
            return Failed(std::move(parked));
        }
        const fs::path aside = folder / name(1);
        if (!PutInPlace(target, aside)) {
            if (errno == ENOENT || errno == EEXIST) continue;
            return Failed(std::move(parked));
        }
        TestSeams::ReachWriteMoment(TestSeams::WriteMoment::AfterTheParkedName);
        if (PutInPlace(temporary, target)) {
            parked.push_back(aside);
            return {true, std::move(parked), {}};
        }
        if (errno == EEXIST) {
            parked.push_back(aside);
            continue;
        }
        // The file there goes back, unless another came.
        const int error = errno;
        const bool back = PutInPlace(aside, target);
        errno = error;
        return back ? Failed(std::move(parked)) : Failed(std::move(parked), aside);
    }
    errno = EBUSY;
    return Failed(std::move(parked));
}

// Puts the file at temporary in target's place. With exchange, in one step that leaves no moment
// without a file there, the file replaced goes to temporary's name, which is parked; a file
// system that cannot exchange parks it under a name of its own first. No other failure falls back
// to a plain rename: it would replace a file that another program put there meanwhile.
Placing Rename(const fs::path& temporary, const fs::path& target, bool exchange) {
    using TestSeams::FileCall;
    if (!exchange) return {::rename(temporary.c_str(), target.c_str()) == 0, {}, {}};
    for (int tries = 0; tries < 3; ++tries) {
        if (!FileCallFails(FileCall::ExchangeFiles) &&
            ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) ==
                0)
            return {true, {temporary}, {}};
        if (errno != ENOENT)
            return Lacking(errno) ? RenameBesideParked(temporary, target) : Failed({});
        // Nothing there to exchange with: a rename that replaces nothing, unless a file came.
        if (PutInPlace(temporary, target)) return {true, {}, {}};
        if (errno != EEXIST) return Failed({});
    }
    return Failed({});
}

// Gives the finished write at temporary the parked marker in place of the write's, keeping its
// random part; temporary is renamed to it when the file system allows.
void MarkAsParking(fs::path& temporary, const fs::path& target) {
    const std::string name = temporary.filename().string();
    const std::string prefix = TemporaryPrefix(target);
    if (!name.starts_with(prefix)) return;
    const fs::path parking =
        temporary.parent_path() / (ParkedPrefix(target) + name.substr(prefix.size()));
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, parking.c_str(), RENAME_NOREPLACE) == 0)
        temporary = parking;
}

// The file at target, opened to be measured once the rename has put the file written there: the
// file written is never held open across its rename (an SMB server refuses to rename an open
// file). -1 when another file is there: one of another device, or of another number on a file
// system whose renames keep a file's number (a FUSE mount may number files by their names).
int OpenWritten(const fs::path& target, const std::optional<FileIdentity>& before) {
    const int fd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    const std::optional<FileIdentity> there = MeasureFile(fd);
    const bool same = before && there && there->device == before->device &&
                      (there->inode == before->inode || !TimesAndNumbersHold(target));
    if (!same && fd >= 0) ::close(fd);
    return same ? fd : -1;
}

// The file written as it stands after the rename, which sets its change time. An edit in place
// between the measures (another size or modification time) is another program's, and so is one
// before the clock has moved past the rename: the measure before stands then, which the file
// there no longer matches.
std::optional<FileIdentity> MeasureWritten(int fd, const std::optional<FileIdentity>& before) {
    const std::optional<FileIdentity> after = MeasureFile(fd);
    const auto edited = [&](const std::optional<FileIdentity>& then) {
        return before && then &&
               (then->size != before->size || then->modifiedSeconds != before->modifiedSeconds ||
                then->modifiedNanoseconds != before->modifiedNanoseconds);
    };
    if (after && !edited(after) && FileVersion::WaitForTheClockToMovePast(*after) &&
        MeasureFile(fd) != after)
        return before;
    return edited(after) ? before : after;
}
} // namespace

bool TextOutputStream::Close(const std::function<bool()>& beforeRename,
                             const std::function<void(const fs::path&, Replaced)>& replaced) {
    if (fd_ < 0) return false;
    WriteBuffer();
    if (failed_) {
        Discard();
        return false;
    }
    // The file written is measured through a second descriptor before the rename, never by its
    // name: by then another program may have put its own file there. It is let go of before the
    // rename: an SMB server refuses to rename a file that is open.
    const bool synced = SyncFile(fd_);
    const int measure = ::dup(fd_);
    const bool closed = CloseFile(fd_);
    fd_ = -1;
    TestSeams::ReachWriteMoment(TestSeams::WriteMoment::BeforeTheLateLook);
    const bool ready = synced && closed && (!beforeRename || beforeRename());
    const std::optional<FileIdentity> before = ready ? MeasureFile(measure) : std::nullopt;
    if (measure >= 0) ::close(measure);
    Placing placing;
    if (ready) {
        if (replaced) MarkAsParking(temporary_, target_);
        TestSeams::ReachWriteMoment(TestSeams::WriteMoment::AfterTheLastLook);
        placing = Rename(temporary_, target_, static_cast<bool>(replaced));
    }
    const int error = errno;
    if (placing.ok) {
        TestSeams::ReachWriteMoment(TestSeams::WriteMoment::AfterTheRename);
        const int written = OpenWritten(target_, before);
        // A power cut soon after must not bring the old file back. Flushed while the clock's
        // tick passes, which the measure waits for.
        SyncFolder(target_.parent_path());
        written_ = written >= 0 ? MeasureWritten(written, before) : before;
        if (written >= 0) ::close(written);
        if (!written_) written_ = FileIdentity::Unmeasured(static_cast<int64_t>(size_));
    }
    std::error_code removal;
    if (!placing.ok) fs::remove(temporary_, removal);
    for (const fs::path& path : placing.parked)
        replaced(path, Replaced::Parked);
    if (placing.stranded) replaced(*placing.stranded, Replaced::Stranded);
    errno = error;
    return placing.ok;
}

namespace {
// The regular files beside item's target whose names are prefix and a random part, as writes
// make them.
std::vector<fs::path> FilesNamed(const FolderItem& item, bool parked) {
    std::vector<fs::path> found;
    if (!item) return found;
    const fs::path target = WriteTarget(item.Path());
    const std::string start = parked ? ParkedPrefix(target) : TemporaryPrefix(target);
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        struct stat status {};
        if (name.size() == start.size() + kTemporarySuffix.size() && name.starts_with(start) &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(start.size()), name.end(),
                        IsAsciiLetterOrDigit) &&
            ::lstat(it->path().c_str(), &status) == 0 && S_ISREG(status.st_mode))
            found.push_back(it->path());
    }
    return found;
}
} // namespace

void RemoveUnfinishedWrites(const FolderItem& item) {
    for (const fs::path& unfinished : FilesNamed(item, false)) {
        std::error_code error;
        fs::remove(unfinished, error);
    }
}

std::vector<fs::path> ParkedFilesBeside(const FolderItem& item) {
    return FilesNamed(item, true);
}
