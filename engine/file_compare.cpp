#include "engine/file_compare.h"

#include "platform/file_reader.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace tw {

namespace {

// Reads are made in chunks of whole 1000-byte blocks.
constexpr size_t kChunk = 64 * kFuzzyBlockBytes;

struct OpenPair {
    platform::ReadOnlyFile a, b;
    bool open(const std::string& pathA, const std::string& pathB) { return a.open(pathA) == 0 && b.open(pathB) == 0; }
};

// Reads `length` bytes at `offset` from both; false on a failure or a short read.
bool readBoth(OpenPair& files, int64_t offset, size_t length, std::vector<char>& bufferA, std::vector<char>& bufferB) {
    return files.a.readAt(offset, bufferA.data(), length) == static_cast<int64_t>(length) &&
           files.b.readAt(offset, bufferB.data(), length) == static_cast<int64_t>(length);
}

}  // namespace

int32_t CompareFiles(const std::string& pathA, const std::string& pathB) {
    OpenPair files;
    if (!files.open(pathA, pathB)) return -1;
    const int64_t length = files.a.identity().size;
    if (length != files.b.identity().size) return 0;
    std::vector<char> bufferA(kChunk), bufferB(kChunk);
    for (int64_t offset = 0; offset < length; offset += static_cast<int64_t>(kChunk)) {
        const auto part = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(kChunk), length - offset));
        if (!readBoth(files, offset, part, bufferA, bufferB)) return -1;
        if (std::memcmp(bufferA.data(), bufferB.data(), part) != 0) return 0;
    }
    return 1;
}

bool FuzzyShareReachesHalf(int64_t equalBlocks, int64_t blocks) {
    const double share = 100.0 / static_cast<double>(blocks) * static_cast<double>(equalBlocks);
    return std::nearbyint(share * 10000.0) / 10000.0 >= 50.0;
}

bool FuzzyFileFound(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart >= path.size() || path[nameStart] == '.') return false;
    auto identity = platform::statFileIdentity(path);
    return identity && identity->regular;
}

int32_t FuzzyCompareFiles(const std::string& pathA, const std::string& pathB) {
    if (!FuzzyFileFound(pathA) || !FuzzyFileFound(pathB)) return -1;
    OpenPair files;
    if (!files.open(pathA, pathB)) return -1;
    const int64_t length = files.a.identity().size;
    if (length != files.b.identity().size) return 0;
    const int64_t blocks = length / kFuzzyBlockBytes;
    const int64_t fullBytes = blocks * kFuzzyBlockBytes;
    std::vector<char> bufferA(kChunk), bufferB(kChunk);
    int64_t equal = 0;
    for (int64_t offset = 0; offset < fullBytes; offset += static_cast<int64_t>(kChunk)) {
        const auto part = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(kChunk), fullBytes - offset));
        if (!readBoth(files, offset, part, bufferA, bufferB)) return -1;
        for (size_t at = 0; at < part; at += kFuzzyBlockBytes)
            equal += std::memcmp(bufferA.data() + at, bufferB.data() + at, kFuzzyBlockBytes) == 0;
    }
    if (blocks == 0) return -1;
    if (FuzzyShareReachesHalf(equal, blocks)) return 1;
    const auto tail = static_cast<size_t>(length - fullBytes);
    // Without a tail, nothing but the blocks can make two files similar.
    if (tail == 0) return 0;
    if (!readBoth(files, fullBytes, tail, bufferA, bufferB)) return -1;
    return std::memcmp(bufferA.data(), bufferB.data(), tail) == 0 ? 1 : 0;
}

}  // namespace tw
