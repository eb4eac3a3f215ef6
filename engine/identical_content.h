#pragma once
// Splits a set of files into classes of identical content, reading each file at
// most once: files of one length are read side by side, block by block, and a
// file leaves as soon as no other file shares its bytes so far. Blocks start
// small (a file that differs early is read only that far) and grow while a set
// stays together. At most a bounded number of files is open at once; a file
// closed to make room is opened again and read on from where it stopped.

#include "engine/engine_context.h"
#include "platform/file_reader.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct ContentFile {
    std::string path;
    // What the path named before reading; a file that is no longer this file
    // (another inode, another length) when opened counts as unreadable.
    platform::FileIdentity identity;
};

// The classes of two or more files with the same length and bytes, each as
// ascending indices into files, ordered by their first index. Files that cannot
// be opened or read belong to no class. beforeRead gets the size of each read
// (0 for an open alone) before it is made; nothing is returned when it says false.
std::optional<std::vector<std::vector<int>>> IdenticalContentClasses(
    const std::vector<ContentFile>& files, const std::function<bool(size_t bytes)>& beforeRead,
    const EngineTuning& tuning);

}  // namespace tw
