#pragma once
// Dates and times as the program writes them.

#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// "m/d/yyyy h:mm:ss AM/PM"; at midnight the date alone.
std::string GeneralDateText(const platform::LocalDateTime& when);

// A day count (days since 1899-12-30, the time of day as the fraction) as
// calendar fields, to the nearest second.
platform::LocalDateTime FieldsOfDayCount(double days);

// Reads "m/d/yyyy", "m/d/yyyy h:mm:ss AM/PM" or "m/d/yyyy h:mm" (24-hour);
// nothing when the text is no such date.
std::optional<platform::LocalDateTime> ParseGeneralDate(std::string_view text);

// yyyymmddhhnnss as one number, the order of the fields' moments.
int64_t SortableDate(const platform::LocalDateTime& when);

}  // namespace tw
