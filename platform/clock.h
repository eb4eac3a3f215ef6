#pragma once
// Calendar time in the user's time zone.

#include <cstdint>

namespace tw::platform {

struct LocalDateTime {
    int year = 0;
    int month = 0;   // 1-12
    int day = 0;     // 1-31
    int hour = 0;    // 0-23
    int minute = 0;
    int second = 0;
};

LocalDateTime LocalNow();

// Milliseconds on a clock that never jumps, for stopwatches and throttles.
int64_t MonotonicMilliseconds();

// Seconds since the epoch as local calendar fields; false when out of range.
bool ToLocal(int64_t secondsSinceEpoch, LocalDateTime& out);

}  // namespace tw::platform
