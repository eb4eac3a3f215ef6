#pragma once

#include <string>

namespace tw::platform {

// Creates (or opens) the lock file of that name in the runtime folder and keeps
// it open for the life of the process. Nothing checks it; failures are ignored.
void holdLockFile(const std::string& name);

}  // namespace tw::platform
