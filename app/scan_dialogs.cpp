#include "app/scan_dialogs.h"

#include <cstdio>

namespace tw {

std::string ElapsedText(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return buffer;
}

}  // namespace tw
