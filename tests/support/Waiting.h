#pragma once
// Waiting for what a test waits for, never for a fixed time: a busy machine makes every step
// slower, and a wait that merely guessed how long a step takes then fails. Every wait has the
// same deadline, far beyond any slowness: past it, the test fails with a message, so that a
// fault costs seconds rather than the suite's time-out.
#include <chrono>
#include <functional>

inline constexpr std::chrono::seconds kWaitDeadline{20};

// Handles events until condition holds, looking again after pause; false, and the test
// failed, when it still does not after the deadline.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds pause = std::chrono::milliseconds(1));

// Runs then from the event loop once condition holds, checked every few milliseconds; past the
// deadline it fails the test and runs then anyway, and the test's own checks tell what was
// missing.
void WhenTrue(std::function<bool()> condition, std::function<void()> then);

// Runs a program's event loop (run returns its exit code). A loop still running after the
// deadline (a copy that should have been refused, a quit that never came) fails the test and
// is ended as a logout ends it.
int RunBeforeDeadline(const std::function<int()>& run);
