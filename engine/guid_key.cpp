#include "engine/guid_key.h"

#include <cstdint>
#include <optional>
#include <random>

namespace tw {
namespace {

std::optional<std::mt19937_64> seededGenerator() {
    try {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void putHex(char*& out, uint64_t bits, int digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) *out++ = hex[(bits >> shift) & 0xF];
}

}  // namespace

std::string NewGuidText() {
    thread_local std::optional<std::mt19937_64> generator = seededGenerator();
    if (!generator) return {};
    uint64_t high = (*generator)();
    uint64_t low = (*generator)();
    high = (high & ~uint64_t{0xF000}) | 0x4000;                    // version 4
    low = (low & ~(uint64_t{0xC} << 60)) | (uint64_t{0x8} << 60);  // variant 10xx

    std::string text(38, '\0');
    char* out = text.data();
    *out++ = '{';
    putHex(out, high >> 32, 8);
    *out++ = '-';
    putHex(out, high >> 16, 4);
    *out++ = '-';
    putHex(out, high, 4);
    *out++ = '-';
    putHex(out, low >> 48, 4);
    *out++ = '-';
    putHex(out, low, 12);
    *out++ = '}';
    return text;
}

}  // namespace tw
