#pragma once
// The duplicate detection engines: byte to byte (optionally fuzzy) and CRC32
// over runs of equal size, and same file name.
//
// Input: the file hive, or the scan's own list of the same entries
// (FileEntries), sorted by record text with letter case ignored. Engines 1
// and 2: Item = size text, Item1 = name,
// Item2 = folder ending in "/", Item3 = last-write time text. Same name: Item =
// name, Item1 = size text. Item4 = Item5 = 1. The file hive is only read; the
// engines neither remove nor change its entries.
//
// Output: groups appended to the result hive, each entry with a new key and
// Item = size text, Item1 = name, Item2 = folder, Item3 = version text,
// Item4 = shade (int64_t, 1 or 2, the same within a group, alternating between
// groups), Item5 = time text. A group's first entry is the file the others were
// found equal to. The counters and the shade in the context are updated; a
// cancel or an Abort in a bug report ends the engine with the groups written
// so far. The result hive must not be the file hive.

#include "engine/engine_context.h"
#include "engine/hive.h"

namespace tw {

// Engines 1 and 2: every run of entries with equal size text is a candidate
// group, compared as FindDuplicates does. Files of a size no other entry has are
// never opened or examined.
void FindSame(const CHive& fileHive, CHive& resultHive, EngineContext& context);
void FindSame(const class FileEntries& files, CHive& resultHive, EngineContext& context);

// Compares the files of one candidate group (entries shaped like the file
// hive's) and writes the groups found. A file listed twice (the same path on
// neighbouring entries, or the same device and inode) is dropped, lowering
// FilesScanned. Each file is read at most once. False when the engine is to end:
// the scan was cancelled or a bug report was answered with Abort.
bool FindDuplicates(const CHive& groupHive, CHive& resultHive, EngineContext& context);

// Engine 3: every run of entries whose names are equal, ignoring letter case
// and surrounding blanks, is one group, whatever the sizes and contents.
void FindSameName(const CHive& fileHive, CHive& resultHive, EngineContext& context);
void FindSameName(const class FileEntries& files, CHive& resultHive, EngineContext& context);

}  // namespace tw
