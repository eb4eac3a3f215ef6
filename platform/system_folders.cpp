#include "platform/system_folders.h"

#include <array>
#include <cstdlib>
#include <memory>

namespace tw::platform {

namespace {

constexpr std::array<std::string_view, 21> kSystemFolders = {
    "/proc",  "/sys",   "/dev",     "/run",      "/boot",      "/efi",     "/etc",
    "/usr",   "/bin",   "/sbin",    "/lib",      "/lib32",     "/lib64",   "/libx32",
    "/snap",  "/var/lib", "/var/cache", "/var/log", "/var/spool", "/var/run", "/var/lock",
};

// Splits off the next non-empty, non-"." component of an absolute path.
std::string_view nextComponent(std::string_view& rest) {
    for (;;) {
        while (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
        const size_t end = rest.find('/');
        std::string_view component = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
        if (component != ".") return component;
    }
}

// True when every component of `folder` matches the leading components of `path`.
bool startsWithComponents(std::string_view path, std::string_view folder) {
    for (;;) {
        std::string_view wanted = nextComponent(folder);
        if (wanted.empty()) return true;
        if (nextComponent(path) != wanted) return false;
    }
}

}  // namespace

std::span<const std::string_view> SystemFolders() { return kSystemFolders; }

bool IsSystemFolder(std::string_view path) {
    if (path.empty() || path.front() != '/') return false;
    for (std::string_view folder : kSystemFolders)
        if (startsWithComponents(path, folder)) return true;
    return false;
}

std::string ResolvedPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

}  // namespace tw::platform
