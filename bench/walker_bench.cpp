// Times the directory walker over a real tree: every non-empty file, no mask,
// extended detail (size and the three times of every file), system folders
// included. Prints the files, folders and bytes found and the best wall time.
//   walker_bench [folder] [runs]        defaults: /usr, 5

#include "engine/scan_path.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Totals : public tw::ScanPathEvents {
public:
    int64_t files = 0;
    int64_t folders = 0;
    int64_t bytes = 0;
    double latest = 0;  // keeps the date conversions from being optimised away

    void DirMatchEx(std::string_view, const std::string&, uint32_t, double, double, double) override { ++folders; }
    void FileMatchEx(std::string_view, const std::string&, int64_t FileSize, uint32_t, double LastWriteTime, double,
                     double, uint64_t, uint64_t) override {
        ++files;
        bytes += FileSize;
        latest = std::max(latest, LastWriteTime);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : "/usr";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    double best = 1e300;
    Totals totals;
    for (int run = 0; run < runs; ++run) {
        totals = Totals{};
        tw::cScanPath walker(&totals);
        walker.MinimumSize(1);
        walker.Hidden(true);
        walker.System(true);
        std::string path = root;
        const auto start = std::chrono::steady_clock::now();
        walker.StartScan(path, true, false, true);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, seconds);
    }
    std::printf("%s: %lld files, %lld folders, %lld bytes\n", root.c_str(), static_cast<long long>(totals.files),
                static_cast<long long>(totals.folders), static_cast<long long>(totals.bytes));
    std::printf("best of %d runs: %.3f s\n", runs, best);
    return 0;
}
