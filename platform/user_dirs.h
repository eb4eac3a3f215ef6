#pragma once
// Where the program keeps its files on this machine.

#include <string>

namespace tw::platform {

// $XDG_CONFIG_HOME/twinsweep (default ~/.config/twinsweep): the settings file.
std::string configFolder();
// $XDG_DATA_HOME/twinsweep (default ~/.local/share/twinsweep): the user's own
// program files ("Default.twf", "exclusion.lst", "report.htm").
std::string dataFolder();
// $XDG_RUNTIME_DIR, or the temporary folder when it is unset.
std::string runtimeFolder();
// The read-only program files: share/twinsweep beside the installed binary,
// else the source tree's resources folder when run from a build folder.
std::string resourceFolder();

}  // namespace tw::platform
