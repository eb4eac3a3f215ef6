#include "engine/file_version.h"

#include "engine/pe_version.h"
#include "platform/file_range.h"

#include <string_view>

namespace tw {

namespace {

const std::string kNotAvailable = "N/A";

bool mayHaveVersion(const std::string& path) {
    std::string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return std::string_view(".exe .dll .ocx").find(tail) != std::string_view::npos;
}

}  // namespace

uint16_t HighWord(uint32_t value) { return static_cast<uint16_t>(value >> 16); }

uint16_t LowWord(uint32_t value) { return static_cast<uint16_t>(value & 0xFFFFu); }

std::string GetFileVersionText(const std::string& path) {
    if (!mayHaveVersion(path)) return kNotAvailable;
    platform::FileRangeReader file(path);
    if (!file.isOpen()) return kNotAvailable;
    auto version = ReadPeFileVersion([&file](uint64_t offset, size_t length) { return file.read(offset, length); });
    if (!version) return kNotAvailable;
    uint32_t ms = version->mostSignificant;
    uint32_t ls = version->leastSignificant;
    return std::to_string(HighWord(ms)) + "." + std::to_string(LowWord(ms)) + "." + std::to_string(HighWord(ls)) + "." +
           std::to_string(LowWord(ls));
}

}  // namespace tw
