#pragma once
// The fuzzy rule on digests: each file is read once into a 64-bit hash per full
// 1000-byte block plus its final bytes, and any pair of digests is then judged
// as FuzzyCompareFiles judges the two files, without reading them again.

#include "engine/file_compare.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct FuzzyDigest {
    // Found, opened and read in full, with at least one full block.
    bool usable = false;
    int64_t length = 0;
    std::vector<uint64_t> blocks;  // one hash per full block, in file order
    std::string tail;              // the final length mod 1000 bytes
    int64_t minEqualBlocks = 0;    // fewest equal blocks that reach half
};

// Reads the file; beforeRead gets the size of each read before it is made.
// Nothing when beforeRead returns false; an unusable digest when the file
// cannot be opened or read or is shorter than one block. Whether the file is
// found (not hidden) is the caller's test.
std::optional<FuzzyDigest> ComputeFuzzyDigest(const std::string& path,
                                              const std::function<bool(size_t bytes)>& beforeRead);

// FuzzyCompareFiles(a, b) = 1 for the files the digests were made of.
bool FuzzySimilar(const FuzzyDigest& a, const FuzzyDigest& b);

// The smallest equal-block count that FuzzyShareReachesHalf accepts. blocks > 0.
int64_t FuzzyMinEqualBlocks(int64_t blocks);

}  // namespace tw
