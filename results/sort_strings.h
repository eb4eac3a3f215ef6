#pragma once
// The program's one sort routine: a quicksort that hands small recursive
// ranges to insertion sort. It is not stable, and other commands rely on the
// exact order it leaves equal elements in, so it is kept as it is rather than
// replaced by the standard library's sort.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// -1, 0 or 1 as a is less than, equal to or greater than b, letter case ignored.
int CompareText(std::string_view a, std::string_view b);
// The text with A-Z lower-cased: byte order of folded texts is CompareText's order.
std::string FoldCase(std::string_view text);
// The same, byte by byte.
int CompareBinary(std::string_view a, std::string_view b);

namespace sorting_detail {

template <typename Range, typename Compare>
void InsertionSortRange(Range& items, ptrdiff_t lo, ptrdiff_t hi, int direction, Compare& compare) {
    for (ptrdiff_t i = lo + 1; i <= hi; ++i) {
        auto held = std::move(items[i]);
        ptrdiff_t j = i - 1;
        while (j >= lo && compare(items[j], held) == direction) {
            items[j + 1] = std::move(items[j]);
            --j;
        }
        items[j + 1] = std::move(held);
    }
}

template <typename Range, typename Compare>
ptrdiff_t PartitionRange(Range& items, ptrdiff_t lo, ptrdiff_t hi, int direction, Compare& compare) {
    ptrdiff_t mid = lo + (hi - lo) / 2;
    auto pivot = std::move(items[mid]);
    items[mid] = std::move(items[lo]);
    ptrdiff_t i = lo + 1;
    ptrdiff_t j = hi;
    for (;;) {
        while (i < j && compare(pivot, items[i]) == direction) ++i;
        while (j >= i && compare(items[j], pivot) == direction) --j;
        if (i >= j) {
            items[lo] = std::move(items[j]);
            items[j] = std::move(pivot);
            return j;
        }
        std::swap(items[i], items[j]);
        --j;
        ++i;
    }
}

template <typename Range, typename Compare>
void QuickSortRange(Range& items, ptrdiff_t lo, ptrdiff_t hi, int direction, Compare& compare) {
    constexpr ptrdiff_t InsertionSortLimit = 60;
    if (hi - lo <= InsertionSortLimit) {
        InsertionSortRange(items, lo, hi, direction, compare);
        return;
    }
    while (lo < hi) {
        ptrdiff_t p = PartitionRange(items, lo, hi, direction, compare);
        if (hi - p < p - lo) {
            QuickSortRange(items, p + 1, hi, direction, compare);
            hi = p - 1;
        } else {
            QuickSortRange(items, lo, p - 1, direction, compare);
            lo = p + 1;
        }
    }
}

}  // namespace sorting_detail

// Sorts items[lower..upper] (inclusive) in place; compare(a, b) gives -1, 0 or 1.
template <typename Range, typename Compare>
void SortStrings(Range& items, size_t lower, size_t upper, bool ascending, Compare compare) {
    if (lower >= upper) return;
    sorting_detail::QuickSortRange(items, static_cast<ptrdiff_t>(lower), static_cast<ptrdiff_t>(upper),
                                   ascending ? 1 : -1, compare);
}

// Sorts the whole array of texts.
void SortStrings(std::vector<std::string>& array, bool ascending, bool caseSensitive);

}  // namespace tw
