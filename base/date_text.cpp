#include "base/date_text.h"

#include <cmath>
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

namespace tw {

namespace {

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

// 1899-12-30 in days since 1970-01-01.
constexpr int64_t DayCountEpoch = -25569;

bool readNumber(std::string_view& text, int& value, size_t maxDigits) {
    size_t digits = 0;
    value = 0;
    while (digits < text.size() && digits < maxDigits && text[digits] >= '0' && text[digits] <= '9')
        value = value * 10 + (text[digits++] - '0');
    text.remove_prefix(digits);
    return digits > 0;
}

bool expect(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

platform::LocalDateTime FieldsOfDayCount(double days) {
    // The fraction counts away from zero before the epoch: -1.25 is a quarter past day -1.
    double whole = days < 0 ? std::ceil(days) : std::floor(days);
    int64_t seconds = static_cast<int64_t>(std::llround(std::fabs(days - whole) * 86400.0));
    int64_t day = static_cast<int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += days < 0 ? -1 : 1;
    }
    platform::LocalDateTime when;
    civilFromDays(day + DayCountEpoch, when.year, when.month, when.day);
    when.hour = static_cast<int>(seconds / 3600);
    when.minute = static_cast<int>(seconds / 60 % 60);
    when.second = static_cast<int>(seconds % 60);
    return when;
}

std::optional<platform::LocalDateTime> ParseGeneralDate(std::string_view text) {
    platform::LocalDateTime when;
    if (!readNumber(text, when.month, 2) || !expect(text, '/') || !readNumber(text, when.day, 2) ||
        !expect(text, '/') || !readNumber(text, when.year, 4))
        return std::nullopt;
    if (!text.empty()) {
        if (!expect(text, ' ') || !readNumber(text, when.hour, 2) || !expect(text, ':') ||
            !readNumber(text, when.minute, 2))
            return std::nullopt;
        if (expect(text, ':') && !readNumber(text, when.second, 2)) return std::nullopt;
        if (text == " AM" || text == " PM") {
            if (when.hour < 1 || when.hour > 12) return std::nullopt;
            when.hour = when.hour % 12 + (text == " PM" ? 12 : 0);
        } else if (!text.empty()) {
            return std::nullopt;
        }
    }
    if (when.month < 1 || when.month > 12 || when.day < 1 || when.day > 31 || when.hour > 23 || when.minute > 59 ||
        when.second > 59)
        return std::nullopt;
    int year = 0, month = 0, day = 0;
    civilFromDays(daysFromCivil(when.year, static_cast<unsigned>(when.month), static_cast<unsigned>(when.day)), year,
                  month, day);
    if (month != when.month) return std::nullopt;  // 2/30 and the like
    return when;
}

int64_t SortableDate(const platform::LocalDateTime& when) {
    return ((((int64_t{when.year} * 100 + when.month) * 100 + when.day) * 100 + when.hour) * 100 + when.minute) *
               100 +
           when.second;
}

}  // namespace tw
