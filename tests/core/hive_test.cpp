#include "engine/hive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <regex>
#include <set>

namespace tw {
namespace {

using Err = std::pair<std::string, int32_t>;  // source label, code

constexpr int32_t kNumbers[] = {0, -2147216503, -2147216502, 0, -2147216500, 0, 0, 0, -2147216496};
const std::map<int32_t, std::string> kTexts = {
    {1, "Invalid Index."},
    {2, "Key not Found in the Hive."},
    {4, "Key cannot be Integer or Long or Byte or any kind of Fixed Digit."},
    {8, "Duplicate Key."},
    {256, "Invalid Parameter."},
};
int32_t numberOf(int32_t code) {
    return code == 256 ? -2147216248 : kNumbers[code];
}

// The errors a hive recorded since `from`, checked against their fixed numbers and texts.
std::vector<Err> errorsSince(const CHive& hive, int32_t from) {
    std::vector<Err> found;
    for (int32_t i = from + 1; i <= hive.Errors().Count(); ++i) {
        const HiveErrorRecord& record = hive.Errors().Item(i);
        const int32_t code = record.Number - hive_error::kNumberBase;
        EXPECT_EQ(record.Number, numberOf(code)) << record.Source;
        EXPECT_EQ(record.Description, kTexts.at(code)) << record.Source;
        found.emplace_back(record.Source, code);
    }
    return found;
}

int64_t idAt(const CHive& hive, int32_t position) {
    return std::get<int64_t>(hive.Item(Position{position}));
}

HiveSlots slotsFor(int64_t id) {
    return {id, "v" + std::to_string(id), static_cast<double>(id) / 2, Date{static_cast<double>(id)}, {}, 1};
}

// Reference ordering, written independently of the hive's: numbers before text,
// text compared as lower-cased copies when case is ignored.
using SortKey = std::pair<int, std::variant<double, std::string>>;
SortKey sortKey(const HiveKey& key, bool ignoreCase) {
    if (const std::string* text = key.text()) {
        std::string s = *text;
        if (ignoreCase)
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return {1, s};
    }
    if (const double* number = std::get_if<double>(&key.value())) return {0, *number};
    return {0, std::get<Date>(key.value()).days};
}

struct ModelConfig {
    uint32_t seed;
    int32_t compareMode;
    bool allowDuplicate;
};

class HiveModelCheck : public ::testing::TestWithParam<ModelConfig> {};

// Random sequences of adds, removals, reads and writes, compared after every step
// against a plain vector of entries in position order.
TEST_P(HiveModelCheck, RandomSequencesMatchAReferenceModel) {
    ModelConfig config = GetParam();
    std::mt19937 rng(config.seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<>(0, 1)(rng) < p; };
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
    const bool fold = config.compareMode != 0;

    CHive hive;
    hive.CompareMode(config.compareMode);
    hive.AllowDuplicate(config.allowDuplicate);
    struct Entry {
        HiveKey key;
        int64_t item;    // slot Item, rewritten by Item writes
        int64_t origin;  // the id the other slots were made from
        SortKey sortKey;
    };
    std::vector<Entry> model;
    int64_t nextId = 1;
    std::set<int32_t> capacitiesSeen;

    auto matching = [&](const HiveKey& key) {
        const SortKey wanted = sortKey(key, fold);
        std::vector<size_t> at;
        for (size_t i = 0; i < model.size(); ++i)
            if (model[i].sortKey == wanted) at.push_back(i);
        return at;
    };
    auto randomKey = [&]() -> HiveKey {
        if (chance(0.3)) return double(pick(-20, 20)) / 4;
        // Short keys, and long ones that differ only after their first eight bytes; letters in either case.
        std::string text = (chance(0.5) ? "k" : "longprefix") + std::to_string(pick(0, 999));
        for (char& c : text)
            if (chance(0.3)) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    // A position or key, about a quarter of the time naming nothing.
    auto randomRef = [&](std::vector<Err>& expected) -> PositionOrKey {
        const int32_t n = static_cast<int32_t>(model.size());
        if (chance(0.5)) {
            const int32_t p = chance(0.8) && n > 0 ? pick(1, n) : (chance(0.5) ? pick(-2, 0) : n + pick(1, 3));
            if (p < 1 || p > n) expected.push_back({"GetIndex", 1});
            return Position{p};
        }
        HiveKey key = chance(0.75) && n > 0 ? model[pick(0, n - 1)].key : randomKey();
        if (matching(key).empty()) expected.push_back({"FindNode", 2});
        return key;
    };
    // The model index of the entry a resolved argument named, checked to fit the argument.
    auto modelIndex = [&](const PositionOrKey& ref, int32_t hivePosition) {
        if (const Position* p = ref.position())
            EXPECT_EQ(p->value, hivePosition);
        else
            EXPECT_EQ(model.at(hivePosition - 1).sortKey, sortKey(*ref.key(), fold));
        return static_cast<size_t>(hivePosition - 1);
    };
    auto findId = [&](int64_t id) {
        for (int32_t p = 1; p <= hive.Count(); ++p)
            if (idAt(hive, p) == id) return p;
        return 0;
    };

    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const int32_t errorsBefore = hive.Errors().Count();
        std::vector<Err> expected;
        const double addShare = model.size() < 30 ? 0.7 : (model.size() > 360 ? 0.1 : 0.5);
        const int op = chance(addShare) ? 0 : pick(1, 100);

        if (op == 0) {
            AddOptions options;
            const int keyKind = pick(0, 99);  // below 20: no key, the hive makes a GUID
            if (keyKind >= 24)
                options.Key = randomKey();
            else if (keyKind >= 22)
                options.Key = HiveKey("");
            else if (keyKind >= 20)
                options.Key = Position{pick(0, 5)};
            const bool before = chance(0.25), after = chance(0.25);
            std::vector<Err> anchorErrors, ignored;  // only Before counts when both are given
            if (before) options.Before = randomRef(anchorErrors);
            if (after) options.After = randomRef(before ? ignored : anchorErrors);
            if (options.Key && options.Key->position())
                expected = {{"Add", 4}};
            else if (options.Key && options.Key->key()->text() && options.Key->key()->text()->empty())
                expected = {{"Add", 256}};
            else if (options.Key && !config.allowDuplicate && !matching(*options.Key->key()).empty())
                expected = {{"Add", 8}};
            else if (!anchorErrors.empty())
                expected = {anchorErrors.front(), {"Add", 2}};

            const int64_t id = nextId++;
            hive.Add(slotsFor(id), options);
            if (expected.empty()) {
                const int32_t q = findId(id);
                ASSERT_GT(q, 0);
                if (options.Before)
                    modelIndex(*options.Before, q);
                else if (options.After)
                    modelIndex(*options.After, q - 1);
                else
                    EXPECT_EQ(q, hive.Count());
                HiveKey key = options.Key ? *options.Key->key() : hive.Key(Position{q});
                model.insert(model.begin() + (q - 1), {key, id, id, sortKey(key, fold)});
            }
        } else if (op <= 35) {
            const PositionOrKey ref = randomRef(expected);
            if (!expected.empty()) expected.push_back({"Remove", 1});
            const int32_t removed = hive.Remove(ref);
            if (expected.empty())
                model.erase(model.begin() + modelIndex(ref, removed));
            else
                EXPECT_EQ(removed, 0);
        } else if (op <= 70) {
            const PositionOrKey ref = randomRef(expected);
            const int slot = pick(0, 5);
            const HiveValue value = slot == 0 ? hive.Item(ref) : slot == 3 ? hive.Item3(ref) : hive.Item1(ref);
            if (!expected.empty()) {
                expected.push_back({"Item", 2});
                EXPECT_EQ(value.index(), 0u);
            } else {
                const Entry& entry = model[modelIndex(ref, findId(std::get<int64_t>(hive.Item(ref))))];
                EXPECT_EQ(value, slot == 0 ? HiveValue(entry.item) : slotsFor(entry.origin)[slot == 3 ? 3 : 1]);
            }
        } else if (op <= 80) {
            const PositionOrKey ref = randomRef(expected);
            EXPECT_EQ(hive.Exist(ref), expected.empty());
        } else if (op <= 88) {
            const PositionOrKey ref = randomRef(expected);
            const int64_t id = nextId++;
            hive.Item(ref, id);
            if (expected.empty()) model[modelIndex(ref, findId(id))].item = id;
        } else if (op <= 95) {
            const int32_t p = pick(-1, static_cast<int32_t>(model.size()) + 1);
            const HiveKey key = hive.Key(Position{p});
            if (p < 1 || p > static_cast<int32_t>(model.size())) {
                expected = {{"Key[Read]", 1}};
                EXPECT_EQ(key, HiveKey());
            } else {
                EXPECT_EQ(key, model[p - 1].key);
            }
        } else if (op <= 99) {
            std::vector<const Entry*> sorted;
            for (const Entry& entry : model) sorted.push_back(&entry);
            std::stable_sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->sortKey < b->sortKey; });
            HiveKey key;
            std::multiset<int64_t> ids, expectedIds;
            for (size_t i = 0; i < sorted.size(); ++i) {
                const HiveValue& item = i == 0 ? hive.FindFirst(key) : hive.FindNext(key);
                EXPECT_EQ(sortKey(key, fold), sorted[i]->sortKey) << i;
                ids.insert(std::get<int64_t>(item));
                expectedIds.insert(sorted[i]->item);
            }
            EXPECT_EQ(ids, expectedIds);
            EXPECT_EQ((sorted.empty() ? hive.FindFirst(key) : hive.FindNext(key)).index(), 0u);
            expected = {{"GetNextNode", 2}};
        } else {
            hive.AllowDuplicate(!hive.AllowDuplicate());
            config.allowDuplicate = hive.AllowDuplicate();
        }

        ASSERT_EQ(errorsSince(hive, errorsBefore), expected) << "op " << op;
        ASSERT_EQ(hive.Count(), static_cast<int32_t>(model.size()));
        if (hive.Capacity() != 0) capacitiesSeen.insert(hive.Capacity());
        // The whole state after every step while the tree is small, every third step beyond.
        if (model.size() > 64 && step % 3 != 0) continue;
        ASSERT_EQ(hive.CheckInvariants(), "");
        for (int32_t p = 1; p <= hive.Count(); ++p) {
            if (idAt(hive, p) != model[p - 1].item || hive.Key(Position{p}) != model[p - 1].key)
                FAIL() << "position " << p << " differs from the model";
        }
    }
    EXPECT_EQ(capacitiesSeen, (std::set<int32_t>{100, 150, 225, 338, 507}));
}

INSTANTIATE_TEST_SUITE_P(Hive, HiveModelCheck,
                         ::testing::Values(ModelConfig{1, 1, false}, ModelConfig{2, 0, false}, ModelConfig{3, 1, true},
                                           ModelConfig{4, 0, true}),
                         [](const ::testing::TestParamInfo<ModelConfig>& info) {
                             const ModelConfig& c = info.param;
                             return "seed" + std::to_string(c.seed) + (c.compareMode ? "_text" : "_binary") +
                                    (c.allowDuplicate ? "_duplicates" : "_unique");
                         });

CHive hiveWith(std::initializer_list<HiveKey> keys, int32_t compareMode = 1) {
    CHive hive;
    hive.CompareMode(compareMode);
    int64_t id = 1;
    for (const HiveKey& key : keys) hive.Add(slotsFor(id++), {.Key = key});
    return hive;
}

TEST(Hive, FailuresAreRecordedOrRaisedAndChangeNothing) {
    struct Case {
        const char* what;
        std::function<void(CHive&)> call;
        std::vector<Err> recorded;
    };
    const Case cases[] = {
        {"Item at 0", [](CHive& h) { EXPECT_EQ(h.Item(Position{0}).index(), 0u); }, {{"GetIndex", 1}, {"Item", 2}}},
        {"Item5 at Count+1", [](CHive& h) { h.Item5(Position{4}); }, {{"GetIndex", 1}, {"Item", 2}}},
        {"Item of a missing key", [](CHive& h) { h.Item2(HiveKey("zz")); }, {{"FindNode", 2}, {"Item", 2}}},
        {"Item write to a missing key", [](CHive& h) { h.Item(HiveKey("zz"), 5); }, {{"FindNode", 2}}},
        {"Key at 0", [](CHive& h) { EXPECT_EQ(h.Key(Position{0}), HiveKey()); }, {{"Key[Read]", 1}}},
        {"Exist of a missing key", [](CHive& h) { EXPECT_FALSE(h.Exist(HiveKey(2.0))); }, {{"FindNode", 2}}},
        {"Exist at -1", [](CHive& h) { EXPECT_FALSE(h.Exist(Position{-1})); }, {{"GetIndex", 1}}},
        {"Remove at 4", [](CHive& h) { EXPECT_EQ(h.Remove(Position{4}), 0); }, {{"GetIndex", 1}, {"Remove", 1}}},
        {"Remove a missing key", [](CHive& h) { h.Remove(HiveKey("zz")); }, {{"FindNode", 2}, {"Remove", 1}}},
        {"integer key", [](CHive& h) { h.Add({}, {.Key = Position{7}}); }, {{"Add", 4}}},
        {"empty key", [](CHive& h) { h.Add({}, {.Key = HiveKey("")}); }, {{"Add", 256}}},
        {"duplicate key", [](CHive& h) { h.Add({}, {.Key = HiveKey("B")}); }, {{"Add", 8}}},
        {"duplicate before a bad anchor",
         [](CHive& h) { h.Add({}, {.Key = HiveKey("b"), .Before = Position{9}}); },
         {{"Add", 8}}},
        {"Before a bad position", [](CHive& h) { h.Add({}, {.Before = Position{9}}); }, {{"GetIndex", 1}, {"Add", 2}}},
        {"After a missing key", [](CHive& h) { h.Add({}, {.After = HiveKey("zz")}); }, {{"FindNode", 2}, {"Add", 2}}},
        {"enumeration past the end",
         [](CHive& h) {
             HiveKey key;
             h.FindFirst(key);
             h.FindNext(key);
             h.FindNext(key);
             EXPECT_EQ(h.FindNext(key).index(), 0u);
             EXPECT_EQ(key, HiveKey());
         },
         {{"GetNextNode", 2}}},
    };
    for (bool raise : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (raise ? ", raising" : ""));
            CHive hive = hiveWith({"a", "b", "c"});
            hive.RaiseError(raise);
            if (!raise) {
                c.call(hive);
                EXPECT_EQ(errorsSince(hive, 0), c.recorded);
            } else {
                try {
                    c.call(hive);
                    ADD_FAILURE() << "nothing raised";
                } catch (const HiveError& e) {
                    EXPECT_EQ(e.number(), numberOf(c.recorded[0].second));
                    EXPECT_EQ(e.source(), "CHive." + c.recorded[0].first);
                    EXPECT_EQ(e.description(), kTexts.at(c.recorded[0].second));
                }
                EXPECT_EQ(errorsSince(hive, 0), std::vector<Err>{c.recorded[0]}) << "recorded as well";
            }
            EXPECT_EQ(hive.Count(), 3);
            for (int32_t p = 1; p <= 3; ++p) EXPECT_EQ(idAt(hive, p), p);
            EXPECT_EQ(hive.CheckInvariants(), "");
            hive.Clear();
            EXPECT_EQ(hive.Errors().Count(), 0) << "Clear drops the errors";
        }
    }
}

TEST(Hive, KeysFollowTheCompareMode) {
    struct Case {
        int32_t mode;
        HiveKey stored[2];
        int32_t count;  // entries after adding both keys
        HiveKey lookup;
        int64_t found;  // id the lookup reaches, 0 for none
    };
    const Case cases[] = {
        {1, {"abc", "ABC"}, 1, "aBc", 1},
        {0, {"abc", "ABC"}, 2, "ABC", 2},
        {0, {"abc", "ABC"}, 2, "aBc", 0},
        {1, {"a\xC9", "A\xE9"}, 2, "a\xC9", 1},  // only ASCII letters fold
        {1, {2.5, "2.5"}, 2, 2.5, 1},
        {1, {Date{3}, 3.0}, 1, 3.0, 1},  // a date and a number of the same value are one key
        {1, {-0.0, 0.0}, 1, 0.0, 1},
        {1, {std::nan(""), -1e300}, 2, std::nan(""), 1},
    };
    for (const Case& c : cases) {
        CHive hive = hiveWith({c.stored[0], c.stored[1]}, c.mode);
        EXPECT_EQ(hive.Count(), c.count) << c.mode;
        EXPECT_EQ(hive.Exist(c.lookup), c.found != 0);
        if (c.found) {
            EXPECT_EQ(std::get<int64_t>(hive.Item(c.lookup)), c.found);
        }
    }
}

TEST(Hive, EnumerationIsInKeyOrder) {
    const std::vector<HiveKey> keys = {"beta", "Alpha", "gamma", "ALPHA2", "Delta", 2.5, Date{1}};
    const std::pair<int32_t, std::vector<HiveKey>> orders[] = {
        {1, {Date{1}, 2.5, "Alpha", "ALPHA2", "beta", "Delta", "gamma"}},
        {0, {Date{1}, 2.5, "ALPHA2", "Alpha", "Delta", "beta", "gamma"}},
    };
    for (const auto& [mode, expected] : orders) {
        CHive hive;
        hive.CompareMode(mode);
        for (size_t i = 0; i < keys.size(); ++i) hive.Add({int64_t(i)}, {.Key = keys[i]});
        std::vector<HiveKey> seen(1);
        for (const HiveValue* item = &hive.FindFirst(seen[0]); item->index() != 0; item = &hive.FindNext(seen.back())) {
            EXPECT_EQ(keys.at(std::get<int64_t>(*item)), seen.back());
            seen.emplace_back();
        }
        seen.pop_back();
        EXPECT_EQ(seen, expected) << "mode " << mode;

        for (const std::function<void()>& change : std::vector<std::function<void()>>{
                 [&] { hive.Add({}, {.Key = "zeta"}); }, [&] { hive.Remove(HiveKey("zeta")); }}) {
            HiveKey key;
            hive.FindFirst(key);
            change();
            EXPECT_EQ(hive.FindNext(key).index(), 0u) << "a change ends the enumeration";
        }
    }
}

TEST(Hive, EnumerationStackGrowsPastThirtyTwo) {
    // Keys added in descending order make the leftmost path the longest one,
    // and FindFirst stacks all of it: with 200,000 entries, more than 32 nodes.
    constexpr int32_t n = 200000;
    CHive hive;
    hive.Init(n, 1.5f);
    for (int32_t i = n; i >= 1; --i) hive.Add({}, {.Key = HiveKey(double(i))});
    EXPECT_GT(hive.Height(), 32);
    HiveKey key;
    hive.FindFirst(key);
    int32_t visited = 0;
    bool ordered = true;
    while (hive.Errors().Count() == 0) {
        ++visited;
        ordered = ordered && key == HiveKey(double(visited));
        hive.FindNext(key);
    }
    EXPECT_EQ(visited, n);
    EXPECT_TRUE(ordered);
}

TEST(Hive, StorageGrowsByHalfAndStartsOverAfterClear) {
    const std::pair<int32_t, float> growth[][2] = {
        {{100, 1.5f}, {150, 0}}, {{225, 1.5f}, {338, 0}}, {{338, 1.5f}, {507, 0}}, {{507, 1.5f}, {760, 0}},
        {{1, 1.5f}, {2, 0}},     {{3, 1.5f}, {4, 0}},     {{5, 1.5f}, {8, 0}},     {{10, 1.0f}, {11, 0}},
    };
    for (const auto& g : growth) EXPECT_EQ(GrownCapacity(g[0].first, g[0].second), g[1].first) << g[0].first;

    CHive hive;
    EXPECT_EQ(hive.Capacity(), 0);
    std::vector<int32_t> capacities;
    for (int64_t id = 1; id <= 600; ++id) {
        hive.Add(slotsFor(id), {.Key = "key" + std::to_string(id)});
        if (capacities.empty() || capacities.back() != hive.Capacity()) capacities.push_back(hive.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{100, 150, 225, 338, 507, 760}));
    for (int32_t p = 1; p <= 600; ++p) {
        ASSERT_EQ(hive.Key(Position{p}), HiveKey("key" + std::to_string(p)));
        ASSERT_EQ(std::get<int64_t>(hive.Item(HiveKey("KEY" + std::to_string(p)))), p);
    }
    EXPECT_EQ(hive.Clear(), 0);
    EXPECT_EQ(hive.Count(), 0);
    hive.Add({});
    EXPECT_EQ(hive.Capacity(), 100);

    hive.Init(2, 2.0f);
    for (int i = 0; i < 5; ++i) hive.Add({});
    EXPECT_EQ(hive.Capacity(), 8);
    EXPECT_EQ(hive.CheckInvariants(), "");
}

TEST(Hive, FreedNodesAreReusedLastFreedFirst) {
    CNode nodes;
    nodes.Init(3, 1.5f);
    std::vector<int32_t> handed;
    for (int i = 0; i < 4; ++i) handed.push_back(nodes.Alloc());
    nodes.Free(2);
    nodes.Free(4);
    for (int i = 0; i < 4; ++i) handed.push_back(nodes.Alloc());
    EXPECT_EQ(handed, (std::vector<int32_t>{1, 2, 3, 4, 4, 2, 5, 6}));
    EXPECT_EQ(nodes.Capacity(), 6);

    CHive hive = hiveWith({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    std::vector<int32_t> freed;
    for (const PositionOrKey& gone :
         {PositionOrKey(Position{5}), PositionOrKey(HiveKey("b")), PositionOrKey(Position{7})}) {
        std::set<int32_t> before;
        for (int32_t p = 1; p <= hive.Count(); ++p) before.insert(hive.NodeAt(Position{p}));
        hive.Remove(gone);
        for (int32_t p = 1; p <= hive.Count(); ++p) before.erase(hive.NodeAt(Position{p}));
        ASSERT_EQ(before.size(), 1u);
        freed.push_back(*before.begin());
    }
    for (int i = 3; i >= 0; --i) {
        hive.Add({});
        EXPECT_EQ(hive.NodeAt(Position{hive.Count()}), i > 0 ? freed[i - 1] : 11);
    }
}

TEST(Hive, PositionsStayDense) {
    CHive hive = hiveWith({"a", "b", "c", "d", "e"});
    EXPECT_EQ(hive.Remove(Position{3}), 3);
    EXPECT_EQ(hive.Remove(HiveKey("D")), 3);
    hive.Add(slotsFor(6), {.Key = "x", .Before = Position{1}});
    hive.Add(slotsFor(7), {.Key = "y", .After = HiveKey("b")});
    hive.Add(slotsFor(8), {.Key = "z", .Before = HiveKey("e"), .After = Position{1}});
    std::vector<int64_t> ids;
    for (int32_t p = 1; p <= hive.Count(); ++p) ids.push_back(idAt(hive, p));
    EXPECT_EQ(ids, (std::vector<int64_t>{6, 1, 2, 7, 8, 5}));

    // Removing an inner node (two children) moves its successor's entry into it.
    CHive big = hiveWith({"m", "f", "t", "c", "h", "p", "w"});
    const int32_t rootNode = big.NodeAt(Position{1});
    EXPECT_EQ(big.Remove(HiveKey("m")), 1);
    EXPECT_EQ(big.CheckInvariants(), "");
    for (const char* key : {"f", "t", "c", "h", "p", "w"}) EXPECT_TRUE(big.Exist(HiveKey(key))) << key;
    EXPECT_EQ(big.NodeAt(Position{5}), rootNode) << "p's entry now lives in the old root node";
    EXPECT_EQ(big.Key(Position{5}), HiveKey("p"));
}

TEST(Hive, SlotsKeepValuesAndShareObjects) {
    CHive hive;
    auto object = std::make_shared<std::string>("shared");
    hive.Add({"text", int64_t(7), 1.25, Date{45000.5}, ObjectRef(object), {}}, {.Key = "k"});
    EXPECT_EQ(std::get<ObjectRef>(hive.Item4(Position{1})).get(), object.get());
    EXPECT_EQ(hive.Item1(HiveKey("K")), HiveValue(int64_t(7)));
    EXPECT_EQ(hive.Item3(Position{1}), HiveValue(Date{45000.5}));
    hive.Item(HiveKey("k"), 2.0);
    EXPECT_EQ(hive.Item(Position{1}), HiveValue(2.0));
    EXPECT_EQ(hive.Item2(Position{1}), HiveValue(1.25)) << "a write touches slot Item only";
    EXPECT_EQ(hive.Item5(Position{1}).index(), 0u);
}

TEST(Hive, KeylessEntriesGetDistinctGuidKeys) {
    const std::regex form(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\})");
    CHive hive;
    std::set<std::string> keys;
    for (int64_t id = 1; id <= 5000; ++id) hive.Add({id});
    for (int32_t p = 1; p <= hive.Count(); ++p) {
        const std::string& key = *hive.Key(Position{p}).text();
        ASSERT_TRUE(std::regex_match(key, form)) << key;
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 5000u);
    EXPECT_EQ(idAt(hive, 1), 1);
    EXPECT_EQ(hive.Errors().Count(), 0);
}

}  // namespace
}  // namespace tw
