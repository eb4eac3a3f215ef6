#pragma once
// The system's own folders, which the walker stays out of when asked to protect
// them: kernel and device views, boot files, configuration, installed programs
// and libraries, and the state the package manager and services keep.

#include <span>
#include <string>
#include <string_view>

namespace tw::platform {

// Absolute paths without a trailing "/".
std::span<const std::string_view> SystemFolders();

// True when the path is one of the system folders or lies below one. Compares
// whole path components: "/usr" and "/usr/share/" are inside, "/usrdata" is not.
// Repeated "/" and "." components are ignored; ".." and links are not resolved.
bool IsSystemFolder(std::string_view path);

// The path with symbolic links, "." and ".." resolved, without a trailing "/"
// (but "/" for the root); empty when it cannot be resolved.
std::string ResolvedPath(const std::string& path);

}  // namespace tw::platform
