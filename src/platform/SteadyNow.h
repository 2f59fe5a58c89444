#pragma once
// The monotonic clock that the calendar's waits of a minute are measured by; tests move it on
// (TestSeams::MoveClockOn) rather than wait.
#include <chrono>

std::chrono::steady_clock::time_point SteadyNow();
