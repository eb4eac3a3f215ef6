#include "engine/pe_version.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace tw {

namespace {

constexpr uint32_t kLfanewOffset = 0x3C;
constexpr size_t kDosHeaderSize = 64;
constexpr size_t kCoffHeaderSize = 20;
constexpr size_t kNtHeadersStart = 4 + kCoffHeaderSize;  // signature and COFF header
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr size_t kDataDirectorySize = 8;
// The loader refuses images with more sections, so more is taken as damage.
constexpr uint32_t kMaxSections = 96;
constexpr size_t kSectionHeaderSize = 40;

constexpr size_t kDirectoryHeaderSize = 16;
constexpr size_t kDirectoryEntrySize = 8;
constexpr size_t kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint32_t kVersionResourceType = 16;

// VS_VERSIONINFO: wLength, wValueLength, wType, the key "VS_VERSION_INFO" with
// its terminator in UTF-16LE (16 units), padding to 32 bits, then the fixed info.
constexpr std::u16string_view kVersionKey{u"VS_VERSION_INFO", 16};
constexpr size_t kKeyOffset = 6;
constexpr size_t kFixedInfoOffset = (kKeyOffset + 2 * kVersionKey.size() + 3) / 4 * 4;
constexpr size_t kFixedInfoSize = 52;
constexpr size_t kVersionHeadSize = kFixedInfoOffset + kFixedInfoSize;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BDu;

static_assert(kMaxSections * kSectionHeaderSize <= kMaxPeRead);

uint16_t u16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

uint32_t u32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(u16(bytes, at)) | static_cast<uint32_t>(u16(bytes, at + 2)) << 16;
}

// Exactly length bytes at offset, or nothing.
std::optional<std::string> readExactly(const ImageReader& read, uint64_t offset, size_t length) {
    std::string bytes = read(offset, length);
    if (bytes.size() != length) return std::nullopt;
    return bytes;
}

struct Section {
    uint32_t virtualAddress = 0;
    uint32_t virtualSize = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
};

// Bytes of the file that an RVA maps to: length bytes from fileOffset, up to the
// end of the section's data stored in the file.
struct Span {
    uint64_t fileOffset = 0;
    uint64_t length = 0;
};

std::optional<Span> mapRva(const std::vector<Section>& sections, uint32_t rva) {
    for (const Section& section : sections) {
        uint64_t mappedSize = section.virtualSize != 0 ? section.virtualSize : section.rawSize;
        if (rva < section.virtualAddress || rva - section.virtualAddress >= mappedSize) continue;
        uint64_t delta = rva - section.virtualAddress;
        uint64_t stored = std::min<uint64_t>(mappedSize, section.rawSize);
        // Bytes past the stored data are zeros in memory; no resource lives there.
        if (delta >= stored) return std::nullopt;
        return Span{uint64_t{section.rawOffset} + delta, stored - delta};
    }
    return std::nullopt;
}

struct Headers {
    uint32_t resourceRva = 0;
    std::vector<Section> sections;
};

std::optional<Headers> readHeaders(const ImageReader& read) {
    auto dos = readExactly(read, 0, kDosHeaderSize);
    if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z') return std::nullopt;
    uint64_t ntOffset = u32(*dos, kLfanewOffset);

    // The signature, the COFF header and the optional header's magic.
    auto nt = readExactly(read, ntOffset, kNtHeadersStart + 2);
    if (!nt || nt->compare(0, 4, std::string_view("PE\0\0", 4)) != 0) return std::nullopt;
    uint32_t sectionCount = u16(*nt, 4 + 2);
    size_t optionalSize = u16(*nt, 4 + 16);
    if (sectionCount == 0 || sectionCount > kMaxSections) return std::nullopt;

    size_t countOffset;  // NumberOfRvaAndSizes, followed by the data directories
    if (u16(*nt, kNtHeadersStart) == kPe32Magic)
        countOffset = 92;
    else if (u16(*nt, kNtHeadersStart) == kPe32PlusMagic)
        countOffset = 108;
    else
        return std::nullopt;
    size_t resourceEntry = countOffset + 4 + kResourceDirectoryIndex * kDataDirectorySize;
    size_t needed = resourceEntry + kDataDirectorySize;
    if (optionalSize < needed) return std::nullopt;
    auto optional = readExactly(read, ntOffset + kNtHeadersStart, needed);
    if (!optional || u32(*optional, countOffset) <= kResourceDirectoryIndex) return std::nullopt;

    Headers headers;
    headers.resourceRva = u32(*optional, resourceEntry);
    if (headers.resourceRva == 0) return std::nullopt;

    auto table = readExactly(read, ntOffset + kNtHeadersStart + optionalSize, sectionCount * kSectionHeaderSize);
    if (!table) return std::nullopt;
    for (size_t at = 0; at < table->size(); at += kSectionHeaderSize)
        headers.sections.push_back({.virtualAddress = u32(*table, at + 12),
                                    .virtualSize = u32(*table, at + 8),
                                    .rawSize = u32(*table, at + 16),
                                    .rawOffset = u32(*table, at + 20)});
    return headers;
}

// The resource tree, addressed by offsets from the start of the resource
// directory and confined to the part of its section stored in the file.
class ResourceTree {
public:
    ResourceTree(const ImageReader& read, Span span) : read_(read), span_(span) {}

    // In the table at offset, the target of the first entry whose name or id
    // field the filter accepts: a table offset with the high bit set, or a data
    // entry offset. Nothing when no entry is accepted or the table, with all the
    // entries it claims, does not fit in the resource area.
    template <typename Accept>
    std::optional<uint32_t> findEntry(uint64_t offset, Accept accept) const {
        auto header = bytes(offset, kDirectoryHeaderSize);
        if (!header) return std::nullopt;
        uint64_t count = uint64_t{u16(*header, 12)} + u16(*header, 14);
        uint64_t first = offset + kDirectoryHeaderSize;
        if (!fits(first, count * kDirectoryEntrySize)) return std::nullopt;
        constexpr uint64_t kPerRead = kMaxPeRead / kDirectoryEntrySize;
        for (uint64_t done = 0; done < count;) {
            uint64_t batch = std::min(count - done, kPerRead);
            auto entries = bytes(first + done * kDirectoryEntrySize, batch * kDirectoryEntrySize);
            if (!entries) return std::nullopt;
            for (size_t at = 0; at < entries->size(); at += kDirectoryEntrySize)
                if (accept(u32(*entries, at))) return u32(*entries, at + 4);
            done += batch;
        }
        return std::nullopt;
    }

    std::optional<std::string> bytes(uint64_t offset, size_t length) const {
        if (!fits(offset, length)) return std::nullopt;
        return readExactly(read_, span_.fileOffset + offset, length);
    }

private:
    bool fits(uint64_t offset, uint64_t length) const {
        return offset <= span_.length && length <= span_.length - offset;
    }

    const ImageReader& read_;
    Span span_;
};

std::optional<PeFileVersion> parseVersionHead(std::string_view head, uint32_t resourceSize) {
    uint16_t length = u16(head, 0);
    uint16_t valueLength = u16(head, 2);
    if (length < kVersionHeadSize || length > resourceSize || valueLength < kFixedInfoSize) return std::nullopt;
    for (size_t i = 0; i < kVersionKey.size(); ++i)
        if (u16(head, kKeyOffset + 2 * i) != kVersionKey[i]) return std::nullopt;
    if (u32(head, kFixedInfoOffset) != kFixedInfoSignature) return std::nullopt;
    return PeFileVersion{u32(head, kFixedInfoOffset + 8), u32(head, kFixedInfoOffset + 12)};
}

}  // namespace

std::optional<PeFileVersion> ReadPeFileVersion(const ImageReader& read) {
    auto headers = readHeaders(read);
    if (!headers) return std::nullopt;
    auto span = mapRva(headers->sections, headers->resourceRva);
    if (!span) return std::nullopt;
    ResourceTree tree(read, *span);

    // Exactly three levels are followed, each to a table and the last to a data
    // entry, so a table that points back at itself or an ancestor cannot loop.
    auto typeEntry = tree.findEntry(0, [](uint32_t name) { return name == kVersionResourceType; });
    if (!typeEntry || !(*typeEntry & kHighBit)) return std::nullopt;
    auto nameEntry = tree.findEntry(*typeEntry & ~kHighBit, [](uint32_t) { return true; });
    if (!nameEntry || !(*nameEntry & kHighBit)) return std::nullopt;
    auto languageEntry = tree.findEntry(*nameEntry & ~kHighBit, [](uint32_t) { return true; });
    if (!languageEntry || (*languageEntry & kHighBit)) return std::nullopt;

    auto dataEntry = tree.bytes(*languageEntry, kDataEntrySize);
    if (!dataEntry) return std::nullopt;
    uint32_t dataRva = u32(*dataEntry, 0);
    uint32_t dataSize = u32(*dataEntry, 4);
    auto data = mapRva(headers->sections, dataRva);
    if (!data || dataSize > data->length || dataSize < kVersionHeadSize) return std::nullopt;
    auto head = readExactly(read, data->fileOffset, kVersionHeadSize);
    if (!head) return std::nullopt;
    return parseVersionHead(*head, dataSize);
}

}  // namespace tw
