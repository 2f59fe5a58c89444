#pragma once
// The event file's place watched through one write of the calendar's: what another program puts
// there is waited for until it settles (it may still be writing it), and every version that
// program finished is kept beside the file, whole, before the calendar's own takes its place.
#include "mainwindow/eventfile/Settling.h"
#include "mainwindow/eventfile/WriteWait.h"
#include "platform/FileVersion.h"
#include "platform/TextStream.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace OutsideChanges {

class VersionWatch {
  public:
    // target: the file a write replaces; known: the calendar's version of it, if any; wait: how
    // long another program's version is waited for, which must outlive the watch.
    VersionWatch(std::filesystem::path target, const std::optional<FileVersion>& known,
                 const WriteWait& wait);

    // Waits until the file there settles (two looks a short while apart agree) and keeps it
    // beside the file when it is a version the calendar does not know, is not empty and holds
    // text of its own: by a second name of the file itself, or a copy of its bytes where the
    // file system has no such names. False (Error() says why) when it cannot be kept or does not
    // settle within the wait (EBUSY): the write is then put off, and the file there left as it was.
    bool Settle();
    // Settle, then a last look just before the rename: true when the file there is still the
    // one settled on.
    bool ReadyToRename();
    // The file the rename replaced, moved to replaced: its other name kept when it has one, put
    // in the place of a copy of its bytes; otherwise settled (SettleParked), the calendar's own
    // version last settled on and unchanged holding nothing of its own. One that a process may
    // still write keeps its parking name and is handed on to be watched (TakeParked), the
    // calendar's own too: an append opened before the save writes into it.
    // A file stranded by a failed rename (the last saved file, moved aside and not put back) is
    // handed on as it is (TakeStranded).
    void KeepReplaced(const std::filesystem::path& replaced, TextOutputStream::Replaced how);

    // The copies made; after a write that failed, those of versions the file there still is
    // are removed first, since the next write keeps them again.
    std::vector<std::filesystem::path> TakeCopies(bool written);
    // The files the rename replaced that a program may still write, or that could not be named.
    std::vector<ParkedVersion> TakeParked() { return std::exchange(parked_, {}); }
    std::optional<std::filesystem::path> TakeStranded() { return std::exchange(stranded_, {}); }
    int Error() const { return error_; }

  private:
    enum class Kept { Nothing, Copied, Changed, Failed };
    using Clock = WriteWait::Clock;
    bool Known(const std::filesystem::path& path, const FileIdentity& identity);
    Kept Keep(const FileIdentity& identity);
    // Whether the file there, of that identity, holds a text known already, whatever its times
    // do while it is read; its version is then known too.
    bool HoldsItsText(const FileIdentity& identity);
    // Waits a short while for the next look; false when that would pass deadline or the wait
    // was cut short.
    bool WaitForTheNextLook(Clock::time_point deadline) const;
    bool PutOff();
    // Whether the file settled on, now at replaced, is the calendar's own last write: that very
    // file as written, whose mode or owner may have changed since (its change time alone), but
    // not its text or modification time, which a program writing it in place moves.
    bool SettledOnOwn(const std::filesystem::path& replaced) const;

    std::filesystem::path target_;
    const WriteWait& wait_;
    std::optional<FileVersion> own_;    // the calendar's last read or write of the file
    std::vector<FileVersion> versions_; // known: the calendar's, and those kept or seen empty
    std::optional<FileIdentity> settled_;
    struct Copy {
        std::filesystem::path path;
        FileIdentity of;
        bool veryFile = false; // the file itself under a second name, not a copy of its bytes
    };
    std::vector<Copy> copies_;
    std::vector<ParkedVersion> parked_;
    std::optional<std::filesystem::path> stranded_;
    int error_ = 0;
};

} // namespace OutsideChanges
