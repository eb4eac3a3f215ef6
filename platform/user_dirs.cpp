#include "platform/user_dirs.h"

#include "platform/file_system.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tw::platform {

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

// XDG variables must hold absolute paths; anything else is ignored.
std::string xdgFolder(const char* variable, const char* fallbackBelowHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/') return value;
    return homeFolder() + "/" + fallbackBelowHome;
}

std::string executableFolder() {
    char buffer[4096];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return parentFolder(std::string(buffer, static_cast<size_t>(length)));
}

}  // namespace

std::string configFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config") + "/twinsweep"; }

std::string dataFolder() { return xdgFolder("XDG_DATA_HOME", ".local/share") + "/twinsweep"; }

std::string runtimeFolder() {
    if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value && value[0] == '/') return value;
    if (const char* value = std::getenv("TMPDIR"); value && value[0] == '/') return value;
    return "/tmp";
}

std::string resourceFolder() {
    std::string besideBinary = parentFolder(executableFolder()) + "/share/twinsweep";
    if (isRegularFile(besideBinary + "/Help.html")) return besideBinary;
    if (isRegularFile(std::string(TWINSWEEP_INSTALLED_RESOURCES) + "/Help.html"))
        return TWINSWEEP_INSTALLED_RESOURCES;
    return TWINSWEEP_SOURCE_RESOURCES;
}

}  // namespace tw::platform
