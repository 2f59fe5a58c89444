#include "platform/FileVersion.h"

#include "platform/TestSeams.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>

#include <sys/stat.h>
#include <thread>
#include <time.h>
#include <tuple>
#include <utility>

namespace {
constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ULL;

uint64_t Word(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

uint64_t Round(uint64_t lane, uint64_t word) {
    return std::rotl(lane + word * kPrime2, 31) * kPrime1;
}

// Spreads every bit of value over the whole word.
uint64_t Avalanche(uint64_t value) {
    value ^= value >> 33;
    value *= kPrime2;
    value ^= value >> 29;
    value *= kPrime3;
    return value ^ (value >> 32);
}
} // namespace

namespace {
constexpr int64_t kSecond = 1'000'000'000;

// The length of a tick of the clock that stamps a file's changes (a few milliseconds on most
// kernels); tests may make it as long as they like.
int64_t TickOfTheClock() {
    if (const int64_t coarse = TestSeams::CoarseFileTimes()) return coarse;
    timespec resolution{};
    ::clock_getres(CLOCK_REALTIME_COARSE, &resolution);
    return std::max<int64_t>(1, resolution.tv_sec * kSecond + resolution.tv_nsec);
}

// A time (seconds, nanoseconds) cut to the start of the test's coarse tick, if it set one.
std::pair<int64_t, int64_t> Coarse(int64_t seconds, int64_t nanoseconds) {
    const int64_t tick = TestSeams::CoarseFileTimes();
    if (!tick) return {seconds, nanoseconds};
    int64_t at = seconds * kSecond + nanoseconds;
    at -= at % tick;
    return {at / kSecond, at % kSecond};
}

// A time of a file as the file system keeps it: coarse, or cut to its whole seconds where the
// test keeps file times so (the clock is not).
std::pair<int64_t, int64_t> FileTime(int64_t seconds, int64_t nanoseconds) {
    if (const int whole = TestSeams::FileTimesInWholeSeconds())
        return {seconds - seconds % whole, 0};
    return Coarse(seconds, nanoseconds);
}

std::pair<int64_t, int64_t> Now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return Coarse(now.tv_sec, now.tv_nsec);
}

// A file system that keeps no fraction of a second (sshfs, HFS+, ext4 with small inodes) gives
// every change within a second its start, and FAT the start of two: the file's times show which.
// Zero where they show a fraction, and the clock's own tick counts.
int64_t WholeSecondsOf(const FileIdentity& identity) {
    if (identity.modifiedNanoseconds != 0 || identity.changedNanoseconds != 0) return 0;
    const bool even = identity.modifiedSeconds % 2 == 0 && identity.changedSeconds % 2 == 0;
    return even ? 2 : 1;
}
} // namespace

bool FileVersion::ChangedInTheClocksTick(const FileIdentity& identity) {
    if (const int64_t seconds = WholeSecondsOf(identity))
        return Now() < std::pair(identity.changedSeconds + seconds, int64_t{0});
    return Now() <= std::pair(identity.changedSeconds, identity.changedNanoseconds);
}

bool FileVersion::WaitForTheClockToMovePast(const FileIdentity& identity) {
    constexpr int64_t kLongestWait = 20'000'000;
    if (!ChangedInTheClocksTick(identity)) return true;
    if (WholeSecondsOf(identity) || TickOfTheClock() > kLongestWait) return false;
    for (int waits = 0; waits < 100 && ChangedInTheClocksTick(identity); ++waits)
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    return !ChangedInTheClocksTick(identity);
}

FileIdentity FileIdentity::Of(const struct stat& status) {
    FileIdentity identity;
    identity.device = static_cast<uint64_t>(status.st_dev);
    identity.inode = static_cast<uint64_t>(status.st_ino);
    identity.size = static_cast<int64_t>(status.st_size);
    std::tie(identity.modifiedSeconds, identity.modifiedNanoseconds) = FileTime(
        static_cast<int64_t>(status.st_mtim.tv_sec), static_cast<int64_t>(status.st_mtim.tv_nsec));
    std::tie(identity.changedSeconds, identity.changedNanoseconds) = FileTime(
        static_cast<int64_t>(status.st_ctim.tv_sec), static_cast<int64_t>(status.st_ctim.tv_nsec));
    return identity;
}

std::optional<FileIdentity> FileIdentity::At(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return Of(status);
}

// Four lanes of 8 bytes each take a block: they do not wait for one another, so the hash keeps
// up with reading the text from memory.
void ContentHash::AddBlock(const char* block) {
    for (size_t lane = 0; lane < 4; ++lane)
        lanes_[lane] = Round(lanes_[lane], Word(block + lane * 8));
}

void ContentHash::Add(std::string_view piece) {
    if (piece.empty()) return; // an empty view may have no data to copy from
    total_ += piece.size();
    if (pendingSize_ > 0) {
        const size_t taken = std::min(piece.size(), kBlock - pendingSize_);
        std::memcpy(pending_ + pendingSize_, piece.data(), taken);
        pendingSize_ += taken;
        piece.remove_prefix(taken);
        if (pendingSize_ < kBlock) return;
        AddBlock(pending_);
        pendingSize_ = 0;
    }
    while (piece.size() >= kBlock) {
        AddBlock(piece.data());
        piece.remove_prefix(kBlock);
    }
    std::memcpy(pending_, piece.data(), piece.size());
    pendingSize_ = piece.size();
}

uint64_t ContentHash::Value() const {
    uint64_t value = total_;
    for (uint64_t lane : lanes_)
        value = Round(value, Avalanche(lane));
    for (size_t at = 0; at < pendingSize_; ++at)
        value = Round(value, static_cast<unsigned char>(pending_[at]) + (at << 8));
    return Avalanche(value);
}
