#include "engine/checksum.h"
#include "engine/file_compare.h"
#include "engine/find_same.h"
#include "engine/fuzzy_digest.h"
#include "platform/file_reader.h"
#include "support/engine_oracle.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace tw {
namespace {

namespace fs = std::filesystem;

struct Record {
    std::string size, name, folder, time;
};

std::string SizeText(size_t size) {
    char text[16];
    std::snprintf(text, sizeof text, "%012zu", size);
    return text;
}

// Files on disk and the records the walk would have reported for them.
struct Tree {
    test::TempDir dir;
    std::vector<Record> records;

    std::string add(const std::string& folder, const std::string& name, const std::string& content) {
        std::string path = dir.writeFile(folder + name, content);
        records.push_back({SizeText(content.size()), name, dir.path() + "/" + folder, "1/2/2024 3:04:05 PM"});
        return path;
    }
    std::string path(size_t i) const { return records[i].folder + records[i].name; }
    void listAgain(size_t i) { records.push_back(records[i]); }
    void link(size_t i, const std::string& folder, const std::string& name) {
        dir.makeFolder(folder);
        fs::create_hard_link(path(i), dir / (folder + name));
        records.push_back({records[i].size, name, dir.path() + "/" + folder, records[i].time});
    }
    // The file hive as the scan fills it: record texts sorted ignoring letter case.
    void fill(CHive& hive, bool nameFirst) const {
        auto text = [&](const Record& r) {
            std::string t = (nameFirst ? r.name + "?" + r.size : r.size + "?" + r.name) + "?" + r.folder + "?" + r.time;
            for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return t;
        };
        std::vector<Record> sorted = records;
        std::stable_sort(sorted.begin(), sorted.end(), [&](auto& a, auto& b) { return text(a) < text(b); });
        for (const Record& r : sorted)
            hive.Add({nameFirst ? r.name : r.size, nameFirst ? r.size : r.name, r.folder, r.time, int64_t{1}, int64_t{1}});
    }
};

// Engine modes: 1 byte to byte, 2 CRC32, 3 same name; fuzzy applies to 1.
struct Mode {
    int engine;
    bool fuzzy;
};
const Mode kModes[] = {{1, false}, {1, true}, {2, false}, {3, false}};

struct Outcome {
    std::vector<std::string> rows;  // slots joined by "|", key left out
    int32_t files = 0, duplicates = 0;
    int64_t bytes = 0;
    int16_t shade = 0;
    std::string caption, status;
    std::vector<std::string> reports;  // procedure labels
    int yields = 0;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << "files " << o.files << " dups " << o.duplicates << " bytes " << o.bytes << " shade " << o.shade
         << " caption '" << o.caption << "' status '" << o.status << "' reports " << o.reports.size() << "\n";
    for (const std::string& row : o.rows) *out << "  " << row << "\n";
}

struct Options {
    bool minimised = false;
    EngineTuning tuning;
    std::function<bool(int yields)> onYield;  // true: cancel the scan now
    std::function<int16_t(int report)> bugAnswer;  // Retry or Abort; Abort by default
};

Outcome RunEngine(const Tree& tree, Mode mode, bool fast, const Options& setup = {}) {
    test::ScriptedUi ui;
    ErrorReporter reporter(ui, {});
    EngineContext c(reporter);
    Outcome out;
    bool cancelled = false;
    ui.onModal = [&](DialogModel& dialog) {
        auto& bug = dynamic_cast<BugFrm&>(dialog);
        out.reports.push_back(bug.lblErrPro());
        setup.bugAnswer && setup.bugAnswer(int(out.reports.size())) == BugFrm::Retry ? bug.cmdRetry_Click()
                                                                                    : bug.cmdAbort_Click();
    };
    c.engine = mode.engine == 2 ? 2 : 1;
    c.fuzzy = mode.fuzzy;
    c.tuning = setup.tuning;
    c.FilesScanned = int32_t(tree.records.size());
    c.ScanCancelled = [&] { return cancelled; };
    c.yield = [&] {
        ++out.yields;
        if (setup.onYield && setup.onYield(out.yields)) cancelled = true;
    };
    c.windowMinimised = [&] { return setup.minimised; };
    c.setCaption = [&](const std::string& text) { out.caption = text; };
    c.setStatusPanel1 = [&](const std::string& text) { out.status = text; };
    c.versionText = [](const std::string& path) { return "v" + std::to_string(path.size()); };
    CHive hive, result;
    tree.fill(hive, mode.engine == 3);
    if (mode.engine == 3) fast ? FindSameName(hive, result, c) : oracle::FindSameName(hive, result, c);
    else fast ? FindSame(hive, result, c) : oracle::FindSame(hive, result, c);
    for (int32_t p = 1; p <= result.Count(); ++p) {
        Position at{p};
        out.rows.push_back(oracle::Text(result.Item(at)) + "|" + oracle::Text(result.Item1(at)) + "|" +
                           oracle::Text(result.Item2(at)) + "|" + oracle::Text(result.Item3(at)) + "|" +
                           oracle::Text(result.Item4(at)) + "|" + oracle::Text(result.Item5(at)));
    }
    out.files = c.FilesScanned;
    out.duplicates = c.DuplicateFileCount;
    out.bytes = c.DuplicateBytes;
    out.shade = c.shade;
    out.yields = 0;  // the two algorithms yield at different points
    return out;
}

// Runs of equal size whose files differ at the start, the middle or the end,
// in one 1000-byte block or in many, under and over 1000 bytes; names in
// several letter cases; files listed twice, hard links, deleted files, files
// changed after the walk and hidden files.
void RandomTree(Tree& tree, uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](size_t n) { return size_t(rng() % n); };
    const size_t lengths[] = {1, 999, 1000, 1001, 2000, 2500, 4097, 9000, 70001, 140000};
    const char* names[] = {"a.txt", "A.TXT", "b.dat", "Readme.TXT", "readme.txt", "readme.doc", ".hidden", "c"};
    const char* folders[] = {"", "d1/", "d2/", "d2/sub/"};
    int made = 0;
    for (size_t family = 0, families = 3 + pick(5); family < families; ++family) {
        const size_t length = lengths[pick(std::size(lengths))];
        std::string base(length, '\0');
        for (char& c : base) c = char('a' + pick(4));
        for (size_t copy = 0, copies = 1 + pick(4); copy < copies; ++copy) {
            std::string content = base;
            const size_t at[] = {0, length / 2, length - 1};
            switch (pick(7)) {
            case 0: case 1: break;
            case 2: case 3: case 4: content[at[pick(3)]] ^= 1; break;
            case 5: for (size_t i = length / 2; i < length && i < length / 2 + 1000; ++i) content[i] ^= 2; break;
            default: for (size_t i = 0; i < length; i += 1000) if (pick(2)) content[i] ^= 4;
            }
            std::string name = names[pick(std::size(names))], folder = folders[pick(std::size(folders))];
            if (fs::exists(tree.dir / (folder + name))) name = "n" + std::to_string(made) + name;
            tree.add(folder, name, content);
            ++made;
        }
    }
    for (size_t extra = pick(4); extra > 0; --extra) {
        const size_t i = pick(tree.records.size());
        if (pick(2)) tree.listAgain(i);
        else if (!fs::exists(tree.dir / ("links/" + tree.records[i].name))) tree.link(i, "links/", tree.records[i].name);
    }
    for (size_t change = pick(3); change > 0; --change) {
        const std::string path = tree.path(pick(tree.records.size()));
        if (!fs::is_regular_file(path)) continue;
        switch (pick(3)) {
        case 0: fs::remove(path); break;
        case 1: std::ofstream(path, std::ios::app) << 'x'; break;
        default: fs::remove(path), fs::create_directory(path);
        }
    }
}

TEST(EngineOracle, FastEnginesGiveTheResultsOfThePairwiseAlgorithms) {
    // What the trees exercised, so that they cannot quietly become trivial.
    int rows[std::size(kModes)] = {}, reports = 0, dropped = 0;
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        Tree tree;
        RandomTree(tree, seed);
        Options setup;
        setup.minimised = seed % 3 == 0;
        setup.tuning.maxOpenFiles = 2 + int(seed % 3);
        setup.tuning.readBudgetBytes = seed % 2 ? 4096 : size_t{64} << 20;
        setup.tuning.entriesPerYield = 1 + int(seed % 4);
        for (size_t m = 0; m < std::size(kModes); ++m) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " engine " + std::to_string(kModes[m].engine) +
                         (kModes[m].fuzzy ? " fuzzy" : ""));
            const Outcome fast = RunEngine(tree, kModes[m], true, setup);
            EXPECT_EQ(fast, RunEngine(tree, kModes[m], false, setup));
            rows[m] += int(fast.rows.size());
            reports += int(fast.reports.size());
            dropped += int(tree.records.size()) - fast.files;
        }
    }
    for (int count : rows) EXPECT_GT(count, 200);
    EXPECT_GT(reports, 10);
    EXPECT_GT(dropped, 50);
}

TEST(CompareFiles, PairwiseRulesOnBlocksAndTails) {
    test::TempDir dir;
    const std::string x2500(2500, 'x'), x3500(3500, 'x');
    auto with = [](std::string s, size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) s[i] = 'y';
        return s;
    };
    struct Case {
        std::string a, b;  // "-" a missing file
        std::string nameB;
        int32_t exact, fuzzy;
    } cases[] = {
        {x2500, x2500, "b", 1, 1},
        {x2500, with(x2500, 0, 1), "b", 0, 1},                     // 1 of 2 blocks equal: 50 %
        {std::string(2000, 'x'), with(std::string(2000, 'x'), 1000, 2000), "b", 0, 1},
        {x3500, with(x3500, 1000, 3500), "b", 0, 0},               // 33.3 %, tails differ
        {x3500, with(x3500, 0, 3000), "b", 0, 1},                  // no block equal, tails equal
        {std::string(2000, 'x'), std::string(2000, 'y'), "b", 0, 0},  // no tail: the blocks alone decide
        {std::string(999, 'x'), std::string(999, 'x'), "b", 1, -1},   // shorter than one block
        {std::string(1500, 'x'), std::string(1501, 'x'), "b", 0, 0},
        {x2500, "-", "b", -1, -1},
        {x2500, x2500, ".b", 1, -1},  // hidden: not found by the lookup
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a.size()) + " vs " + c.nameB + " " + std::to_string(c.b.size()));
        const std::string a = dir.writeFile("a", c.a);
        const std::string b = c.b == "-" ? dir / "missing" : dir.writeFile(c.nameB, c.b);
        EXPECT_EQ(CompareFiles(a, b), c.exact);
        EXPECT_EQ(FuzzyCompareFiles(a, b), c.fuzzy);
        EXPECT_EQ(oracle::CompareFiles(a, b), c.exact);
        EXPECT_EQ(oracle::FuzzyCompareFiles(a, b), c.fuzzy);
        if (c.b == "-") EXPECT_THROW(CRC(a, b), AppError);
        else EXPECT_EQ(CRC(a, b), c.a == c.b);
    }
    EXPECT_EQ(FileChecksumText(dir.writeFile("digits", "123456789")), "CBF43926");
    EXPECT_EQ(FileChecksumText(dir.writeFile("empty", "")), "00000000");
    for (int64_t blocks = 1; blocks <= 3000; ++blocks) {
        const int64_t least = FuzzyMinEqualBlocks(blocks);
        ASSERT_TRUE(FuzzyShareReachesHalf(least, blocks)) << blocks;
        ASSERT_FALSE(least > 0 && FuzzyShareReachesHalf(least - 1, blocks)) << blocks;
    }
}

std::string Field(const std::string& row, int n) {
    size_t from = 0;
    for (; n > 0; --n) from = row.find('|', from) + 1;
    return row.substr(from, row.find('|', from) - from);
}

// Names of the result rows, a comma within a group and a blank between groups.
std::string Groups(const Outcome& o) {
    std::string text;
    for (size_t i = 0; i < o.rows.size(); ++i)
        text += (i == 0 ? "" : Field(o.rows[i], 4) == Field(o.rows[i - 1], 4) ? "," : " ") + Field(o.rows[i], 1);
    return text;
}

TEST(FindSame, ExamplesOfTheEngines) {
    const std::string one(1500, 'a'), other = std::string(1499, 'a') + "b";
    struct Case {
        const char* what;
        Mode mode;
        std::function<void(Tree&)> build;
        std::string groups;
        int32_t filesDropped;
    } cases[] = {
        {"first of three differs", {1, false},
         [&](Tree& t) { t.add("", "1", other), t.add("", "2", one), t.add("", "3", one); }, "2,3", 0},
        {"listed twice and hard-linked", {1, false},
         [&](Tree& t) { t.add("", "x", one), t.listAgain(0), t.link(0, "l/", "y"), t.add("", "z", one); }, "x,z", 2},
        {"same under crc", {2, false}, [&](Tree& t) { t.add("", "p", one), t.add("", "q", one), t.add("", "r", other); },
         "p,q", 0},
        {"fuzzy at 50 %", {1, true},
         [&](Tree& t) { t.add("", "f", std::string(2000, 'a')), t.add("", "g", std::string(1000, 'a') + std::string(1000, 'b')); },
         "f,g", 0},
        {"fuzzy under 1000 bytes", {1, true},
         [&](Tree& t) { t.add("", "s", std::string(999, 'a')), t.add("", "t", std::string(999, 'a')); }, "", 0},
        {"names across letter case", {3, false},
         [&](Tree& t) {
             t.add("d1/", "Readme.TXT", "0123456789"), t.add("d2/", "readme.txt", std::string(20, 'r'));
             t.add("d1/", "readme.doc", "0123456789"), t.add("", "other", "z");
         },
         "Readme.TXT,readme.txt", 0},
        {"unique sizes, one deleted", {2, false},
         [&](Tree& t) { t.add("", "u1", "a"), t.add("", "u2", "bb"), fs::remove(t.add("", "u3", "ccc")); }, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tree tree;
        c.build(tree);
        platform::fileReadCounters().reset();
        const Outcome out = RunEngine(tree, c.mode, true);
        EXPECT_EQ(Groups(out), c.groups);
        EXPECT_EQ(out.files, int32_t(tree.records.size()) - c.filesDropped);
        EXPECT_TRUE(out.reports.empty());
        if (c.groups.empty() && c.mode.engine == 2) {
            EXPECT_EQ(platform::fileReadCounters().opens, 0u);
            EXPECT_EQ(platform::fileReadCounters().stats, 0u);
        }
    }
    // The group comes out of FindDuplicates the same on a group hive of its own.
    Tree tree;
    tree.add("", "1", other), tree.add("", "2", one), tree.add("", "3", one);
    test::ScriptedUi ui;
    ErrorReporter reporter(ui, {});
    EngineContext c(reporter);
    CHive group, result;
    tree.fill(group, false);
    EXPECT_TRUE(FindDuplicates(group, result, c));
    ASSERT_EQ(result.Count(), 2);
    EXPECT_EQ(oracle::Text(result.Item1(Position{1})), "2");
    EXPECT_EQ(c.DuplicateBytes, 1500 * 10000);
}

TEST(FindSame, ProgressTextsFollowTheStepCounts) {
    Tree tree;
    tree.add("", "a", "1"), tree.add("", "b", "22"), tree.add("d/", "b", "22"), tree.add("", "c", "333");
    Options minimised;
    minimised.minimised = true;
    EXPECT_EQ(RunEngine(tree, {1, false}, true).status, "Searching for duplicates...(3/4) 75.0%");
    EXPECT_EQ(RunEngine(tree, {1, false}, true, minimised).caption, "75.0% (3/4)");
    // Same name: the status only moves on steps that leave a multiple of 100 results.
    EXPECT_EQ(RunEngine(tree, {3, false}, true).status, "Searching for same name files...(1/4) 25.0%");
    EXPECT_EQ(RunEngine(tree, {3, false}, true, minimised).caption, "75.0% (3/4)");
}

TEST(FindSame, CancelInAYieldEndsTheEngineWithTheGroupsWrittenSoFar) {
    Tree tree;
    RandomTree(tree, 7);
    for (Mode mode : kModes) {
        Options quiet;
        quiet.tuning.readsPerYield = 1;
        quiet.tuning.entriesPerYield = 1;
        int total = 0;
        quiet.onYield = [&](int yields) { return total = yields, false; };
        const Outcome full = RunEngine(tree, mode, true, quiet);
        ASSERT_GT(total, 2);
        for (int at = 1; at <= total; ++at) {
            Options cancel = quiet;
            int last = 0;
            uint64_t opensAtCancel = 0;
            cancel.onYield = [&](int yields) {
                last = yields;
                opensAtCancel = platform::fileReadCounters().opens;
                return yields == at;
            };
            Outcome part = RunEngine(tree, mode, true, cancel);
            EXPECT_EQ(last, at);
            EXPECT_EQ(platform::fileReadCounters().opens, opensAtCancel);
            ASSERT_LE(part.rows.size(), full.rows.size());
            EXPECT_TRUE(std::equal(part.rows.begin(), part.rows.end(), full.rows.begin()));
            // Whole groups only, except under CRC32, which writes the first file's group as it reads.
            if (mode.engine != 2 && !part.rows.empty() && part.rows.size() < full.rows.size()) {
                EXPECT_NE(Field(part.rows.back(), 4), Field(full.rows[part.rows.size()], 4));
            }
        }
    }
}

TEST(FindSame, EachCandidateFileIsReadAtMostOnce) {
    Tree tree;
    const std::string big(300000, 'q');
    uint64_t candidateBytes = 0;
    for (int i = 0; i < 12; ++i) {
        std::string content = big;
        if (i % 3 == 1) content.back() = 'z';          // differs in the last byte
        if (i % 3 == 2) content[0] = char('a' + i);   // differs in the first byte
        tree.add("d" + std::to_string(i % 4) + "/", "f" + std::to_string(i), content);
        candidateBytes += content.size();
    }
    tree.add("", "unique", std::string(1234, 'u'));
    for (Mode mode : kModes) {
        if (mode.engine == 3) continue;
        Options setup;
        setup.tuning.maxOpenFiles = 3;  // files are closed and opened again between blocks
        platform::fileReadCounters().reset();
        const Outcome out = RunEngine(tree, mode, true, setup);
        const uint64_t read = platform::fileReadCounters().bytesRead;
        EXPECT_LE(read, candidateBytes);
        // Byte to byte: the four files that differ in the first byte are read one block each.
        if (mode.engine == 1 && !mode.fuzzy) {
            EXPECT_LE(read, candidateBytes - 4 * (big.size() - 4096));
        }
        EXPECT_EQ(Groups(out), mode.fuzzy ? "f0,f10,f11,f1,f2,f3,f4,f5,f6,f7,f8,f9" : "f0,f3,f6,f9 f10,f1,f4,f7");
    }
}

TEST(FindSame, ChecksumFailuresGoToTheBugReport) {
    Tree tree;
    const std::string same(5000, 's');
    tree.add("", "a", same), tree.add("", "b", same), tree.add("", "c", same), tree.add("", "d", same);
    tree.add("", "e", std::string(6000, 'e')), tree.add("", "f", std::string(6000, 'e'));
    const std::string gone = tree.path(2);
    struct Case {
        std::vector<int16_t> answers;  // to the reports, in order
        bool restore;                  // the file is back before the last answer
        std::string groups;
    } cases[] = {
        {{BugFrm::Abort}, false, "a,b"},
        {{BugFrm::Retry, BugFrm::Abort}, false, "a,b"},
        {{BugFrm::Retry, BugFrm::Retry}, true, "a,b,c,d e,f"},
    };
    for (const Case& c : cases) {
        for (bool fast : {true, false}) {
            fs::remove(gone);
            Options setup;
            setup.bugAnswer = [&](int report) {
                if (c.restore && report == int(c.answers.size())) tree.dir.writeFile("c", same);
                return c.answers[size_t(report - 1)];
            };
            const Outcome out = RunEngine(tree, {2, false}, fast, setup);
            EXPECT_EQ(Groups(out), c.groups);
            EXPECT_EQ(out.reports, std::vector<std::string>(c.answers.size(), "Find Duplicates"));
        }
    }
}

}  // namespace
}  // namespace tw
