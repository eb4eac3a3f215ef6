#pragma once
// Every section, key and default of the settings store, in one place.

#include <string_view>

namespace tw {

struct SettingKey {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
};

namespace settings {

inline constexpr SettingKey WindowWidth{"WindowSize", "W", "12000"};
inline constexpr SettingKey WindowHeight{"WindowSize", "H", "8000"};
inline constexpr SettingKey WindowTop{"WindowSize", "T", "0"};
inline constexpr SettingKey WindowLeft{"WindowSize", "L", "0"};

inline constexpr SettingKey PicWindowWidth{"PicWindowSize", "W", "2000"};
inline constexpr SettingKey PicWindowHeight{"PicWindowSize", "H", "2500"};
inline constexpr SettingKey PicWindowTop{"PicWindowSize", "T", "2500"};
inline constexpr SettingKey PicWindowLeft{"PicWindowSize", "L", "9000"};

inline constexpr SettingKey Display{"Options", "Display", "10"};
inline constexpr SettingKey RecycleBin{"Options", "RecycleBin", "12"};
inline constexpr SettingKey ShowTipsAtStartup{"Options", "Show Tips at Startup", "1"};
inline constexpr SettingKey MinFileSize{"Options", "MinFileSize", "10"};
inline constexpr SettingKey MaxFileSize{"Options", "MaxFileSize", ""};
inline constexpr SettingKey ChkClose{"Options", "ChkClose", "1"};

inline constexpr SettingKey FileMaskSelected{"FileMaskSelected", "Value", "All files(*.*)"};
// The user's own masks, stored under "0", "1", ... and read with EnumerateSection.
inline constexpr std::string_view FileMaskSection = "FileMask";

inline constexpr SettingKey ExportFormat{"Export", "ExportFormat", "2"};
inline constexpr SettingKey ExportChar{"Export", "ExportChar", "2"};
inline constexpr SettingKey ExportType{"Export", "ExportType", "1"};
inline constexpr SettingKey ExportOpenFile{"Export", "OpenFile", "1"};

inline constexpr SettingKey AdvDateTime{"AdvMarking", "DateTime", "1"};
inline constexpr SettingKey AdvFileSize{"AdvMarking", "FileSize", "0"};
inline constexpr SettingKey AdvVersion{"AdvMarking", "Version", "0"};
inline constexpr SettingKey AdvSizeLimit{"AdvMarking", "SizeLimit", "0"};
inline constexpr SettingKey AdvTxtSize{"AdvMarking", "txtSize", ""};
inline constexpr SettingKey AdvSizeOptions{"AdvMarking", "cmbSizeOptions", "KB"};
inline constexpr SettingKey AdvFileMask1{"AdvMarking", "cmbFileMask1", "All files(*.*)"};
inline constexpr SettingKey AdvIncSubFolders{"AdvMarking", "chkIncSubFolders", "1"};
inline constexpr SettingKey AdvFileMask2{"AdvMarking", "cmbFileMask2", "All files(*.*)"};

}  // namespace settings
}  // namespace tw
