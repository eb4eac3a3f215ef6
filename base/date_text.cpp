#include "base/date_text.h"

#include <cstdio>

namespace tw {

std::string GeneralDateText(const platform::LocalDateTime& when) {
    char buffer[64];
    int written = std::snprintf(buffer, sizeof buffer, "%d/%d/%04d", when.month, when.day, when.year);
    std::string text(buffer, static_cast<size_t>(written));
    if (when.hour == 0 && when.minute == 0 && when.second == 0) return text;
    int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    written = std::snprintf(buffer, sizeof buffer, " %d:%02d:%02d %s", hour12, when.minute, when.second,
                            when.hour < 12 ? "AM" : "PM");
    return text + std::string(buffer, static_cast<size_t>(written));
}

}  // namespace tw
