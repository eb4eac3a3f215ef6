#pragma once
// File names are bytes; outputs that must be UTF-8 carry them in this form.

#include <string>
#include <string_view>

namespace tw {

bool IsValidUtf8(std::string_view text);

// Valid UTF-8 comes back unchanged. Otherwise every backslash is doubled and
// every byte that is not part of a valid UTF-8 sequence is written as "\xHH"
// (two upper-case hexadecimal digits), which reads back losslessly.
std::string EscapeInvalidUtf8(std::string_view text);

}  // namespace tw
