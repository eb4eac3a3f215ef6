#include "results/result_list.h"

#include "base/date_text.h"
#include "results/size_text.h"
#include "results/sort_strings.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <numeric>

namespace tw {

namespace {

std::string padded(int64_t value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*" PRId64, digits, value);
    return buffer;
}

int compareNumbers(int64_t a, int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

int64_t sortableDateOf(std::string_view text) {
    auto when = ParseGeneralDate(text);
    return when ? SortableDate(*when) : -1;
}

}  // namespace

ResultList::TextRef ResultList::store(std::string_view value) {
    TextRef ref{pool_.size(), static_cast<uint32_t>(value.size())};
    pool_.append(value);
    return ref;
}

uint32_t ResultList::intern(std::vector<std::string>& table, std::unordered_map<std::string, uint32_t>& index,
                            const std::string& value) {
    auto [found, added] = index.try_emplace(value, static_cast<uint32_t>(table.size()));
    if (added) table.push_back(value);
    return found->second;
}

std::string ResultList::cell(size_t row, size_t column) const {
    const Row& r = rows_[row];
    switch (column) {
    case 0: return std::string(text(r.name));
    case 1: return std::to_string(r.size < 0 ? -r.size : r.size);
    case 2: return std::string(text(r.modified));
    case 3: return versions_[r.version];
    case 4: return r.group > 0 ? std::to_string(r.group) : "N/A";
    case 5: return folders_[r.folder];
    case 6: return padded(r.size, 12);
    case 7: return r.sortDate < 0 ? std::string{} : padded(r.sortDate, 14);
    case 8: return r.group > 0 ? padded(r.group, 11) : std::string{};
    case 9: return GetExtension(text(r.name));
    default: return {};
    }
}

void ResultList::setMarkCode(size_t row, int16_t code) {
    if (rows_[row].markCode == code) return;
    rows_[row].markCode = code;
    if (filling_) return;
    if (batchDepth_ > 0) batchChanged_ = true;
    else if (observer_.rowsChanged) observer_.rowsChanged(row, row);
}

void ResultList::endBatch() {
    if (--batchDepth_ > 0 || !batchChanged_) return;
    batchChanged_ = false;
    if (observer_.rowsChanged && !rows_.empty()) observer_.rowsChanged(0, rows_.size() - 1);
}

void ResultList::setSelected(size_t row, bool selected) { rows_[row].selected = selected; }

void ResultList::notifyReset() {
    if (observer_.reset) observer_.reset();
}

void ResultList::clear() {
    beginFill();
    endFill();
}

void ResultList::beginFill() {
    if (observer_.aboutToReset) observer_.aboutToReset();
    filling_ = true;
    rows_.clear();
    pool_.clear();
    folders_.clear();
    folderIndex_.clear();
    versions_.clear();
    versionIndex_.clear();
    rowGroupNumbers_.clear();
    GroupSize.assign(1, 0);
    GroupCount = 0;
    focused_ = static_cast<size_t>(-1);
}

void ResultList::appendRow(const ResultRowData& data) {
    Row row;
    row.name = store(data.name);
    row.modified = store(data.modified);
    row.size = data.size;
    row.sortDate = sortableDateOf(data.modified);
    row.group = data.group;
    row.folder = intern(folders_, folderIndex_, data.folder);
    row.version = intern(versions_, versionIndex_, data.version);
    row.markCode = data.markCode;
    rows_.push_back(row);
}

void ResultList::endFill() {
    filling_ = false;
    notifyReset();
}

void ResultList::RefreshColorShade() {
    if (rows_.empty()) return;
    rowGroupNumbers_.assign(rows_.size() + 1, 0);
    int32_t ordinal = 0;
    int32_t previous = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r].group != previous) {
            previous = rows_[r].group;
            ++ordinal;
        }
        rowGroupNumbers_[r] = ordinal;
    }
    if (observer_.rowsChanged) observer_.rowsChanged(0, rows_.size() - 1);
}

bool ResultList::shaded(size_t row) const {
    // Rows added after the last refresh are painted plain.
    return row < rowGroupNumbers_.size() && rowGroupNumbers_[row] % 2 == 0 && rowGroupNumbers_[row] != 0;
}

namespace {

// Positions of the texts of a table in text order, so rows that refer to the
// table compare by one number.
std::vector<uint32_t> ranksOf(const std::vector<std::string>& table) {
    std::vector<uint32_t> order(table.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return CompareText(table[a], table[b]) < 0; });
    std::vector<uint32_t> rank(table.size());
    uint32_t current = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && CompareText(table[order[i - 1]], table[order[i]]) != 0) current = static_cast<uint32_t>(i);
        rank[order[i]] = current;
    }
    return rank;
}

}  // namespace

void ResultList::sortByCell(size_t keyCell, bool ascending) {
    sortKey_ = keyCell;
    ascending_ = ascending;
    sorted_ = true;
    // One number per row settles most comparisons. Text keys (names and
    // extensions) are compared as case-folded copies, made once per sort.
    std::vector<uint64_t> keys(rows_.size());
    std::vector<std::string> folded;
    std::vector<uint32_t> folderRanks = keyCell == 5 ? ranksOf(folders_) : std::vector<uint32_t>{};
    std::vector<uint32_t> versionRanks = keyCell == 3 ? ranksOf(versions_) : std::vector<uint32_t>{};
    bool textKey = keyCell == 0 || keyCell == 9;
    if (textKey) folded.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        switch (keyCell) {
        case 0: folded.push_back(FoldCase(text(row.name))); break;
        case 9: folded.push_back(FoldCase(GetExtension(text(row.name)))); break;
        case 3: keys[i] = versionRanks[row.version]; break;
        case 5: keys[i] = folderRanks[row.folder]; break;
        // The top bit flipped keeps negative values in order as unsigned numbers.
        case 6: keys[i] = static_cast<uint64_t>(row.size) ^ (uint64_t{1} << 63); break;
        case 7: keys[i] = static_cast<uint64_t>(row.sortDate) ^ (uint64_t{1} << 63); break;
        case 8: keys[i] = static_cast<uint64_t>(static_cast<int64_t>(row.group)) ^ (uint64_t{1} << 63); break;
        default: keys[i] = 0;
        }
    }
    auto compare = [&](uint32_t x, uint32_t y) {
        if (textKey) return CompareBinary(folded[x], folded[y]);
        return keys[x] == keys[y] ? 0 : keys[x] < keys[y] ? -1 : 1;
    };
    std::vector<uint32_t> order(rows_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
        int c = compare(x, y);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<Row> reordered;
    reordered.reserve(rows_.size());
    size_t focused = static_cast<size_t>(-1);
    for (size_t i = 0; i < order.size(); ++i) {
        reordered.push_back(rows_[order[i]]);
        if (order[i] == focused_) focused = i;
    }
    rows_ = std::move(reordered);
    focused_ = focused;
    if (observer_.sorted) observer_.sorted(order);
}

}  // namespace tw
