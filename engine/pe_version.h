#pragma once
// The file version held in the version resource of a PE image (.exe, .dll,
// .ocx), PE32 or PE32+. The parser trusts nothing in the image: a damaged,
// truncated, out-of-range or looping structure gives no version, never a crash.
//
// Path taken: DOS header -> PE signature -> COFF header -> optional header ->
// data directory 2 (resources) -> its RVA mapped through the section table ->
// resource tree: type 16 (version) -> first name -> first language -> data
// entry -> VS_VERSIONINFO ("VS_VERSION_INFO") -> VS_FIXEDFILEINFO.
//
// Reads: the DOS header, the PE headers, the section table (96 sections at
// most), the three resource directory tables on that path, one data entry and
// the first 92 bytes of the version resource. No single read exceeds
// kMaxPeRead bytes and no structure is followed outside the section it lies in.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tw {

// Up to length bytes of the image from offset: fewer or none past its end or
// on a failure.
using ImageReader = std::function<std::string(uint64_t offset, size_t length)>;

inline constexpr size_t kMaxPeRead = 4096;

struct PeFileVersion {
    uint32_t mostSignificant = 0;   // dwFileVersionMS
    uint32_t leastSignificant = 0;  // dwFileVersionLS
    bool operator==(const PeFileVersion&) const = default;
};

// The file version of the image's first version resource, or nothing when the
// image has none or is not a sound PE image as far as the path above goes.
std::optional<PeFileVersion> ReadPeFileVersion(const ImageReader& read);

}  // namespace tw
