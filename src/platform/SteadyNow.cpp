#include "platform/SteadyNow.h"

#include "platform/TestSeams.h"

std::chrono::steady_clock::time_point SteadyNow() {
    return std::chrono::steady_clock::now() + TestSeams::ClockMovedOnBy();
}
