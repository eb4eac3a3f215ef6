#pragma once
// The result list: one row per duplicate file, grouped and sortable.

#include "results/result_columns.h"

#include <array>
#include <cstddef>

namespace tw {

enum class SortIndicator { None = 0, Ascending = 1, Descending = 2 };

class ResultList {
public:
    size_t rowCount() const { return rowCount_; }
    bool empty() const { return rowCount_ == 0; }
    void clear() { rowCount_ = 0; }

    SortIndicator sortIndicator(size_t column) const { return indicators_.at(column); }
    void clearSortIndicators() { indicators_.fill(SortIndicator::None); }

private:
    size_t rowCount_ = 0;
    std::array<SortIndicator, ResultColumns.size()> indicators_{};
};

}  // namespace tw
