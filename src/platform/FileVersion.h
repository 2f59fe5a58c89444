#pragma once
// Which version of a file the program last read or wrote: the file itself (its device and
// inode), its size, modification and change times, and a hash of its text. Another program that
// replaces or edits the file changes the first; one that merely touches it or writes the same
// text back leaves the hash as it was.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

struct stat;

struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    // The change time, which no program can set back: an edit of the same length that puts the
    // modification time back (cp -p, touch -r) still changes it.
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;

    static FileIdentity Of(const struct stat& status);
    // A file written whose measuring failed: no file on disk has its device and inode (0), so
    // the next look at the file compares its text rather than taking it for this one.
    static FileIdentity Unmeasured(int64_t size) { return FileIdentity{.size = size}; }
    // The regular file at path, through symbolic links; none when there is none.
    static std::optional<FileIdentity> At(const std::filesystem::path& path);
};

// A 64-bit hash of a text given in pieces of any size: the same text gives the same hash however
// it is cut. It tells a file's text from another quickly (a file may hold a million events); it
// is no defence against anyone who means harm.
class ContentHash {
  public:
    void Add(std::string_view piece);
    uint64_t Value() const;
    static uint64_t Of(std::string_view text) {
        ContentHash hash;
        hash.Add(text);
        return hash.Value();
    }

  private:
    static constexpr size_t kBlock = 32;
    void AddBlock(const char* block);

    uint64_t lanes_[4] = {0x9E3779B185EBCA87ULL, 0xC2B2AE3D27D4EB4FULL, 0x165667B19E3779F9ULL,
                          0x27D4EB2F165667C5ULL};
    char pending_[kBlock] = {};
    size_t pendingSize_ = 0;
    uint64_t total_ = 0;
};

struct FileVersion {
    FileIdentity identity;
    uint64_t contentHash = 0;
    // Measured within the tick of the file system's clock in which the file last changed: an edit
    // of the same length in that tick would keep every field of the identity, so a look at the
    // file compares its text, not only its identity.
    bool racy = false;
    bool operator==(const FileVersion&) const = default;

    // The version of a file just measured, racy while the clock has not moved past its change.
    static FileVersion Measured(const FileIdentity& identity, uint64_t contentHash) {
        return {identity, contentHash, ChangedInTheClocksTick(identity)};
    }
    // Whether the file system's clock still stands in the tick of the file's last change: a
    // whole second, or two, where its times show no fraction of a second.
    static bool ChangedInTheClocksTick(const FileIdentity& identity);
    // Waits, for a tick at most, until the clock has moved past the file's last change; false
    // when its ticks are too long to wait for.
    static bool WaitForTheClockToMovePast(const FileIdentity& identity);
};
