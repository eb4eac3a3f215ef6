#pragma once
// How a hive reports a failed operation: a record in its error collection and,
// when the hive is told to raise errors, an exception carrying the same number
// and description, with the source prefixed by "CHive.".

#include "base/app_error.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

namespace hive_error {
inline constexpr int32_t InvalidIndex = 1;
inline constexpr int32_t KeyNotFound = 2;
inline constexpr int32_t IntegerKey = 4;
inline constexpr int32_t DuplicateKey = 8;
inline constexpr int32_t InvalidParameter = 256;

// The error number of a failure code: the number base of the hive's errors plus the code.
inline constexpr int32_t kNumberBase = -2147216504;
constexpr int32_t Number(int32_t code) { return kNumberBase + code; }

// "Invalid Index." and so on; empty text for a code the hive does not use.
const char* Description(int32_t code);
}  // namespace hive_error

struct HiveErrorRecord {
    int32_t Number = 0;
    std::string Source;  // the operation's label, e.g. "GetIndex"
    std::string Description;
};

// The failures a hive has recorded, oldest first; Item is 1-based.
class CErrorCollection {
public:
    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    const HiveErrorRecord& Item(int32_t index) const { return records_.at(static_cast<size_t>(index - 1)); }
    void Add(HiveErrorRecord record) { records_.push_back(std::move(record)); }
    void Clear() { records_.clear(); }

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

private:
    std::vector<HiveErrorRecord> records_;
};

// Thrown for a failure while the hive's RaiseError is on.
// Its source() is "CHive." and the operation's label.
class HiveError : public AppError {
public:
    HiveError(int32_t number, std::string source, const std::string& description)
        : AppError(number, description, std::move(source)) {}

    std::string description() const { return what(); }
};

}  // namespace tw
