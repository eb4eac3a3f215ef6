#include "engine/scan_path.h"
#include "platform/local_time.h"
#include "platform/system_folders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

struct Event {
    std::string path;  // relative to the root; folders end in "/"
    std::string parent;
    int64_t size = 0;
    uint32_t attributes = 0;
    double lastWrite = 0, lastAccess = 0;
    uint64_t inode = 0;
    bool extended = false;
};

class Recorder : public ScanPathEvents {
public:
    explicit Recorder(std::string root) : root_(std::move(root)) {}
    std::vector<Event> events;
    std::function<void(const Event&)> onEvent;

    void DirMatch(std::string_view name, const std::string& path) override { add({at(path, name) + "/", path}); }
    void FileMatch(std::string_view name, const std::string& path, uint64_t, uint64_t inode) override {
        add({at(path, name), path, 0, 0, 0, 0, inode});
    }
    void DirMatchEx(std::string_view name, const std::string& path, uint32_t attributes, double write, double,
                    double access) override {
        add({at(path, name) + "/", path, 0, attributes, write, access, 0, true});
    }
    void FileMatchEx(std::string_view name, const std::string& path, int64_t size, uint32_t attributes, double write,
                     double, double access, uint64_t, uint64_t inode) override {
        add({at(path, name), path, size, attributes, write, access, inode, true});
    }
    Names names() const {
        Names result;
        for (const Event& e : events) result.insert(e.path);
        return result;
    }
    Event find(const std::string& path) const {
        auto it = std::find_if(events.begin(), events.end(), [&](const Event& e) { return e.path == path; });
        return it == events.end() ? Event{} : *it;
    }

private:
    std::string at(const std::string& path, std::string_view name) const {
        return path.substr(std::min(path.size(), root_.size() + 1)) + std::string(name);
    }
    void add(Event e) {
        events.push_back(e);
        if (onEvent) onEvent(events.back());
    }
    std::string root_;
};

// Walks the temporary folder with extended detail; system folders are allowed
// because the temporary folder may lie in one.
void walk(const test::TempDir& dir, cScanPath& walker, bool subFolders = true, bool patternMatching = false) {
    walker.System(true);
    std::string path = dir.path();
    walker.StartScan(path, subFolders, patternMatching, true);
}

Names scan(const test::TempDir& dir, const std::function<void(cScanPath&)>& setup, bool subFolders = true,
           bool patternMatching = false) {
    Recorder recorder(dir.path());
    cScanPath walker(&recorder);
    setup(walker);
    walk(dir, walker, subFolders, patternMatching);
    return recorder.names();
}

// Sets the time zone for the life of the object; the C library rereads it both ways.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) { env_.emplace("TZ", zone), ::tzset(); }
    ~ScopedTimeZone() { env_.reset(), ::tzset(); }

private:
    std::optional<test::ScopedEnv> env_;
};

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900, fields.tm_mon = month - 1, fields.tm_mday = day;
    fields.tm_hour = hour, fields.tm_min = minute, fields.tm_sec = second, fields.tm_isdst = -1;
    return std::mktime(&fields);
}

void setTimes(const std::string& path, std::time_t write, std::time_t access) {
    const struct timespec times[2] = {{access, 0}, {write, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

TEST(ScanPath, ReportsEntriesWithTheirDetailsAndExtendsThePath) {
    test::TempDir dir;
    dir.writeFile("sub/file.bin", "12345");
    dir.makeFolder(".hidden");
    // A sparse file past 4 GiB: sizes must not be cut to 32 bits.
    const std::string big = dir.writeFile("big.dat");
    ASSERT_EQ(::truncate(big.c_str(), int64_t{5} << 30), 0);
    ASSERT_EQ(::link(big.c_str(), (dir / "big-link.dat").c_str()), 0);

    Recorder recorder(dir.path());
    cScanPath walker(&recorder);
    walker.System(true);
    walker.Hidden(true);
    walker.MinimumSize(1);
    std::string path = dir.path();
    walker.StartScan(path, true, false, true);
    EXPECT_EQ(path, dir.path() + "/");
    EXPECT_EQ(recorder.names(), (Names{"sub/", ".hidden/", "big.dat", "big-link.dat", "sub/file.bin"}));
    EXPECT_EQ(walker.DirCount(), 2);
    EXPECT_EQ(walker.FileCount(), 3);

    const Event file = recorder.find("sub/file.bin");
    EXPECT_EQ(file.parent, dir.path() + "/sub/");
    EXPECT_EQ(file.size, 5);
    EXPECT_EQ(file.attributes, 0u);
    struct stat info {};
    ASSERT_EQ(::stat((dir / "sub/file.bin").c_str(), &info), 0);
    EXPECT_EQ(file.inode, info.st_ino);
    EXPECT_EQ(recorder.find("sub/").attributes, kAttributeFolder);
    EXPECT_EQ(recorder.find(".hidden/").attributes, kAttributeFolder | kAttributeHidden);
    EXPECT_EQ(recorder.find("big.dat").size, int64_t{5} << 30);
    EXPECT_EQ(recorder.find("big.dat").inode, recorder.find("big-link.dat").inode) << "one file, two paths";

    // Without extended detail the plain events are raised instead.
    Recorder plain(dir.path());
    walker.SetEvents(&plain);
    walker.StartScan(path, true, false, false);
    EXPECT_EQ(path, dir.path() + "/") << "no second slash";
    EXPECT_EQ(plain.names(), recorder.names());
    EXPECT_TRUE(std::none_of(plain.events.begin(), plain.events.end(), [](const Event& e) { return e.extended; }));
    EXPECT_EQ(plain.find("sub/file.bin").inode, info.st_ino);
}

TEST(ScanPath, ListPropertiesAreTrimmedAndReadBackWithoutTrailingSemicolon) {
    cScanPath walker;
    EXPECT_EQ(walker.Filter(), "");
    EXPECT_TRUE(walker.Archive() && walker.Compressed() && walker.Folder() && walker.Normal() && walker.ReadOnly());
    EXPECT_FALSE(walker.Hidden() || walker.System());
    const std::pair<std::string, std::string> cases[] = {
        {"  *.txt;*.c;  ", "*.txt;*.c"}, {"*.txt", "*.txt"}, {"*.txt;;", "*.txt;"}, {"   ", ""}, {";", ""}};
    for (const auto& [written, read] : cases) {
        walker.Filter(written);
        walker.ExFilter(written);
        walker.exFolder(written);
        EXPECT_EQ(walker.Filter(), read) << written;
        EXPECT_EQ(walker.ExFilter(), read) << written;
        EXPECT_EQ(walker.exFolder(), read) << written;
    }
}

const char* const kMaskNames[] = {"a.txt", "B.TXT", "readme", "x.mp", "x.mp3", "photo1.jpg", "photoA.jpg",
                                  "file.tar.gz", "ends."};

TEST(ScanPath, MasksWithPatternMatching) {
    test::TempDir dir;
    for (const char* name : kMaskNames) dir.writeFile(name);
    const std::string manyAs(200, 'a');
    dir.writeFile(manyAs);
    Names all(std::begin(kMaskNames), std::end(kMaskNames));
    all.insert(manyAs);
    const std::pair<std::string, Names> cases[] = {
        {"", all},
        {"*.txt;", {"a.txt", "B.TXT"}},
        {"*.mp3;*.TXT;", {"a.txt", "B.TXT", "x.mp3"}},
        {"photo#.jpg;", {"photo1.jpg"}},
        {"photo?.jpg;", {"photo1.jpg", "photoA.jpg"}},
        {"[a-c].txt;", {"a.txt", "B.TXT"}},
        {"[!a].txt;", {"B.TXT"}},
        {"x.mp[0-9];", {"x.mp3"}},
        {"*.*;", {"a.txt", "B.TXT", "x.mp", "x.mp3", "photo1.jpg", "photoA.jpg", "file.tar.gz", "ends."}},
        {"readme;", {"readme"}},
        {"*.t*.*z;", {"file.tar.gz"}},
        {"*.txt", {}},  // the last character of the list is taken for its ";"
        {"*a*a*a*a*a*a*a*a*a*a*a*a*b;", {}},  // many stars against a long name must stay fast
        {"*a*a*a*a*a*a*a*a*a*a*a*a*;", {manyAs}},
    };
    for (const auto& [filter, expected] : cases) {
        Names found = scan(dir, [&](cScanPath& w) { w.Filter(filter); }, true, true);
        EXPECT_EQ(found, expected) << filter;
    }
}

TEST(ScanPath, MasksWithoutPatternMatchingCompareWholeExtensions) {
    test::TempDir dir;
    for (const char* name : kMaskNames) dir.writeFile(name);
    const Names all(std::begin(kMaskNames), std::end(kMaskNames));
    const std::pair<std::string, Names> cases[] = {
        {"*.*", all},
        {"All files(*.*)", all},
        {"*.txt;", {"a.txt", "B.TXT"}},
        {"*.mp3;", {"x.mp3"}},  // x.mp has another extension, though ".mp" occurs in "*.mp3"
        {"Music files (*.mpa *.mp3 *.ogg)", {"x.mp3"}},
        {"Images  (*.bmp *.JPG)", {"photo1.jpg", "photoA.jpg"}},
        {"*.gz;", {"file.tar.gz"}},
        {"*.tar;", {}},
        {"*.;", {"ends."}},
    };
    for (const auto& [filter, expected] : cases) {
        Names found = scan(dir, [&](cScanPath& w) { w.Filter(filter); });
        EXPECT_EQ(found, expected) << filter;
    }
}

TEST(ScanPath, ExcludedExtensionsCompareWholeExtensions) {
    test::TempDir dir;
    for (const char* name : {"x.tmp", "Y.TMP", "x.mp", "tmp", "a.bak", "a.txt"}) dir.writeFile(name);
    const std::pair<std::string, Names> cases[] = {
        {"", {"x.tmp", "Y.TMP", "x.mp", "tmp", "a.bak", "a.txt"}},
        {"None", {"x.tmp", "Y.TMP", "x.mp", "tmp", "a.bak", "a.txt"}},
        {"*.tmp;", {"x.mp", "tmp", "a.bak", "a.txt"}},
        {"*.TMP;*.bak", {"x.mp", "tmp", "a.txt"}},
        {"tmp;", {"x.mp", "tmp", "a.bak", "a.txt"}},
    };
    for (const auto& [excluded, expected] : cases) {
        Names found = scan(dir, [&](cScanPath& w) { w.ExFilter(excluded); });
        EXPECT_EQ(found, expected) << excluded;
    }
}

TEST(ScanPath, SizeBounds) {
    test::TempDir dir;
    for (int size : {0, 1, 10, 100}) dir.writeFile("s" + std::to_string(size), std::string(size, 'x'));
    ASSERT_EQ(::truncate(dir.writeFile("s5G").c_str(), int64_t{5} << 30), 0);
    const std::tuple<int64_t, int64_t, Names> cases[] = {
        {0, 0, {"s0"}},
        {1, 0, {"s1", "s10", "s100", "s5G"}},
        {10, 0, {"s10", "s100", "s5G"}},
        {0, 10, {"s0", "s1", "s10"}},
        {2, 100, {"s10", "s100"}},
        {(int64_t{4} << 30) + 1, 0, {"s5G"}},
    };
    for (const auto& [minimum, maximum, expected] : cases) {
        Names found = scan(dir, [&](cScanPath& w) {
            w.MinimumSize(minimum);
            w.MaximumSize(maximum);
        });
        EXPECT_EQ(found, expected) << minimum << ".." << maximum;
    }
}

TEST(ScanPath, DateBoundsCompareLocalTimeToTheMinute) {
    test::TempDir dir;
    setTimes(dir.writeFile("early"), localTime(2024, 3, 14, 10, 15, 59), localTime(2020, 1, 1, 0, 0, 0));
    setTimes(dir.writeFile("late"), localTime(2024, 3, 14, 10, 16, 0), localTime(2021, 1, 1, 0, 0, 0));
    const double at1015 = platform::DayCount(2024, 3, 14, 10, 15);
    const double at1016 = platform::DayCount(2024, 3, 14, 10, 16);
    const std::tuple<int, double, double, Names> cases[] = {
        {0, at1015, 0, {"early", "late"}},
        {0, at1016, 0, {"late"}},
        {0, 0, at1015, {"early"}},  // 10:15:59 counts as 10:15
        {0, at1015, at1015, {"early"}},
        {0, platform::DayCount(2024, 3, 15), 0, {}},
        {2, 0, platform::DayCount(2020, 6, 1), {"early"}},
        {1, platform::DayCount(2000, 1, 1), 0, {"early", "late"}},  // creation: birth or status change, both now
        {1, 0, platform::DayCount(2000, 1, 1), {}},
        {7, 0, platform::DayCount(1970, 1, 3), {"early", "late"}},  // other types test the time 0
        {7, platform::DayCount(1970, 1, 3), 0, {}},
    };
    for (const auto& [type, from, to, expected] : cases) {
        Names found = scan(dir, [&](cScanPath& w) {
            w.DateType(type);
            w.FromDate(from);
            w.ToDate(to);
        });
        EXPECT_EQ(found, expected) << type << " " << from << ".." << to;
    }
}

TEST(ScanPath, ReportedAndTestedTimesAreLocal) {
    test::TempDir dir;
    const std::string file = dir.writeFile("f");
    // 22:30 UTC is 03:30 the next day five hours east.
    setTimes(file, 1710455400 /* 2024-03-14 22:30:00 UTC */, 1710455400);
    ScopedTimeZone zone("XST-05:00");
    Recorder recorder(dir.path());
    cScanPath walker(&recorder);
    walker.FromDate(platform::DayCount(2024, 3, 15));
    walk(dir, walker);
    EXPECT_EQ(recorder.find("f").lastWrite, platform::DayCount(2024, 3, 15, 3, 30));
    EXPECT_EQ(recorder.find("f").lastAccess, platform::DayCount(2024, 3, 15, 3, 30));
    EXPECT_EQ(recorder.names(), Names{"f"});
}

TEST(ScanPath, HiddenEntriesAndTheirSubtrees) {
    test::TempDir dir;
    for (const char* name : {".hid", "vis", ".hdir/inner", "dir/.dot", "dir/plain"}) dir.writeFile(name);
    EXPECT_EQ(scan(dir, [](cScanPath&) {}), (Names{"vis", "dir/", "dir/plain"}));
    EXPECT_EQ(scan(dir, [](cScanPath& w) { w.Hidden(true); }),
              (Names{".hid", "vis", ".hdir/", ".hdir/inner", "dir/", "dir/.dot", "dir/plain"}));
}

TEST(ScanPath, ExcludedFoldersCoverThemselvesAndTheirContentOnly) {
    test::TempDir dir;
    for (const char* name : {"tmp/a", "tmp/deep/b", "tmpfiles/c", "Tmp/d", "data/old/e", "data/f"}) dir.writeFile(name);
    const std::string root = dir.path();
    const Names everything = {"tmp/",  "tmp/a", "tmp/deep/", "tmp/deep/b", "tmpfiles/", "tmpfiles/c", "Tmp/",
                              "Tmp/d", "data/", "data/old/", "data/old/e", "data/f"};
    const Names withoutTmp = {"tmpfiles/", "tmpfiles/c", "Tmp/", "Tmp/d", "data/", "data/old/", "data/old/e", "data/f"};
    const std::pair<std::string, Names> cases[] = {
        {"", everything},
        {root + "/tmp;", withoutTmp},
        {root + "/tmp/;", withoutTmp},
        {root + "/tmp", everything},  // only entries followed by ";" count
        {root + "/tmp;" + root + "/data", withoutTmp},
        {root + "/data/old;", {"tmp/", "tmp/a", "tmp/deep/", "tmp/deep/b", "tmpfiles/", "tmpfiles/c", "Tmp/", "Tmp/d",
                               "data/", "data/f"}},
        {root + ";", {}},
        {root + "/;", {}},
    };
    for (const auto& [excluded, expected] : cases) {
        EXPECT_EQ(scan(dir, [&](cScanPath& w) { w.exFolder(excluded); }), expected) << excluded;
    }
}

TEST(ScanPath, WithoutSubFoldersFoldersAreReportedButNotEntered) {
    test::TempDir dir;
    for (const char* name : {"a", "sub/b", "sub/deeper/c"}) dir.writeFile(name);
    EXPECT_EQ(scan(dir, [](cScanPath&) {}, false), (Names{"a", "sub/"}));
}

TEST(ScanPath, WalksBreadthFirst) {
    test::TempDir dir;
    for (const char* name : {"f0", "a/f1", "a/b/f2", "a/b/c/f3", "x/f4", "x/y/f5", "z/f6"}) dir.writeFile(name);
    Recorder recorder(dir.path());
    cScanPath walker(&recorder);
    walk(dir, walker);
    ASSERT_EQ(recorder.events.size(), 13u);
    // Each folder's entries come together, in the order the folders were reported.
    std::vector<std::string> folders = {dir.path() + "/"};
    for (const Event& e : recorder.events)
        if (e.path.ends_with("/")) folders.push_back(folders[0] + e.path);
    std::vector<std::string> parents;
    for (const Event& e : recorder.events)
        if (parents.empty() || parents.back() != e.parent) parents.push_back(e.parent);
    folders.resize(parents.size());
    EXPECT_EQ(parents, folders);
}

TEST(ScanPath, StopTakesEffectAtTheNextTenthEntryOrFolderEnd) {
    test::TempDir dir;
    for (int i = 0; i < 35; ++i) dir.writeFile("sub/f" + std::to_string(i));
    for (int i = 0; i < 4; ++i) dir.writeFile("r" + std::to_string(i));
    // 5 entries in the root and 35 in sub, one entry counter over the whole walk.
    // A stop asked from the yield ends the walk at once; one asked from an event
    // is seen at the next yield or when the current folder is done, whichever
    // comes first. The last run shows that StartScan clears an earlier stop.
    const std::tuple<int, size_t, int> cases[] = {{0, 10, 1}, {3, 5, 0}, {-1, 40, 4}};
    cScanPath walker;
    for (const auto& [stopAt, reported, expectedYields] : cases) {
        Recorder recorder(dir.path());
        int yields = 0;
        walker.SetEvents(&recorder);
        walker.SetProcessEvents([&] {
            ++yields;
            if (stopAt == 0) walker.StopScan();
        });
        recorder.onEvent = [&](const Event&) {
            if (static_cast<int>(recorder.events.size()) == stopAt) walker.StopScan();
        };
        walk(dir, walker);
        EXPECT_EQ(recorder.events.size(), reported) << stopAt;
        EXPECT_EQ(yields, expectedYields) << stopAt;
        EXPECT_EQ(walker.DirCount() + walker.FileCount(), static_cast<int64_t>(reported));
    }
}

TEST(ScanPath, EntriesThatFailCountTowardsTheYieldButExcludedFoldersDoNot) {
    test::TempDir dir;
    for (int i = 0; i < 5; ++i) dir.writeFile("f" + std::to_string(i));
    for (int i = 0; i < 4; ++i) dir.writeFile(".h" + std::to_string(i));  // fail: hidden
    dir.makeFolder("skip");
    const std::pair<std::string, int> cases[] = {{"", 1}, {dir / "skip;", 0}, {dir / "other;", 1}};
    for (const auto& [excluded, expectedYields] : cases) {
        int yields = 0;
        cScanPath walker(nullptr, [&] { ++yields; });
        walker.exFolder(excluded);
        walk(dir, walker);
        EXPECT_EQ(yields, expectedYields) << excluded;
        EXPECT_EQ(walker.FileCount(), 5);
    }
}

TEST(ScanPath, UnreadableAndVanishedFoldersAreSkipped) {
    test::TempDir dir;
    for (const char* name : {"gone/a", "gone/b", "locked/c", "ok/d"}) dir.writeFile(name);
    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0), 0);
    Recorder recorder(dir.path());
    recorder.onEvent = [&](const Event& e) {
        if (e.path == "gone/") fs::remove_all(dir / "gone");
    };
    cScanPath walker(&recorder);
    walk(dir, walker);
    Names expected = {"gone/", "locked/", "ok/", "ok/d"};
    if (::geteuid() == 0) expected.insert("locked/c");  // permissions do not stop root
    EXPECT_EQ(recorder.names(), expected);

    std::string missing = dir / "missing";
    walker.StartScan(missing, true, false, true);
    EXPECT_EQ(walker.DirCount() + walker.FileCount(), 0);
}

TEST(ScanPath, SymbolicLinksAreNeitherFollowedNorReported) {
    test::TempDir dir;
    dir.writeFile("real.txt");
    dir.writeFile("sub/inner.txt");
    for (const auto& [target, link] : {std::pair{".", "loop"}, {"..", "sub/up"}, {"real.txt", "link.txt"},
                                       {"nowhere", "dangling"}, {"sub", "sublink"}})
        ASSERT_EQ(::symlink(target, (dir / link).c_str()), 0) << link;
    EXPECT_EQ(scan(dir, [](cScanPath&) {}), (Names{"real.txt", "sub/", "sub/inner.txt"}));
}

TEST(ScanPath, ProtectedSystemFoldersGiveNothing) {
    test::TempDir dir;
    ASSERT_EQ(::symlink("/etc", (dir / "etc-link").c_str()), 0);
    for (std::string root : {std::string("/etc"), std::string("/usr/share/"), dir / "etc-link"}) {
        Recorder recorder(dir.path());
        cScanPath walker(&recorder);
        walker.Hidden(true);
        walker.StartScan(root, true, false, false);
        EXPECT_TRUE(recorder.events.empty()) << root;
        EXPECT_EQ(walker.DirCount() + walker.FileCount(), 0) << root;
    }
    cScanPath allowed;
    allowed.System(true);
    std::string etc = "/etc";
    allowed.StartScan(etc, false, false, false);
    EXPECT_GT(allowed.DirCount(), 0) << "the same root is walked when system folders are allowed";
}

TEST(ScanPath, SystemFolderTestComparesWholeComponents) {
    const std::pair<const char*, bool> cases[] = {
        {"/usr", true},       {"/usr/", true},       {"/usr/share/doc", true}, {"//usr", true},
        {"/./etc/x", true},   {"/var/lib/apt", true}, {"/usrdata", false},     {"/var", false},
        {"/var/library", false}, {"/home/usr", false}, {"/", false},           {"usr", false},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(platform::IsSystemFolder(path), expected) << path;
}

TEST(ScanPath, DayCountsAndLocalConversionAgreeWithTheCalendar) {
    const std::tuple<int, int, int, int, int, double> days[] = {
        {1899, 12, 30, 0, 0, 0}, {1900, 1, 1, 0, 0, 2},      {2024, 3, 14, 0, 0, 45365},
        {2024, 3, 14, 12, 0, 45365.5}, {1899, 12, 29, 6, 0, -1.25}, {1970, 1, 1, 0, 0, 25569},
    };
    for (const auto& [y, mo, d, h, mi, expected] : days) EXPECT_EQ(platform::DayCount(y, mo, d, h, mi), expected);

    // The converter remembers offsets per hour; it must agree with the C library
    // on every moment, across daylight-saving changes included.
    ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    platform::LocalTimeConverter converter;
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int64_t> moment(1600000000, 1800000000);
    for (int i = 0; i < 20000; ++i) {
        // Half the moments fall in the hours around 2024's two changes of offset.
        const int64_t seconds = i % 2 ? moment(random) : 1711846800 - 7200 + (i * 37) % 14400 + (i % 4 ? 0 : 18144000);
        const std::time_t t = static_cast<std::time_t>(seconds);
        std::tm fields{};
        ASSERT_NE(::localtime_r(&t, &fields), nullptr);
        double converted = 0;
        ASSERT_TRUE(converter.toDayCount(seconds, converted));
        EXPECT_EQ(converted, platform::DayCount(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                                                fields.tm_hour, fields.tm_min))
            << seconds;
    }
}

}  // namespace
}  // namespace tw
