#include "results/size_text.h"
#include "results/sort_strings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace tw {
namespace {

TEST(FormatSize, UnitsAndRounding) {
    struct Case {
        double bytes;
        const char* text;
    } cases[] = {
        {0, "0 Bytes"},          {1023, "1023 Bytes"},       {1023.9, "1023 Bytes"},
        {1024, "1.00 KB"},       {1536, "1.50 KB"},          {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"},    {1572864, "1.50 MB"},       {1073741824, "1.00 GB"},
        {5.5e12, "5122.27 GB"},  {std::nan(""), "0 Bytes"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatSize(c.bytes), c.text) << c.bytes;
}

TEST(GetExtension, TextAfterTheLastDot) {
    EXPECT_EQ(GetExtension("archive.tar.GZ"), "GZ");
    EXPECT_EQ(GetExtension("README"), "");
    EXPECT_EQ(GetExtension(".bashrc"), "bashrc");
    EXPECT_EQ(GetExtension("trailing."), "");
}

TEST(SortStrings, TextualOrderAndTieOrder) {
    std::vector<std::string> letters = {"b", "A", "a", "B"};
    SortStrings(letters, true, false);
    EXPECT_EQ(letters, (std::vector<std::string>{"A", "a", "b", "B"})) << "equal forms keep insertion order";
    SortStrings(letters, false, false);
    EXPECT_EQ(CompareText(letters[0], "b"), 0);
    EXPECT_EQ(CompareText(letters[3], "a"), 0);

    std::vector<std::string> binary = {"b", "A", "a", "B"};
    SortStrings(binary, true, true);
    EXPECT_EQ(binary, (std::vector<std::string>{"A", "B", "a", "b"}));

    std::vector<std::string> one = {"x"};
    SortStrings(one, true, false);
    EXPECT_EQ(one, std::vector<std::string>{"x"});
}

TEST(SortStrings, LargeRandomArraysEndUpOrdered) {
    std::mt19937 random(7);
    for (size_t size : {61u, 62u, 500u, 4000u}) {
        for (bool ascending : {true, false}) {
            std::vector<std::string> items(size);
            for (auto& item : items) item = std::to_string(random() % 300) + (random() % 2 ? "x" : "X");
            auto expected = items;
            SortStrings(items, ascending, false);
            std::sort(expected.begin(), expected.end(), [&](const std::string& a, const std::string& b) {
                return ascending ? CompareText(a, b) < 0 : CompareText(a, b) > 0;
            });
            ASSERT_EQ(items.size(), expected.size());
            for (size_t i = 0; i < items.size(); ++i)
                ASSERT_EQ(CompareText(items[i], expected[i]), 0) << size << " at " << i;
            EXPECT_TRUE(std::is_permutation(items.begin(), items.end(), expected.begin()));
        }
    }
}

TEST(SortStrings, SortsARangeOfRecordsWithTheirOwnComparison) {
    struct Record {
        int key;
        char tag;
    };
    std::vector<Record> records = {{0, '-'}, {3, 'a'}, {1, 'b'}, {3, 'c'}, {2, 'd'}};
    SortStrings(records, 1, records.size() - 1, true,
                [](const Record& a, const Record& b) { return a.key < b.key ? -1 : a.key > b.key ? 1 : 0; });
    std::string tags;
    for (const Record& r : records) tags += r.tag;
    EXPECT_EQ(tags, "-bdac") << "element 0 stays; equal keys keep their order in small ranges";
}

}  // namespace
}  // namespace tw
