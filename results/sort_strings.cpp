#include "results/sort_strings.h"

namespace tw {

namespace {

unsigned char folded(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = folded(a[i]);
        unsigned char y = folded(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::string FoldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(folded(c));
    return out;
}

int CompareBinary(std::string_view a, std::string_view b) {
    int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void SortStrings(std::vector<std::string>& array, bool ascending, bool caseSensitive) {
    if (array.empty()) return;
    if (caseSensitive)
        SortStrings(array, 0, array.size() - 1, ascending, [](const std::string& a, const std::string& b) {
            return CompareBinary(a, b);
        });
    else
        SortStrings(array, 0, array.size() - 1, ascending, [](const std::string& a, const std::string& b) {
            return CompareText(a, b);
        });
}

}  // namespace tw
