#include "platform/local_time.h"

#include <ctime>

namespace tw::platform {

namespace {

constexpr int64_t kEpochDayCount = 25569;  // 1970-01-01 as a day count

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = floorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

double combine(int64_t dayCount, int64_t minuteOfDay) {
    const double fraction = static_cast<double>(minuteOfDay) / 1440.0;
    return dayCount < 0 ? static_cast<double>(dayCount) - fraction : static_cast<double>(dayCount) + fraction;
}

// Local seconds (UTC seconds plus the offset) as a day count to whole minutes.
double fromLocalSeconds(int64_t localSeconds) {
    const int64_t minutes = floorDiv(localSeconds, 60);
    const int64_t days = floorDiv(minutes, 1440);
    return combine(days + kEpochDayCount, minutes - days * 1440);
}

bool localFields(int64_t seconds, std::tm& fields) {
    const auto moment = static_cast<std::time_t>(seconds);
    return ::localtime_r(&moment, &fields) != nullptr;
}

double fromFields(const std::tm& fields) {
    return combine(daysFromCivil(int64_t{fields.tm_year} + 1900, fields.tm_mon + 1, fields.tm_mday) + kEpochDayCount,
                   fields.tm_hour * 60 + fields.tm_min);
}

}  // namespace

double DayCount(int year, int month, int day, int hour, int minute) {
    return combine(daysFromCivil(year, month, day) + kEpochDayCount, hour * 60 + minute);
}

bool LocalTimeConverter::toDayCount(int64_t secondsSinceEpoch, double& days) {
    const int64_t hour = floorDiv(secondsSinceEpoch, 3600);
    HourSlot& slot = hours_[static_cast<uint64_t>(hour) % hours_.size()];
    if (slot.hour == hour) {
        days = fromLocalSeconds(secondsSinceEpoch + slot.offset);
        return true;
    }
    std::tm fields{};
    if (!localFields(secondsSinceEpoch, fields)) return false;
    days = fromFields(fields);
    // The hour's offset is kept only when the time zone gives the same offset at
    // both ends of the hour and the offset explains the calendar fields exactly
    // (it would not under a zone that counts leap seconds).
    const int64_t start = hour * 3600;
    std::tm first{};
    std::tm last{};
    if (localFields(start, first) && localFields(start + 3599, last) && first.tm_gmtoff == last.tm_gmtoff &&
        first.tm_gmtoff == fields.tm_gmtoff && fromLocalSeconds(secondsSinceEpoch + fields.tm_gmtoff) == days) {
        slot.hour = hour;
        slot.offset = fields.tm_gmtoff;
    }
    return true;
}

}  // namespace tw::platform
