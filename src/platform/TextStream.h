#pragma once
// Text files read line by line and written whole. Lines may end in LF, CRLF or CR; written
// lines end in LF.
#include "platform/FileVersion.h"
#include "platform/FolderItem.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TextInputStream {
  public:
    // None when the item is no regular file or cannot be read. A pipe or a device is never
    // opened for reading, so nothing waits on one.
    static std::optional<TextInputStream> Open(const FolderItem& item);

    TextInputStream(TextInputStream&& other) noexcept;
    TextInputStream& operator=(TextInputStream&&) = delete;
    TextInputStream(const TextInputStream&) = delete;
    ~TextInputStream();

    std::string ReadLine();
    // The next line without a copy; valid until the next read.
    std::string_view ReadLineView();
    std::string ReadAll();
    bool EndOfFile();
    void Close();

  private:
    TextInputStream(int fd, size_t pieceSize) : fd_(fd), pieceSize_(pieceSize) {}
    // Appends the next piece of the file to the text not yet read; false at the file's end.
    bool Fill();

    // The file is read a piece at a time as lines are asked for: a reader that stops early
    // (at the events' marker, say) never reads the rest, and a large file is never whole in
    // memory.
    int fd_ = -1;
    bool failed_ = false;
    size_t pieceSize_;
    std::string text_;
    size_t position_ = 0;
};

// The whole text of a file, in one block that can be handed on.
struct WholeFile {
    std::unique_ptr<char[]> text;
    size_t size = 0;
    FileIdentity identity; // of the file as it was opened
    std::string_view View() const { return {text.get(), size}; }
};
// Reads a file in one go, for a reader that needs all of it; none when the item is no file or
// cannot be read.
std::optional<WholeFile> ReadWholeFile(const FolderItem& item);

// Takes the next line off the front of text, without its end (LF, CRLF or CR).
std::string_view TakeLine(std::string_view& text);

// Writes a new file whole or not at all: the text goes to a temporary file beside the item,
// which Close renames over it. A stream destroyed without Close leaves the old file as it was.
// The new file keeps the old one's permissions (a file that was not there gets what the umask
// allows); a symbolic link stays, and the file it names is the one replaced.
class TextOutputStream {
  public:
    // None when the folder does not exist or cannot be written, or when the file there is no
    // regular file or is read-only: what the user made read-only is not replaced. A file kept
    // beside another (asPrivateAs) is never more readable than that one, when it is there.
    static std::optional<TextOutputStream> Create(const FolderItem& item,
                                                  const FolderItem& asPrivateAs = FolderItem());

    TextOutputStream(TextOutputStream&& other) noexcept;
    TextOutputStream& operator=(TextOutputStream&&) = delete;
    TextOutputStream(const TextOutputStream&) = delete;
    ~TextOutputStream();

    void Write(std::string_view text) {
        buffer_ += text;
        WriteFullPiece();
    }
    void WriteLine(const std::string& text) {
        buffer_ += text;
        buffer_ += '\n';
        WriteFullPiece();
    }
    // What became of a file that Close took from the item's place: parked by a rename that put
    // the file written there, or stranded by one that failed after moving it aside, unable to put
    // it back (it holds what the item held, under a parking name, and the item has no file).
    enum class Replaced { Parked, Stranded };
    // Replaces the item with what was written; false (and the old file kept) on failure.
    // beforeRename runs once the text is on disk, just before the rename: false from it stops
    // the write, as a failure does. With replaced, the rename exchanges the two files where the
    // file system can, so that nothing written to the old file up to the rename is lost:
    // replaced then gets the old file under a parking name, which the start-up's clean-up never
    // takes for an unfinished write, and must remove it or name it.
    bool Close(const std::function<bool()>& beforeRename = {},
               const std::function<void(const std::filesystem::path&, Replaced)>& replaced = {});
    // The file that Close put in the item's place, as it was after the rename (unmeasured when
    // it could not be measured); none before.
    const std::optional<FileIdentity>& Written() const { return written_; }

  private:
    TextOutputStream(std::filesystem::path target, std::filesystem::path temporary, int fd)
        : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}
    void Discard();
    // The text goes to the file a large piece at a time, so a large file is never whole in
    // memory and its writing overlaps its making.
    static constexpr size_t kWritePiece = 1 << 20;
    void WriteFullPiece() {
        if (buffer_.size() >= kWritePiece) WriteBuffer();
    }
    // Writes what was gathered to the temporary file; a failure spoils the whole write.
    void WriteBuffer();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    std::string buffer_;
    bool failed_ = false;
    size_t size_ = 0; // bytes written so far
    std::optional<FileIdentity> written_;
};

// The file a write of path replaces: the one a symbolic link names, through links to links, so
// that the link stays a link. A loop of links ends here as a link, which no write replaces.
std::filesystem::path WriteTarget(std::filesystem::path path);

// Flushes the folder's names to the disk, so that a file renamed or made in it outlives a power
// cut; quietly does nothing where the file system cannot.
void SyncFolder(const std::filesystem::path& folder);

// Removes the temporary files that writes of item which never ended (a killed process) left
// beside it. Only a caller that knows no other process is writing the item may call this.
void RemoveUnfinishedWrites(const FolderItem& item);
// The files that exchanges with item parked beside it (another program's, which it may still
// write, or a write's own that such a program held open), left by a run that ended before
// settling them.
std::vector<std::filesystem::path> ParkedFilesBeside(const FolderItem& item);
