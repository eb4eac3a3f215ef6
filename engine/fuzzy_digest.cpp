#include "engine/fuzzy_digest.h"

#include "engine/block_hash.h"
#include "platform/file_reader.h"

namespace tw {

namespace {

constexpr size_t kChunk = 256 * kFuzzyBlockBytes;

}  // namespace

int64_t FuzzyMinEqualBlocks(int64_t blocks) {
    // The share grows with the count, so the answer is the first count that
    // passes, found from just below half.
    int64_t equal = std::max<int64_t>(0, blocks / 2 - 1);
    while (equal < blocks && !FuzzyShareReachesHalf(equal, blocks)) ++equal;
    return equal;
}

std::optional<FuzzyDigest> ComputeFuzzyDigest(const std::string& path,
                                              const std::function<bool(size_t bytes)>& beforeRead) {
    FuzzyDigest digest;
    platform::ReadOnlyFile file;
    if (file.open(path) != 0) return digest;
    const int64_t length = file.identity().size;
    const int64_t blocks = length / kFuzzyBlockBytes;
    if (blocks == 0) return digest;
    digest.blocks.reserve(static_cast<size_t>(blocks));
    std::vector<char> buffer(kChunk);
    for (int64_t offset = 0; offset < length;) {
        const auto part = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(kChunk), length - offset));
        if (beforeRead && !beforeRead(part)) return std::nullopt;
        if (file.readAt(offset, buffer.data(), part) != static_cast<int64_t>(part)) return FuzzyDigest{};
        size_t at = 0;
        for (; at + kFuzzyBlockBytes <= part; at += kFuzzyBlockBytes)
            digest.blocks.push_back(BlockHash64(buffer.data() + at, kFuzzyBlockBytes));
        // Chunks are whole blocks, so only the last one can end in a partial block.
        digest.tail.assign(buffer.data() + at, part - at);
        offset += static_cast<int64_t>(part);
    }
    digest.usable = true;
    digest.length = length;
    digest.minEqualBlocks = FuzzyMinEqualBlocks(blocks);
    return digest;
}

bool FuzzySimilar(const FuzzyDigest& a, const FuzzyDigest& b) {
    if (!a.usable || !b.usable || a.length != b.length) return false;
    // Equal tails make files similar; files without a tail are judged by their blocks alone.
    if (!a.tail.empty() && a.tail == b.tail) return true;
    const auto count = static_cast<int64_t>(a.blocks.size());
    const int64_t need = a.minEqualBlocks;
    const int64_t allowedMisses = count - need;
    int64_t equal = 0, misses = 0;
    for (int64_t i = 0; i < count; ++i) {
        if (a.blocks[static_cast<size_t>(i)] == b.blocks[static_cast<size_t>(i)]) {
            if (++equal >= need) return true;
        } else if (++misses > allowedMisses) {
            return false;
        }
    }
    return equal >= need;
}

}  // namespace tw
