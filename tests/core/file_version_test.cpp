#include "engine/file_version.h"
#include "engine/pe_version.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace tw {
namespace {

void put16(std::string& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& bytes, size_t at, uint32_t value) {
    put16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
    put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

// A minimal PE image: headers, a .text section and a .rsrc section whose tree
// holds an icon (type 3, reached through a named and an id entry) before one
// version resource (type 16). Offsets inside .rsrc are fixed; the version
// resource is the last thing in the file, so every shorter prefix lacks bytes.
constexpr uint32_t kRsrcFile = 0x400, kRsrcRva = 0x3000, kTextRva = 0x1000;
constexpr uint32_t kRoot = 0x00, kIconNames = 0x28, kIconLanguages = 0x40, kVersionNames = 0x58,
                   kVersionLanguages = 0x70, kIconDataEntry = 0x88, kVersionDataEntry = 0x98, kNameString = 0xA8,
                   kIconBytes = 0xB4, kVersionInfo = 0xC4, kRsrcSize = 0x120;
constexpr uint32_t kDirectory = 0x80000000u;

struct PeImage {
    std::string bytes;
    size_t optionalHeader = 0x58;
    size_t resourceDirectoryEntry = 0;  // data directory 2
    size_t sectionTable = 0;
    size_t rsrcHeader = 0;  // the .rsrc section header
    size_t at(uint32_t rsrcOffset) const { return kRsrcFile + rsrcOffset; }
};

PeImage buildImage(bool pe32plus, uint32_t versionMs, uint32_t versionLs) {
    PeImage image;
    size_t optionalSize = pe32plus ? 240 : 224;
    image.sectionTable = image.optionalHeader + optionalSize;
    image.rsrcHeader = image.sectionTable + 40;
    image.resourceDirectoryEntry = image.optionalHeader + (pe32plus ? 112 : 96) + 2 * 8;
    std::string& b = image.bytes;
    b.assign(kRsrcFile + kRsrcSize, '\0');

    b[0] = 'M', b[1] = 'Z';
    put32(b, 0x3C, 0x40);
    b.replace(0x40, 4, std::string("PE\0\0", 4));
    put16(b, 0x44, pe32plus ? 0x8664 : 0x14C);
    put16(b, 0x46, 2);
    put16(b, 0x54, static_cast<uint16_t>(optionalSize));
    put16(b, image.optionalHeader, pe32plus ? 0x20B : 0x10B);
    put32(b, image.optionalHeader + (pe32plus ? 108 : 92), 16);
    put32(b, image.resourceDirectoryEntry, kRsrcRva);
    put32(b, image.resourceDirectoryEntry + 4, kRsrcSize);

    auto section = [&](size_t header, const char* name, uint32_t rva, uint32_t size, uint32_t fileOffset) {
        b.replace(header, 5, name);
        put32(b, header + 8, size);
        put32(b, header + 12, rva);
        put32(b, header + 16, size);
        put32(b, header + 20, fileOffset);
    };
    section(image.sectionTable, ".text", kTextRva, 0x200, 0x200);
    section(image.rsrcHeader, ".rsrc", kRsrcRva, kRsrcSize, kRsrcFile);

    auto table = [&](uint32_t at, uint16_t named, uint16_t ids) {
        put16(b, image.at(at) + 12, named);
        put16(b, image.at(at) + 14, ids);
    };
    auto entry = [&](uint32_t at, uint32_t name, uint32_t target) {
        put32(b, image.at(at), name);
        put32(b, image.at(at) + 4, target);
    };
    table(kRoot, 1, 2);
    entry(kRoot + 16, kDirectory | kNameString, kDirectory | kIconNames);
    entry(kRoot + 24, 3, kDirectory | kIconNames);
    entry(kRoot + 32, 16, kDirectory | kVersionNames);
    table(kIconNames, 0, 1);
    entry(kIconNames + 16, 1, kDirectory | kIconLanguages);
    table(kIconLanguages, 0, 1);
    entry(kIconLanguages + 16, 0x409, kIconDataEntry);
    table(kVersionNames, 0, 1);
    entry(kVersionNames + 16, 1, kDirectory | kVersionLanguages);
    table(kVersionLanguages, 0, 1);
    entry(kVersionLanguages + 16, 0x409, kVersionDataEntry);
    entry(kIconDataEntry, kRsrcRva + kIconBytes, 16);
    entry(kVersionDataEntry, kRsrcRva + kVersionInfo, kRsrcSize - kVersionInfo);
    put16(b, image.at(kNameString), 4);
    for (int i = 0; i < 4; ++i) put16(b, image.at(kNameString) + 2 + 2 * i, static_cast<uint16_t>("ICON"[i]));
    b.replace(image.at(kIconBytes), 16, 16, '\xAA');

    size_t info = image.at(kVersionInfo);
    put16(b, info, kRsrcSize - kVersionInfo);
    put16(b, info + 2, 52);
    const char16_t key[] = u"VS_VERSION_INFO";
    for (size_t i = 0; i < 15; ++i) put16(b, info + 6 + 2 * i, static_cast<uint16_t>(key[i]));
    put32(b, info + 40, 0xFEEF04BD);
    put32(b, info + 44, 0x00010000);
    put32(b, info + 48, versionMs);
    put32(b, info + 52, versionLs);
    put32(b, info + 56, 0x00090009);  // product version, which must not be taken for the file version
    put32(b, info + 60, 0x00090009);
    return image;
}

// Serves an image from memory and records how much was asked for.
struct CountingReader {
    const std::string& image;
    size_t largestRead = 0;
    uint64_t totalRead = 0;
    std::optional<PeFileVersion> parse() {
        return ReadPeFileVersion([this](uint64_t offset, size_t length) {
            largestRead = std::max(largestRead, length);
            totalRead += length;
            if (offset >= image.size()) return std::string();
            return image.substr(static_cast<size_t>(offset), length);
        });
    }
};

// Moves the version resource into .text and spoils the copy left behind, so
// that only a correct RVA mapping through the section table finds it.
void moveVersionToText(PeImage& image) {
    image.bytes.replace(0x300, 92, image.bytes, image.at(kVersionInfo), 92);
    put32(image.bytes, image.at(kVersionDataEntry), kTextRva + 0x100);
    put32(image.bytes, image.at(kVersionInfo) + 40, 0);
}

TEST(PeVersion, ReadsTheFileVersionOfBothFormatsWithSmallReads) {
    for (bool pe32plus : {false, true}) {
        for (auto [ms, ls] : {std::pair<uint32_t, uint32_t>{0x00050001, 0x0A280000}, {0, 0}, {~0u, ~0u}}) {
            PeImage image = buildImage(pe32plus, ms, ls);
            CountingReader reader{image.bytes};
            EXPECT_EQ(reader.parse(), (PeFileVersion{ms, ls})) << pe32plus << " " << ms << " " << ls;
            EXPECT_LE(reader.totalRead, 512u);
        }
    }
}

TEST(PeVersion, ToleratedLayoutsStillGiveTheVersion) {
    const std::pair<const char*, std::function<void(PeImage&)>> cases[] = {
        {"version resource stored in another section", moveVersionToText},
        {"section without a virtual size", [](PeImage& i) { put32(i.bytes, i.rsrcHeader + 8, 0); }},
        {"section table listed last first",
         [](PeImage& i) {
             std::string text = i.bytes.substr(i.sectionTable, 40);
             i.bytes.replace(i.sectionTable, 40, i.bytes, i.rsrcHeader, 40);
             i.bytes.replace(i.rsrcHeader, 40, text);
         }},
        {"headers at a later offset",
         [](PeImage& i) {
             i.bytes.replace(0x40, 0x1C0, i.bytes.substr(0x40, 0x1B0).insert(0, 16, '\0'));
             put32(i.bytes, 0x3C, 0x50);
         }},
    };
    for (const auto& [name, change] : cases) {
        PeImage image = buildImage(false, 0x00020003, 0x00040005);
        change(image);
        CountingReader reader{image.bytes};
        EXPECT_EQ(reader.parse(), (PeFileVersion{0x00020003, 0x00040005})) << name;
    }
}

TEST(PeVersion, EveryTruncationGivesNothing) {
    for (bool pe32plus : {false, true}) {
        PeImage image = buildImage(pe32plus, 1, 2);
        for (size_t length = 0; length < image.bytes.size(); ++length) {
            std::string prefix = image.bytes.substr(0, length);
            CountingReader reader{prefix};
            ASSERT_EQ(reader.parse(), std::nullopt) << "truncated to " << length;
        }
    }
}

TEST(PeVersion, DamagedImagesGiveNothingAfterBoundedReads) {
    const std::pair<const char*, std::function<void(PeImage&)>> cases[] = {
        {"no MZ", [](PeImage& i) { i.bytes[1] = 'X'; }},
        {"no PE signature", [](PeImage& i) { i.bytes[0x43] = 1; }},
        {"e_lfanew beyond the file", [](PeImage& i) { put32(i.bytes, 0x3C, 0x10000); }},
        {"e_lfanew at the top of the range", [](PeImage& i) { put32(i.bytes, 0x3C, ~0u); }},
        {"unknown optional header magic", [](PeImage& i) { put16(i.bytes, i.optionalHeader, 0x107); }},
        {"optional header too short for directory 2", [](PeImage& i) { put16(i.bytes, 0x54, 100); }},
        {"only two data directories", [](PeImage& i) { put32(i.bytes, i.resourceDirectoryEntry - 20, 2); }},
        {"no sections", [](PeImage& i) { put16(i.bytes, 0x46, 0); }},
        {"absurd section count", [](PeImage& i) { put16(i.bytes, 0x46, 0xFFFF); }},
        {"no resource directory", [](PeImage& i) { put32(i.bytes, i.resourceDirectoryEntry, 0); }},
        {"resource RVA outside every section", [](PeImage& i) { put32(i.bytes, i.resourceDirectoryEntry, 0x9000); }},
        // The bytes are in the file, but past the section's stored data.
        {"version resource in the section's unstored tail",
         [](PeImage& i) { put32(i.bytes, i.rsrcHeader + 16, kVersionInfo - 4); }},
        {"data entry straddles the section's stored end",
         [](PeImage& i) {
             moveVersionToText(i);
             put32(i.bytes, i.rsrcHeader + 16, kVersionDataEntry + 8);
         }},
        {"section data beyond the file", [](PeImage& i) { put32(i.bytes, i.rsrcHeader + 20, 0x7FFFF000); }},
        {"section at the top of the address range",
         [](PeImage& i) {
             put32(i.bytes, i.rsrcHeader + 12, 0xFFFFFF00);
             put32(i.bytes, i.rsrcHeader + 20, ~0u);
             put32(i.bytes, i.resourceDirectoryEntry, 0xFFFFFF10);
         }},
        {"no version type", [](PeImage& i) { put32(i.bytes, i.at(kRoot + 32), 17); }},
        {"version type only by name", [](PeImage& i) { put32(i.bytes, i.at(kRoot + 32), kDirectory | 16); }},
        {"version type entry is a leaf", [](PeImage& i) { put32(i.bytes, i.at(kRoot + 36), kVersionDataEntry); }},
        {"version type table points to the root", [](PeImage& i) { put32(i.bytes, i.at(kRoot + 36), kDirectory); }},
        {"name table points to itself",
         [](PeImage& i) { put32(i.bytes, i.at(kVersionNames + 20), kDirectory | kVersionNames); }},
        {"language table points to itself",
         [](PeImage& i) { put32(i.bytes, i.at(kVersionLanguages + 20), kDirectory | kVersionLanguages); }},
        {"name entry is a leaf", [](PeImage& i) { put32(i.bytes, i.at(kVersionNames + 20), kVersionDataEntry); }},
        {"empty name table", [](PeImage& i) { put16(i.bytes, i.at(kVersionNames) + 14, 0); }},
        {"huge root id count", [](PeImage& i) { put16(i.bytes, i.at(kRoot) + 14, 0xFFFF); }},
        {"huge root name count", [](PeImage& i) { put16(i.bytes, i.at(kRoot) + 12, 0xFFFF); }},
        {"huge language count", [](PeImage& i) { put16(i.bytes, i.at(kVersionLanguages) + 12, 0xFFFF); }},
        {"table beyond the section", [](PeImage& i) { put32(i.bytes, i.at(kRoot + 36), kDirectory | 0x7FFFFFF8); }},
        {"data entry beyond the section", [](PeImage& i) { put32(i.bytes, i.at(kVersionLanguages + 20), 0x118); }},
        {"data RVA outside every section", [](PeImage& i) { put32(i.bytes, i.at(kVersionDataEntry), 0x8000); }},
        {"data RVA at the top of the range", [](PeImage& i) { put32(i.bytes, i.at(kVersionDataEntry), ~0u); }},
        {"data size beyond the section", [](PeImage& i) { put32(i.bytes, i.at(kVersionDataEntry) + 4, 93); }},
        {"data size too small for the fixed info", [](PeImage& i) { put32(i.bytes, i.at(kVersionDataEntry) + 4, 91); }},
        {"wLength beyond the data size", [](PeImage& i) { put16(i.bytes, i.at(kVersionInfo), 200); }},
        {"wLength short of the fixed info", [](PeImage& i) { put16(i.bytes, i.at(kVersionInfo), 60); }},
        {"no value", [](PeImage& i) { put16(i.bytes, i.at(kVersionInfo) + 2, 0); }},
        {"wrong key", [](PeImage& i) { i.bytes[i.at(kVersionInfo) + 6 + 2 * 14] = 'P'; }},
        {"key without terminator", [](PeImage& i) { i.bytes[i.at(kVersionInfo) + 6 + 2 * 15] = 'X'; }},
        {"fixed info signature mismatch", [](PeImage& i) { put32(i.bytes, i.at(kVersionInfo) + 40, 0xFEEF04BC); }},
    };
    for (bool pe32plus : {false, true}) {
        for (const auto& [name, damage] : cases) {
            PeImage image = buildImage(pe32plus, 1, 2);
            damage(image);
            CountingReader reader{image.bytes};
            EXPECT_EQ(reader.parse(), std::nullopt) << name << (pe32plus ? " (PE32+)" : " (PE32)");
            EXPECT_LE(reader.largestRead, kMaxPeRead) << name;
            EXPECT_LE(reader.totalRead, 16u * 1024) << name;
        }
    }
}

TEST(PeVersion, RandomDamageEndsWithBoundedReads) {
    std::mt19937 random(20240611);
    for (bool pe32plus : {false, true}) {
        const PeImage original = buildImage(pe32plus, 7, 8);
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = original.bytes;
            int flips = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] = static_cast<char>(random());
            CountingReader reader{damaged};
            reader.parse();
            ASSERT_LE(reader.largestRead, kMaxPeRead) << "round " << round;
            ASSERT_LE(reader.totalRead, 1024u * 1024) << "round " << round;
        }
    }
}

TEST(FileVersion, ProgramNamesAreReadOthersAreNot) {
    test::TempDir dir;
    std::string pe32 = buildImage(false, 0x00050001, 0x0A280000).bytes;
    std::string pe64 = buildImage(true, 0x000A0000, 0x4A610001).bytes;
    const struct {
        const char* name;
        const std::string& content;
        const char* expected;
    } cases[] = {
        {"x.exe", pe32, "5.1.2600.0"},
        {"x.dll", pe64, "10.0.19041.1"},
        {"x.OCX", pe32, "5.1.2600.0"},
        {"Setup.Exe", pe64, "10.0.19041.1"},
        {"x.e .d", pe32, "5.1.2600.0"},  // the last four characters occur in ".exe .dll .ocx"
        {"notes.txt", pe32, "N/A"},
        {"x.exe.bak", pe32, "N/A"},
        {"x.com", pe32, "N/A"},
        {"x.ex", pe32, "N/A"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetFileVersionText(dir.writeFile(c.name, c.content)), c.expected) << c.name;
    EXPECT_EQ(GetFileVersionText(dir / "missing/notes.txt"), "N/A");
}

TEST(FileVersion, FilesWithoutAReadableImageGiveNA) {
    test::TempDir dir;
    EXPECT_EQ(GetFileVersionText(dir / "missing.exe"), "N/A");
    EXPECT_EQ(GetFileVersionText(dir.writeFile("empty.exe")), "N/A");
    EXPECT_EQ(GetFileVersionText(dir.writeFile("text.exe", "MZ but nothing more\r\n")), "N/A");
    EXPECT_EQ(GetFileVersionText(dir.makeFolder("folder.dll")), "N/A");
    ASSERT_EQ(::mkfifo((dir / "pipe.exe").c_str(), 0600), 0);
    EXPECT_EQ(GetFileVersionText(dir / "pipe.exe"), "N/A") << "a pipe with no writer must not block";
}

TEST(FileVersion, HugeFileIsReadOnlyWhereNeeded) {
    test::TempDir dir;
    std::string path = dir.writeFile("big.exe", buildImage(false, 0x00030000, 0x00000004).bytes);
    std::error_code error;
    std::filesystem::resize_file(path, 3ull << 30, error);  // sparse on every usual file system
    if (error) GTEST_SKIP() << "cannot grow a file: " << error.message();
    EXPECT_EQ(GetFileVersionText(path), "3.0.0.4");
}

TEST(FileVersion, HighWordAndLowWordSplitTheValue) {
    const struct {
        uint32_t value;
        uint16_t high, low;
    } cases[] = {
        {0, 0, 0}, {0x00050001, 5, 1}, {0x0A280000, 2600, 0}, {0xFFFFFFFF, 65535, 65535}, {0x80000001, 32768, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HighWord(c.value), c.high) << std::hex << c.value;
        EXPECT_EQ(LowWord(c.value), c.low) << std::hex << c.value;
    }
}

}  // namespace
}  // namespace tw
