#pragma once
// Work that runs on a thread of its own while the event loop goes on, one piece at a time; its
// result comes back on the event loop's thread.
#include <chrono>
#include <functional>
#include <future>
#include <memory>

class Worker {
  public:
    Worker() = default;
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    // Waits for the work that runs, without running its finish.
    ~Worker();

    // Starts work on a thread of its own, after the work that runs has ended. Once it has
    // ended, finished(its result) runs on the event loop's thread, from the loop or from Wait,
    // whichever comes first. Work that throws leaves the worker free all the same: its exception
    // comes out of Wait, or the loop's dispatch, in place of the finish.
    void Start(std::function<bool()> work, std::function<void(bool)> finished);
    // Whether work has been started whose finish has not run yet.
    bool Busy() const;
    // Waits for the work that runs to end and runs its finish now.
    void Wait();
    // Waits at most longest for the work that runs to end, the event loop running meanwhile
    // without the user's input; then has cut make it end soon, waits for that and runs its
    // finish. A signal's quit ends that loop early; the display's end, which the loop never
    // comes back from, has cut the work at once and finishes it itself.
    void WaitRunningEvents(std::chrono::milliseconds longest, const std::function<void()>& cut);

  private:
    struct Job {
        std::future<bool> result;
        std::function<void(bool)> finished;
    };
    // Runs the finish once; whoever comes second finds nothing to do.
    static void Finish(Job& job);

    std::shared_ptr<Job> job_;
};
