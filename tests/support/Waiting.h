#pragma once
// Waiting for what a test waits for, never for a fixed time: a busy machine makes every step
// slower, and a wait that merely guessed how long a step takes then fails.
#include <functional>

// Handles events until condition holds; false when it still does not after a deadline far
// beyond any slowness (a fault, then).
bool WaitUntil(const std::function<bool()>& condition);

// Runs then from the event loop once condition holds, checked every few milliseconds; past the
// same deadline it runs then anyway, and the test's own checks tell what was missing.
void WhenTrue(std::function<bool()> condition, std::function<void()> then);
