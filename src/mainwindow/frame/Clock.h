#pragma once
// When the clock ticks next.
#include "platform/Date.h"

// From now to the start of the next minute, in milliseconds: the clock's timer is set to it at
// every tick, so the clock wakes once a minute and shows each new minute as it starts.
int MillisecondsToNextMinute(const Date& now);
