#pragma once
// Dates and times as the program writes them.

#include "platform/clock.h"

#include <string>

namespace tw {

// "m/d/yyyy h:mm:ss AM/PM"; at midnight the date alone.
std::string GeneralDateText(const platform::LocalDateTime& when);

}  // namespace tw
