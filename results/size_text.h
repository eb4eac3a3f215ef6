#pragma once
// Byte counts and file names as the result list shows them.

#include <string>
#include <string_view>

namespace tw {

// "1.50 MB", "1023 Bytes": two decimals from a kilobyte up, whole bytes below.
std::string FormatSize(double bytes);

// The text after the name's last "."; empty when there is none.
std::string GetExtension(std::string_view name);

}  // namespace tw
