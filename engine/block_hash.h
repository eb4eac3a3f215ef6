#pragma once
// A fast 64-bit hash of a byte block, for telling blocks apart before (or, for
// the fuzzy rule's block digests, instead of) comparing their bytes. Not a
// checksum that anything outside the program sees.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tw {

namespace block_hash_detail {

inline constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
inline constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
inline constexpr uint64_t kPrime3 = 0x165667B19E3779F9ULL;
inline constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
inline constexpr uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

inline uint64_t rotl(uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }
inline uint64_t load64(const unsigned char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline uint32_t load32(const unsigned char* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline uint64_t mixLane(uint64_t acc, uint64_t input) { return rotl(acc + input * kPrime2, 31) * kPrime1; }
inline uint64_t mergeLane(uint64_t acc, uint64_t lane) { return (acc ^ mixLane(0, lane)) * kPrime1 + kPrime4; }

}  // namespace block_hash_detail

inline uint64_t BlockHash64(const void* data, size_t length, uint64_t seed = 0) {
    using namespace block_hash_detail;
    const auto* p = static_cast<const unsigned char*>(data);
    const unsigned char* end = p + length;
    uint64_t h;
    if (length >= 32) {
        uint64_t v1 = seed + kPrime1 + kPrime2, v2 = seed + kPrime2, v3 = seed, v4 = seed - kPrime1;
        for (; end - p >= 32; p += 32) {
            v1 = mixLane(v1, load64(p));
            v2 = mixLane(v2, load64(p + 8));
            v3 = mixLane(v3, load64(p + 16));
            v4 = mixLane(v4, load64(p + 24));
        }
        h = rotl(v1, 1) + rotl(v2, 7) + rotl(v3, 12) + rotl(v4, 18);
        h = mergeLane(mergeLane(mergeLane(mergeLane(h, v1), v2), v3), v4);
    } else {
        h = seed + kPrime5;
    }
    h += length;
    for (; end - p >= 8; p += 8) h = rotl(h ^ mixLane(0, load64(p)), 27) * kPrime1 + kPrime4;
    if (end - p >= 4) {
        h = rotl(h ^ (uint64_t{load32(p)} * kPrime1), 23) * kPrime2 + kPrime3;
        p += 4;
    }
    for (; p < end; ++p) h = rotl(h ^ (*p * kPrime5), 11) * kPrime1;
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
}

}  // namespace tw
