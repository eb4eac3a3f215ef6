// Times the result list on a million rows: filling it, sorting by every
// visible column and recomputing the shading, and reports its memory.
//   result_list_bench [rows]

#include "results/result_list.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long before = residentKilobytes();
    tw::ResultList list;

    auto start = Clock::now();
    list.beginFill();
    for (long i = 0; i < rows; ++i) {
        long group = i / 3 + 1;
        char modified[32];
        std::snprintf(modified, sizeof modified, "%ld/%ld/20%02ld %ld:%02ld:00 PM", i % 12 + 1, i % 28 + 1, i % 25,
                      i % 12 + 1, i % 60);
        list.appendRow({"holiday photo " + std::to_string(i * 7919 % rows) + ".jpg", (group * 7919) % 50000000,
                        modified, i % 5 ? "N/A" : "1.2.3.4", static_cast<int32_t>(group),
                        "/home/user/pictures/folder " + std::to_string(group % 2000) + "/", tw::UnmarkedCode});
    }
    list.endFill();
    std::printf("%-28s %9.1f ms\n", "fill", millisecondsSince(start));
    std::printf("%-28s %9.1f MB\n", "memory", double(residentKilobytes() - before) / 1024.0);

    start = Clock::now();
    list.RefreshColorShade();
    std::printf("%-28s %9.1f ms\n", "shade", millisecondsSince(start));

    // Key cells of the visible columns: name, size, date, version, group, folder, extension.
    for (size_t key : {0u, 6u, 7u, 3u, 8u, 5u, 9u}) {
        for (bool ascending : {true, false}) {
            start = Clock::now();
            list.sortByCell(key, ascending);
            list.RefreshColorShade();
            char what[64];
            std::snprintf(what, sizeof what, "sort+shade cell %zu %s", key, ascending ? "asc" : "desc");
            std::printf("%-28s %9.1f ms\n", what, millisecondsSince(start));
        }
    }
    return 0;
}
