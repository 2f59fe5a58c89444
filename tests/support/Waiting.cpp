#include "support/Waiting.h"

#include "platform/Application.h"

#include <QTimer>

#include <chrono>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kDeadline{60};
} // namespace

bool WaitUntil(const std::function<bool()>& condition) {
    const Clock::time_point end = Clock::now() + kDeadline;
    while (!condition()) {
        if (Clock::now() > end) return false;
        DoEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void WhenTrue(std::function<bool()> condition, std::function<void()> then) {
    auto* timer = new QTimer;
    timer->setInterval(2);
    const Clock::time_point end = Clock::now() + kDeadline;
    QObject::connect(timer, &QTimer::timeout,
                     [timer, end, condition = std::move(condition), then = std::move(then)] {
                         if (!condition() && Clock::now() <= end) return;
                         // Stopped first: then may run a loop of its own (a modal window) or end
                         // this one; it runs from a copy, which outlives the timer.
                         const std::function<void()> run = then;
                         timer->stop();
                         timer->deleteLater();
                         run();
                     });
    timer->start();
}
