#include "results/load_searched_result.h"

#include "base/general.h"

#include <cmath>

namespace tw {

namespace {

// Yielding for every entry would cost more than the listing itself.
constexpr int32_t YieldEvery = 64;
constexpr int32_t ProgressEvery = 500;

}  // namespace

void LoadSearchedResult(ResultList& list, const CHive& results, const LoadProgress& progress) {
    auto status = [&](const std::string& text) {
        if (progress.showStatus) progress.showStatus(text);
    };
    status("Loading Searched Result...");
    list.beginFill();
    int32_t previousKey = 0;
    int32_t group = 0;
    const int32_t count = results.Count();
    for (int32_t j = 1; j <= count; ++j) {
        if (j % YieldEvery == 0 && progress.yield) progress.yield();
        Position at{j};
        ResultRowData row;
        row.name = ValueText(results.Item1(at));
        row.folder = ValueText(results.Item2(at));
        if (!FileExists(row.folder + row.name)) continue;
        auto key = static_cast<int32_t>(ValueNumber(results.Item4(at)));
        if (key != previousKey) {
            previousKey = key;
            ++group;
            list.GroupSize.push_back(0);
        }
        row.size = static_cast<int64_t>(std::fabs(ValueNumber(results.Item(at))));
        row.modified = ValueText(results.Item5(at));
        row.version = ValueText(results.Item3(at));
        row.group = group;
        list.appendRow(row);
        ++list.GroupSize[static_cast<size_t>(group)];
        if (j % ProgressEvery == 0)
            status("Loading Searched Result...(" + std::to_string(j) + "/" + std::to_string(count) + ")");
    }
    list.GroupCount = group;
    list.endFill();
    list.RefreshColorShade();
}

void ListZeroSizeFiles(ResultList& list, const FileEntries& files, const LoadProgress& progress) {
    list.beginFill();
    std::string scratch;
    for (int32_t j = 1; j <= files.Count(); ++j) {
        if (j % YieldEvery == 0 && progress.yield) progress.yield();
        ResultRowData row;
        row.name = files.text(j, 1, scratch);
        row.folder = files.text(j, 2, scratch);
        if (!FileExists(row.folder + row.name)) continue;
        row.size = static_cast<int64_t>(Val(files.text(j, 0, scratch)));
        row.modified = files.text(j, 3, scratch);
        row.version = "N/A";
        list.appendRow(row);
    }
    list.endFill();
}

}  // namespace tw
