#pragma once
// The result list: one row per duplicate file, in display order. Rows are kept
// compact (texts in one pool, folders and versions stored once) so a million
// rows fit comfortably; cell texts are produced when asked for. The sort keys
// of the hidden columns are derived from the row, never stored as text.

#include "results/result_columns.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

enum class SortIndicator { None = 0, Ascending = 1, Descending = 2 };

inline constexpr int16_t MarkedCode = 17;
inline constexpr int16_t UnmarkedCode = 18;

// A row as it arrives from an engine or a session file.
struct ResultRowData {
    std::string name;      // cell 0
    int64_t size = 0;      // cell 1; cell 6 is its 12-digit form
    std::string modified;  // cell 2, the scan's date text; cell 7 is derived from it
    std::string version;   // cell 3
    int32_t group = 0;     // cells 4 and 8; 0 for a list without groups ("N/A", empty key)
    std::string folder;    // cell 5, ending in "/"
    int16_t markCode = UnmarkedCode;
};

// What the views are told. Every callback is optional.
struct ResultListObserver {
    std::function<void()> aboutToReset;
    std::function<void()> reset;                                      // rows replaced or removed
    std::function<void(const std::vector<uint32_t>& newToOld)> sorted;  // same rows, new order
    std::function<void(size_t first, size_t last)> rowsChanged;        // marks or selection changed
};

class ResultList {
public:
    void setObserver(ResultListObserver observer) { observer_ = std::move(observer); }

    size_t rowCount() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // Rows are 0-based here; the user-facing texts count from 1.
    std::string cell(size_t row, size_t column) const;
    std::string_view name(size_t row) const { return text(rows_[row].name); }
    const std::string& folder(size_t row) const { return folders_[rows_[row].folder]; }
    std::string fullPath(size_t row) const { return folder(row) + std::string(name(row)); }
    int64_t size(size_t row) const { return rows_[row].size; }
    int32_t group(size_t row) const { return rows_[row].group; }

    int16_t markCode(size_t row) const { return rows_[row].markCode; }
    bool marked(size_t row) const { return rows_[row].markCode == MarkedCode; }
    void setMarkCode(size_t row, int16_t code);
    bool selected(size_t row) const { return rows_[row].selected; }
    void setSelected(size_t row, bool selected);
    // The focused row among the selected ones, or npos.
    size_t focusedRow() const { return focused_; }
    void setFocusedRow(size_t row) { focused_ = row; }

    // Changes between these two reach the views as one notice for every row.
    void beginBatch() { ++batchDepth_; }
    void endBatch();

    // Filling. beginFill() empties the list; endFill() tells the views once.
    void clear();
    void beginFill();
    void appendRow(const ResultRowData& row);
    void endFill();

    // Groups: GroupSize[g] rows carry group number g (element 0 unused).
    std::vector<int32_t> GroupSize{0};
    int32_t GroupCount = 0;

    // Shading: the run ordinal of each row in display order, as of the last
    // refresh. Rows whose ordinal is even are painted shaded.
    void RefreshColorShade();
    bool shaded(size_t row) const;
    const std::vector<int32_t>& RowGroupNumbers() const { return rowGroupNumbers_; }
    void stopShading() { rowGroupNumbers_.clear(); }

    // Sorting by a cell's text, letter case ignored; rows with equal keys keep
    // their order. Numeric key cells are compared as the numbers they spell.
    void sortByCell(size_t keyCell, bool ascending);
    size_t sortKeyCell() const { return sortKey_; }
    bool ascending() const { return ascending_; }
    bool sorted() const { return sorted_; }
    SortIndicator sortIndicator(size_t column) const { return indicators_.at(column); }
    void setSortIndicator(size_t column, SortIndicator indicator) { indicators_.at(column) = indicator; }
    void clearSortIndicators() { indicators_.fill(SortIndicator::None); }

    // Folders of the rows in first-seen order.
    const std::vector<std::string>& distinctFolders() const { return folders_; }

private:
    struct TextRef {
        uint64_t offset = 0;
        uint32_t length = 0;
    };
    struct Row {
        TextRef name;
        TextRef modified;
        int64_t size = 0;
        int64_t sortDate = -1;  // yyyymmddhhnnss; -1 when the date text is no date
        int32_t group = 0;
        uint32_t folder = 0;
        uint32_t version = 0;
        int16_t markCode = UnmarkedCode;
        bool selected = false;
    };

    std::string_view text(TextRef ref) const { return std::string_view(pool_).substr(ref.offset, ref.length); }
    TextRef store(std::string_view text);
    uint32_t intern(std::vector<std::string>& table, std::unordered_map<std::string, uint32_t>& index,
                    const std::string& value);
    void notifyReset();

    std::vector<Row> rows_;
    std::string pool_;
    std::vector<std::string> folders_;
    std::unordered_map<std::string, uint32_t> folderIndex_;
    std::vector<std::string> versions_;
    std::unordered_map<std::string, uint32_t> versionIndex_;
    std::vector<int32_t> rowGroupNumbers_;
    size_t focused_ = static_cast<size_t>(-1);
    size_t sortKey_ = 0;
    bool ascending_ = true;
    bool sorted_ = false;
    std::array<SortIndicator, ResultColumns.size()> indicators_{};
    bool filling_ = false;
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    ResultListObserver observer_;
};

}  // namespace tw
