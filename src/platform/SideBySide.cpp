#include "platform/SideBySide.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {
// What the threads taking part share; a helper that starts late keeps it alive.
struct Shared {
    Shared(size_t count, std::function<void(size_t)> work) : count(count), work(std::move(work)) {}

    const size_t count;
    const std::function<void(size_t)> work;
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    size_t done = 0; // under mutex

    // Does items until none is left untaken.
    void TakePart() {
        for (size_t i = next++; i < count; i = next++) {
            work(i);
            const std::scoped_lock lock(mutex);
            if (++done == count) allDone.notify_all();
        }
    }
};
} // namespace

std::optional<std::system_error> RunSideBySide(size_t count, size_t helpers,
                                               std::function<void(size_t)> work) {
    if (count == 0) return std::nullopt;
    const auto shared = std::make_shared<Shared>(count, std::move(work));
    std::optional<std::system_error> failure;
    try {
        for (size_t helper = 0; helper < helpers; ++helper)
            std::thread([shared] { shared->TakePart(); }).detach();
    } catch (const std::system_error& error) {
        failure = error;
    }
    shared->TakePart();
    std::unique_lock lock(shared->mutex);
    shared->allDone.wait(lock, [&] { return shared->done == shared->count; });
    return failure;
}
