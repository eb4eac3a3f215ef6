#pragma once
// File times as the program's date values: a day count since 1899-12-30 00:00,
// whole days plus the time of day as a fraction, in the user's local time and to
// whole minutes. Before 1899-12-30 the fraction counts away from zero, as in the
// date values the rest of the program reads and writes (-1.25 is 1899-12-29 06:00).

#include <array>
#include <cstdint>
#include <limits>

namespace tw::platform {

// The day count of a calendar date and time of day, with no time zone involved.
double DayCount(int year, int month, int day, int hour = 0, int minute = 0);

// Converts moments to local day counts. Keeps the local time offset of recently
// seen hours, so that converting the times of many files asks the time zone
// database once per hour of file times rather than once per file.
class LocalTimeConverter {
public:
    // The local date and time, seconds dropped, of a moment given in seconds since
    // 1970-01-01 00:00:00 UTC. False when the moment has no calendar date here.
    bool toDayCount(int64_t secondsSinceEpoch, double& days);

private:
    struct HourSlot {
        int64_t hour = std::numeric_limits<int64_t>::min();  // seconds since the epoch / 3600
        int64_t offset = 0;                                   // local minus UTC, in seconds
    };
    std::array<HourSlot, 512> hours_{};
};

}  // namespace tw::platform
