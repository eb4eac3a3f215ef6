#include "base/settings_store.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

namespace tw {
namespace {

TEST(SettingsStore, FirstRunGivesEveryDefault) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.ini");
    for (const SettingKey* key : {&settings::WindowWidth, &settings::WindowHeight, &settings::WindowTop,
                                  &settings::WindowLeft, &settings::Display, &settings::RecycleBin,
                                  &settings::ShowTipsAtStartup, &settings::MinFileSize, &settings::MaxFileSize,
                                  &settings::FileMaskSelected})
        EXPECT_EQ(store.GetSetting(*key), key->defaultValue) << key->section << "/" << key->key;
    EXPECT_TRUE(store.EnumerateSection(settings::FileMaskSection).empty());
    EXPECT_FALSE(platform::isRegularFile(store.path())) << "reading must not create the file";
}

TEST(SettingsStore, ValuesRoundTripWhateverTheyHold) {
    test::TempDir dir;
    SettingsStore store(dir / "sub/folder/settings.ini");
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "12000"},
        {"empty", ""},
        {"blanks", "  both ends  "},
        {"separators", "a=b;c[d]"},
        {"lines", "one\r\ntwo\nthree\\n"},
        {"[looks like a section", "x"},
        {"key=with=equals", "; not a comment"},
        {"bytes", std::string("\xff\xfe caf\xc3\xa9", 9)},
    };
    for (const auto& [key, value] : cases) ASSERT_TRUE(store.SaveSetting("Section", key, value));
    SettingsStore reread(store.path());
    for (const auto& [key, value] : cases) EXPECT_EQ(reread.GetSetting("Section", key, "?"), value) << key;
    EXPECT_EQ(reread.EnumerateSection("Section").size(), std::size(cases));
}

TEST(SettingsStore, EnumerationKeepsStoredOrderAndRewriteDropsStaleValues) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.ini");
    for (int i = 0; i < 5; ++i) store.SaveSetting("FileMask", std::to_string(i), "mask" + std::to_string(i));
    store.SaveSetting("Options", "Display", "9");
    store.SaveSetting("FileMask", "2", "changed");
    auto masks = store.EnumerateSection("FileMask");
    ASSERT_EQ(masks.size(), 5u);
    EXPECT_EQ(masks[2], (std::pair<std::string, std::string>{"2", "changed"}));

    ASSERT_TRUE(store.DeleteSetting("FileMask"));
    store.SaveSetting("FileMask", "0", "*.mp3;");
    store.SaveSetting("FileMask", "1", "*.jpg;");
    masks = store.EnumerateSection("FileMask");
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_EQ(masks[0].first, "0");
    EXPECT_EQ(masks[1].second, "*.jpg;");
    EXPECT_EQ(store.GetSetting(settings::Display), "9") << "other sections survive the delete";
    EXPECT_TRUE(store.DeleteSetting("NoSuchSection"));
}

TEST(SettingsStore, MalformedLinesAreSkipped) {
    test::TempDir dir;
    std::string path = dir.writeFile("settings.ini",
                                     "orphan=before any section\n"
                                     "[Options\n"
                                     "Display=9\n"
                                     "[WindowSize]\r\n"
                                     "W=15000\r\n"
                                     "no separator here\n"
                                     "=no key\n"
                                     "; comment\n"
                                     "\x01\x02\xff garbage\n"
                                     "H=9000");
    SettingsStore store(path);
    EXPECT_EQ(store.GetSetting(settings::WindowWidth), "15000");
    EXPECT_EQ(store.GetSetting(settings::WindowHeight), "9000");
    EXPECT_EQ(store.GetSetting(settings::Display), "10") << "value under a broken header is ignored";
    EXPECT_EQ(store.EnumerateSection("WindowSize").size(), 2u);
}

TEST(SettingsStore, UnwritableFolderKeepsWorkingWithDefaults) {
    test::TempDir dir;
    // A plain file where the folder should be: not even root can write below it.
    std::string blocker = dir.writeFile("not-a-folder", "x");
    SettingsStore store(blocker + "/settings.ini");
    EXPECT_FALSE(store.SaveSetting(settings::Display, "9"));
    EXPECT_EQ(store.GetSetting(settings::Display), "10");
}

TEST(SettingsStore, WriteReplacesTheFileAtomically) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.ini");
    store.SaveSetting(settings::WindowWidth, "13000");
    // A write that cannot finish (the target is a folder) leaves the old file and no temporary behind.
    SettingsStore blocked(dir.makeFolder("settings.ini.d"));
    EXPECT_FALSE(blocked.SaveSetting(settings::WindowWidth, "1"));
    EXPECT_EQ(store.GetSetting(settings::WindowWidth), "13000");
    auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(entries, 2) << "settings.ini and the folder, no temporary left";
}

}  // namespace
}  // namespace tw
