#pragma once
// A named lock between processes, held on a file in the user's configuration folder: it guards
// the user's data, so every copy on one home meets it, whatever session or run-time folder it
// comes from. The system releases it when the holding process ends, so a crash never leaves it
// stuck. A lock may also be held in a folder of its own, beside the data it guards.
#include <filesystem>
#include <optional>
#include <string>

class Mutex {
  public:
    explicit Mutex(std::string name);
    // The lock on the file "<name>.lock" in folder instead, which is made when missing unless
    // makeFolder is false: a folder the user has not made (a sync folder not there yet, a mount
    // point) must not appear for a lock.
    Mutex(std::string name, std::filesystem::path folder, bool makeFolder = true);
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    // Takes the lock without waiting; false when another holder has it. Throws IOException
    // when the lock cannot be made at all (no writable configuration folder), which says nothing
    // about another holder.
    bool TryEnter();
    // Gives the lock up; does nothing when this object does not hold it.
    void Leave();
    bool Held() const { return fd_ >= 0; }

  private:
    std::string name_;
    std::optional<std::filesystem::path> folder_;
    bool makeFolder_ = true;
    int fd_ = -1;
};
