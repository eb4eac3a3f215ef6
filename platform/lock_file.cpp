#include "platform/lock_file.h"

#include "platform/user_dirs.h"

#include <fcntl.h>

namespace tw::platform {

void holdLockFile(const std::string& name) {
    std::string path = runtimeFolder() + "/" + name;
    // The descriptor is deliberately never closed: it lives as long as the process.
    (void)::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

}  // namespace tw::platform
