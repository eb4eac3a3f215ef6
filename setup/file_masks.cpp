#include "setup/file_masks.h"

#include <algorithm>

namespace tw {

namespace {

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::optional<std::vector<std::string>> ReadFileMasks(const SettingsStore& settings) {
    auto values = settings.EnumerateSection(settings::FileMaskSection);
    if (values.empty()) return std::nullopt;
    std::vector<std::string> masks;
    for (auto& [name, mask] : values) {
        if (isBlank(mask) || std::find(masks.begin(), masks.end(), mask) != masks.end()) continue;
        masks.push_back(std::move(mask));
    }
    return masks;
}

void StoreFileMasks(SettingsStore& settings, const std::vector<std::string>& masks) {
    settings.DeleteSetting(settings::FileMaskSection);
    for (size_t i = 0; i < masks.size(); ++i)
        settings.SaveSetting(settings::FileMaskSection, std::to_string(i), masks[i]);
}

std::vector<std::string> PresetFileMasks() { return {FileMaskPresets.begin(), FileMaskPresets.end()}; }

}  // namespace tw
