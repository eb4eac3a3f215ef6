// Times the file hive's basic operations on a million entries shaped like the
// scan's file records: size text, name, folder, time text, 1, 1.
//   hive_bench [entries] [removals]

#include "engine/hive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* what, Clock::time_point start, long operations) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-34s %9.1f ms  %8.1f ns/op\n", what, seconds * 1e3, seconds * 1e9 / double(operations));
}

tw::HiveSlots fileRecord(long i) {
    char size[16];
    std::snprintf(size, sizeof size, "%012ld", (i * 7919) % 100000000);
    return {std::string(size),
            "file" + std::to_string(i) + ".dat",
            "/home/user/folder" + std::to_string(i % 1000) + "/",
            "3/14/2024 10:15:00 AM",
            int64_t{1},
            int64_t{1}};
}

}  // namespace

int main(int argc, char** argv) {
    const long entries = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long removals = argc > 2 ? std::atol(argv[2]) : 5000;
    // Records are made before the clock starts and moved into the hive.
    auto makeRecords = [entries] {
        std::vector<tw::HiveSlots> records;
        records.reserve(static_cast<size_t>(entries));
        for (long i = 0; i < entries; ++i) records.push_back(fileRecord(i));
        return records;
    };

    std::vector<tw::HiveSlots> records = makeRecords();
    {
        tw::CHive hive;
        auto start = Clock::now();
        for (long i = 0; i < entries; ++i) hive.Add(std::move(records[static_cast<size_t>(i)]));
        report("add without key (new GUID each)", start, entries);
    }
    records = makeRecords();

    std::vector<std::string> keys;
    keys.reserve(static_cast<size_t>(entries));
    for (long i = 0; i < entries; ++i) keys.push_back(tw::CHive::CreateGUIDKey());
    tw::CHive hive;
    auto start = Clock::now();
    for (long i = 0; i < entries; ++i)
        hive.Add(std::move(records[static_cast<size_t>(i)]), {.Key = keys[static_cast<size_t>(i)]});
    report("add with a given GUID key", start, entries);

    std::vector<tw::PositionOrKey> lookups(keys.begin(), keys.end());
    std::shuffle(lookups.begin(), lookups.end(), std::mt19937_64(42));
    size_t checksum = 0;
    start = Clock::now();
    for (const tw::PositionOrKey& key : lookups) checksum += std::get<std::string>(hive.Item1(key)).size();
    report("Item1 by key (random order)", start, entries);

    start = Clock::now();
    for (int32_t p = 1; p <= hive.Count(); ++p) checksum += std::get<std::string>(hive.Item(tw::Position{p})).size();
    report("Item by position", start, entries);

    start = Clock::now();
    for (long i = 0; i < removals; ++i) hive.Remove(tw::Position{hive.Count() / 2});
    report("Remove from the middle", start, removals);

    std::printf("entries %ld, capacity %d, errors %d, checksum %zu\n", entries, hive.Capacity(), hive.Errors().Count(),
                checksum);
    return hive.Errors().Count() == 0 ? 0 : 1;
}
