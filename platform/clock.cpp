#include "platform/clock.h"

#include <ctime>

namespace tw::platform {

bool ToLocal(int64_t secondsSinceEpoch, LocalDateTime& out) {
    std::time_t seconds = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm fields{};
    if (::localtime_r(&seconds, &fields) == nullptr) return false;
    out = {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec};
    return true;
}

int64_t MonotonicMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

LocalDateTime LocalNow() {
    LocalDateTime now;
    ToLocal(static_cast<int64_t>(std::time(nullptr)), now);
    return now;
}

}  // namespace tw::platform
