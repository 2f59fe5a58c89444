#include "support/Waiting.h"

#include "platform/Application.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

void FailPastDeadline(const char* what) {
    ADD_FAILURE() << what << " after " << kWaitDeadline.count() << " s";
}
} // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds pause) {
    const Clock::time_point end = Clock::now() + kWaitDeadline;
    while (!condition()) {
        if (Clock::now() > end) {
            FailPastDeadline("the condition waited for still did not hold");
            return false;
        }
        DoEvents();
        std::this_thread::sleep_for(pause);
    }
    return true;
}

void WhenTrue(std::function<bool()> condition, std::function<void()> then) {
    auto* timer = new QTimer;
    timer->setInterval(2);
    const Clock::time_point end = Clock::now() + kWaitDeadline;
    QObject::connect(timer, &QTimer::timeout,
                     [timer, end, condition = std::move(condition), then = std::move(then)] {
                         if (!condition()) {
                             if (Clock::now() <= end) return;
                             FailPastDeadline("the condition waited for still did not hold");
                         }
                         // Stopped first: then may run a loop of its own (a modal window) or end
                         // this one; it runs from a copy, which outlives the timer.
                         const std::function<void()> run = then;
                         timer->stop();
                         timer->deleteLater();
                         run();
                     });
    timer->start();
}

int RunBeforeDeadline(const std::function<int()>& run) {
    // Owned here, so that it cannot fire in a later test's loop.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] {
        FailPastDeadline("the program still ran");
        std::raise(SIGTERM);
    });
    deadline.start(kWaitDeadline);
    return run();
}
