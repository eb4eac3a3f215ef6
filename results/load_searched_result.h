#pragma once
// Fills the result list from the engines' result collection.

#include "engine/file_entries.h"
#include "engine/hive.h"
#include "results/result_list.h"

#include <functional>
#include <string>

namespace tw {

struct LoadProgress {
    std::function<void()> yield;                         // lets pending user events run
    std::function<void(const std::string&)> showStatus;  // status panel 1
};

// Entries come in group order; a new group starts wherever the group key
// (Item4) changes. Entries whose file no longer exists are left out, so two
// groups around a vanished one can merge, as the keys alternate.
void LoadSearchedResult(ResultList& list, const CHive& results, const LoadProgress& progress);

// The zero-size engine's result: every file of the scan's list (all of them
// empty) that still exists, one row each, without groups, versions or shading.
void ListZeroSizeFiles(ResultList& list, const FileEntries& files, const LoadProgress& progress);

}  // namespace tw
