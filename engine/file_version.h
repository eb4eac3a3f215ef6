#pragma once
// The version text shown for a file in the result list.

#include <cstdint>
#include <string>

namespace tw {

// "N/A" at once, without opening the file, unless the last four characters of
// the path, lower-cased, occur somewhere in ".exe .dll .ocx" (a substring test,
// so "x.EXE" and also "x.e .d" are looked at). Otherwise the file version of
// the file's PE version resource as HighWord(MS) "." LowWord(MS) "."
// HighWord(LS) "." LowWord(LS) in decimal, e.g. "5.1.2600.0"; "N/A" when the
// file cannot be read, is no PE image, has no version resource or is damaged.
std::string GetFileVersionText(const std::string& path);

// The upper and lower 16 bits of a 32-bit value: the first and last four of its
// eight hexadecimal digits, read back as a number.
uint16_t HighWord(uint32_t value);
uint16_t LowWord(uint32_t value);

}  // namespace tw
