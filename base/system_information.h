#pragma once

#include "platform/system_info.h"

#include <string>

namespace tw {

// The machine's description in the problem report, one fact a line, each
// ended by CR LF. Memory is counted in units of 1043321 bytes, as the report
// has always done.
std::string SystemInformationText(const platform::SystemFacts& facts);

}  // namespace tw
