#pragma once
// Hands files, folders and web addresses to the desktop's default programs.

#include <string>

namespace tw::platform {

enum class LaunchResult { Started, NoAssociation, Failed };

// Runs `xdg-open target` detached from this process. xdg-open's own answer is
// awaited briefly so that "no program for this type" can be reported; a
// launcher still running after that is taken as started and reaped later.
LaunchResult openWithDesktop(const std::string& target);

}  // namespace tw::platform
