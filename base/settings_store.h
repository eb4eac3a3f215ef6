#pragma once
// The per-user settings: text values grouped in sections, kept in an INI file.
// Nothing is cached: every read looks at the file, every write replaces it
// atomically, so two dialogs never see different values. A missing file,
// section or key gives the caller's default; a malformed line is skipped; an
// unwritable folder means settings are not kept, and the program goes on.

#include "base/settings_keys.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

class SettingsStore {
public:
    explicit SettingsStore(std::string iniPath);

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    std::string GetSetting(const SettingKey& key) const;

    // False when the file could not be written.
    bool SaveSetting(std::string_view section, std::string_view key, std::string_view value);
    bool SaveSetting(const SettingKey& key, std::string_view value);

    // Removes the section with all its values.
    bool DeleteSetting(std::string_view section);

    // The section's (name, value) pairs in stored order; empty when absent.
    std::vector<std::pair<std::string, std::string>> EnumerateSection(std::string_view section) const;

    const std::string& path() const { return iniPath_; }

private:
    std::string iniPath_;
};

// The settings file of this user: $XDG_CONFIG_HOME/twinsweep/settings.ini.
std::string defaultSettingsPath();

}  // namespace tw
