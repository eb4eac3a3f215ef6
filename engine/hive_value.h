#pragma once
// The values a hive entry holds in its six slots, and the two ways of naming an
// entry: by position (an integer, 1 to Count) or by key (text, a floating-point
// number or a date, never an integer). The caller picks one with the type it
// passes; nothing is guessed from the value at run time.

#include <array>
#include <compare>
#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace tw {

// A point in time as a day count (whole days and a fraction for the time of day).
struct Date {
    double days = 0;
    auto operator<=>(const Date&) const = default;
};

// An object stored in a slot is shared, not copied: every read returns the same object.
using ObjectRef = std::shared_ptr<void>;

// One value slot: empty, text, integer, floating-point number, date or object.
using HiveValue = std::variant<std::monostate, std::string, int64_t, double, Date, ObjectRef>;

inline constexpr int kHiveSlotCount = 6;
// Item, Item1 .. Item5.
using HiveSlots = std::array<HiveValue, kHiveSlotCount>;

// A slot as text: numbers in plain decimal, empty for an empty slot or an object.
std::string ValueText(const HiveValue& value);
// A slot as a number: text read as a leading decimal number (0 when none).
double ValueNumber(const HiveValue& value);

// An entry's place in position order, 1 to Count.
struct Position {
    int32_t value = 0;
};

// An entry's key. Text is compared with or without letter case depending on the
// hive's compare mode; numbers and dates compare by value and sort before text.
class HiveKey {
public:
    using Storage = std::variant<std::string, double, Date>;

    HiveKey() = default;  // empty text
    HiveKey(std::string text) : value_(std::move(text)) {}
    HiveKey(std::string_view text) : value_(std::string(text)) {}
    HiveKey(const char* text) : value_(std::string(text)) {}
    HiveKey(double number) : value_(number) {}
    HiveKey(Date date) : value_(date) {}
    // An integer names a position, never a key.
    template <std::integral T>
    HiveKey(T) = delete;

    const Storage& value() const { return value_; }
    // The text of a text key, nullptr for a number or a date.
    const std::string* text() const { return std::get_if<std::string>(&value_); }

    // Same type and same value; the hive orders and matches keys with CompareHiveKeys.
    bool operator==(const HiveKey&) const = default;

private:
    Storage value_;
};

// Orders two keys: < 0, 0 or > 0. With ignoreCase, text is compared after ASCII
// lower-casing of both sides; bytes are compared unsigned.
int CompareHiveKeys(const HiveKey& a, const HiveKey& b, bool ignoreCase);

// Where an operation accepts "a position or a key": Position{3} is a position;
// text, a floating-point number, a date or a HiveKey is a key; a bare integer
// does not compile.
class PositionOrKey {
public:
    PositionOrKey(Position position) : value_(position) {}
    template <typename T>
        requires std::constructible_from<HiveKey, T>
    PositionOrKey(T&& key) : value_(HiveKey(std::forward<T>(key))) {}

    const Position* position() const { return std::get_if<Position>(&value_); }
    const HiveKey* key() const { return std::get_if<HiveKey>(&value_); }

private:
    std::variant<Position, HiveKey> value_;
};

}  // namespace tw
