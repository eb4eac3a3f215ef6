#include "engine/hive_value.h"

#include "base/general.h"

#include <algorithm>
#include <cmath>

namespace tw {
namespace {

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

int compareText(std::string_view a, std::string_view b, bool ignoreCase) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ignoreCase) {
            ca = foldAscii(ca);
            cb = foldAscii(cb);
        }
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Numbers and dates share one scale; NaN sorts after every other number so the
// order stays total.
int compareNumbers(double a, double b) {
    const bool aNaN = std::isnan(a);
    const bool bNaN = std::isnan(b);
    if (aNaN || bNaN) return aNaN == bNaN ? 0 : (aNaN ? 1 : -1);
    if (a < b) return -1;
    return b < a ? 1 : 0;
}

double numberOf(const HiveKey::Storage& key) {
    if (const auto* number = std::get_if<double>(&key)) return *number;
    return std::get<Date>(key).days;
}

}  // namespace

int CompareHiveKeys(const HiveKey& a, const HiveKey& b, bool ignoreCase) {
    const std::string* textA = a.text();
    const std::string* textB = b.text();
    if (textA && textB) return compareText(*textA, *textB, ignoreCase);
    if (textA) return 1;
    if (textB) return -1;
    return compareNumbers(numberOf(a.value()), numberOf(b.value()));
}

std::string ValueText(const HiveValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* integer = std::get_if<int64_t>(&value)) return std::to_string(*integer);
    if (const auto* number = std::get_if<double>(&value)) return NumberText(*number);
    if (const auto* date = std::get_if<Date>(&value)) return NumberText(date->days);
    return {};
}

double ValueNumber(const HiveValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return Val(*text);
    if (const auto* integer = std::get_if<int64_t>(&value)) return static_cast<double>(*integer);
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* date = std::get_if<Date>(&value)) return date->days;
    return 0;
}

}  // namespace tw
