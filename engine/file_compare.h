#pragma once
// The pairwise file comparisons: exact and fuzzy. Each gives 1 (identical or
// similar), 0 (different) or -1 (a file could not be found, opened or read).

#include <cstdint>
#include <string>

namespace tw {

// The fuzzy rule works on blocks of this many bytes.
inline constexpr int64_t kFuzzyBlockBytes = 1000;

// 1 when both files have the same length and the same bytes, 0 when their
// lengths or bytes differ, -1 when either cannot be opened or read.
int32_t CompareFiles(const std::string& pathA, const std::string& pathB);

// 1 when both files have the same length L of at least 1000 bytes and either at
// least half of their L div 1000 full 1000-byte blocks are equal or their final
// L mod 1000 bytes are equal (a file without such bytes is judged by its blocks
// alone, or any two such files of one length would match); 0 when lengths
// differ or neither holds; -1 when a file is missing or hidden (its name begins
// with "."), cannot be opened or read, or is shorter than 1000 bytes.
int32_t FuzzyCompareFiles(const std::string& pathA, const std::string& pathB);

// The fuzzy rule's threshold: 100 / blocks * equalBlocks, rounded to four
// decimals, is at least 50. blocks > 0.
bool FuzzyShareReachesHalf(int64_t equalBlocks, int64_t blocks);

// True when a directory lookup for ordinary files finds the path: it names an
// existing regular file whose name does not begin with ".".
bool FuzzyFileFound(const std::string& path);

}  // namespace tw
