#pragma once

#include <string>
#include <string_view>

namespace tw {

// The text with "&", "<", ">", and quotes written as HTML character references.
std::string HtmlEscape(std::string_view text);

}  // namespace tw
