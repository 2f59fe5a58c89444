#pragma once
// How long a write of the event file waits for another program that is writing it: a few seconds
// while the calendar runs, none when the program ends and what is unsaved must reach the disk at
// once. The event loop's thread can cut a wait under way on the writing thread short, at once or
// after a look or so.
#include <chrono>
#include <condition_variable>
#include <mutex>

class WriteWait {
  public:
    using Clock = std::chrono::steady_clock;

    // longest: how long a write waits for the file to settle before it is put off.
    explicit WriteWait(Clock::duration longest) : longest_(longest) {}
    WriteWait(const WriteWait&) = delete;
    WriteWait& operator=(const WriteWait&) = delete;

    Clock::duration Longest() const { return longest_; }
    // Sleeps for step; false, at once, when the wait is or becomes cut short, or has had the
    // sleeps it was left.
    bool Sleep(Clock::duration step) const;
    // Every wait under way or to come ends after that many more sleeps at most, each a look at
    // the file a moment later, however long a busy machine makes them: the write is put off
    // unless the file settles by then.
    void EndAfter(int sleeps);
    // Every wait under way or to come ends at once: the write is put off.
    void CutShort();

  private:
    const Clock::duration longest_;
    mutable std::mutex mutex_;
    mutable std::condition_variable woken_;
    bool cut_ = false;
    mutable int sleepsLeft_ = -1; // none counted
};
