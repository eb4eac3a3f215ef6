#pragma once
// Whole-file reads and writes, folder creation and existence checks.

#include <optional>
#include <string>
#include <string_view>

namespace tw::platform {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces (or creates) the file through a temporary file in the same folder,
// flushed and renamed over the old one, so a crash never leaves half a file.
// Creates missing parent folders. False when the file could not be written,
// with errno telling why.
bool writeFileAtomically(const std::string& path, std::string_view content);

// Whether writeFileAtomically could replace or create the file, found without
// changing anything: 0 when it could, otherwise the errno that stops it (the
// file cannot be opened for writing, or its folder does not take new files).
int writableCheck(const std::string& path);

// Creates the folder and its missing parents; true when it exists afterwards.
bool makeDirectories(const std::string& path);

// True when the path names a regular file (links to one included).
bool isRegularFile(const std::string& path);

// True when the path names a folder (links to one included).
bool isFolder(const std::string& path);

// The folder part of a path ("/a/b/c.txt" -> "/a/b"); empty for a bare name.
std::string parentFolder(const std::string& path);

}  // namespace tw::platform
