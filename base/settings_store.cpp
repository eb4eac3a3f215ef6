#include "base/settings_store.h"

#include "platform/file_system.h"
#include "platform/user_dirs.h"

#include <algorithm>

namespace tw {

namespace {

struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
};

using Document = std::vector<Section>;

// Backslash escapes keep every value on one line and every key clear of "=":
// "\\", "\n", "\r", and in keys "\=". A key that would start like a section
// header or a comment gets a leading backslash.
std::string escape(std::string_view text, bool isKey) {
    std::string out;
    out.reserve(text.size());
    if (isKey && !text.empty() && (text[0] == '[' || text[0] == ';' || text[0] == '#')) out += '\\';
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '=':
            out += isKey ? "\\=" : "=";
            break;
        default: out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

// The position of the first "=" that is not escaped, or npos.
size_t keySeparator(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') ++i;
        else if (line[i] == '=') return i;
    }
    return std::string_view::npos;
}

Document parse(std::string_view text) {
    Document document;
    Section* current = nullptr;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.size() < 2 || line.back() != ']') {
                current = nullptr;  // a broken header: its values have no section
                continue;
            }
            std::string name(line.substr(1, line.size() - 2));
            auto found = std::find_if(document.begin(), document.end(),
                                      [&](const Section& s) { return s.name == name; });
            current = found != document.end() ? &*found : &document.emplace_back(Section{name, {}});
            continue;
        }
        size_t separator = keySeparator(line);
        if (current == nullptr || separator == std::string_view::npos || separator == 0) continue;
        std::string key = unescape(line.substr(0, separator));
        std::string value = unescape(line.substr(separator + 1));
        auto existing = std::find_if(current->values.begin(), current->values.end(),
                                     [&](const auto& entry) { return entry.first == key; });
        if (existing != current->values.end()) existing->second = std::move(value);
        else current->values.emplace_back(std::move(key), std::move(value));
    }
    return document;
}

std::string render(const Document& document) {
    std::string out;
    for (const Section& section : document) {
        if (section.values.empty()) continue;
        out += '[' + section.name + "]\n";
        for (const auto& [key, value] : section.values) out += escape(key, true) + '=' + escape(value, false) + '\n';
        out += '\n';
    }
    return out;
}

Document load(const std::string& path) {
    auto text = platform::readWholeFile(path);
    return text ? parse(*text) : Document{};
}

const Section* findSection(const Document& document, std::string_view name) {
    auto found = std::find_if(document.begin(), document.end(), [&](const Section& s) { return s.name == name; });
    return found == document.end() ? nullptr : &*found;
}

bool validSectionName(std::string_view name) {
    return !name.empty() && name.find_first_of("]\r\n") == std::string_view::npos;
}

}  // namespace

SettingsStore::SettingsStore(std::string iniPath) : iniPath_(std::move(iniPath)) {}

std::string SettingsStore::GetSetting(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    Document document = load(iniPath_);
    if (const Section* found = findSection(document, section)) {
        for (const auto& [name, value] : found->values)
            if (name == key) return value;
    }
    return std::string(defaultValue);
}

std::string SettingsStore::GetSetting(const SettingKey& key) const {
    return GetSetting(key.section, key.key, key.defaultValue);
}

bool SettingsStore::SaveSetting(std::string_view section, std::string_view key, std::string_view value) {
    if (!validSectionName(section) || key.empty()) return false;
    Document document = load(iniPath_);
    auto found = std::find_if(document.begin(), document.end(), [&](const Section& s) { return s.name == section; });
    Section& target = found != document.end() ? *found : document.emplace_back(Section{std::string(section), {}});
    auto existing = std::find_if(target.values.begin(), target.values.end(),
                                 [&](const auto& entry) { return entry.first == key; });
    if (existing != target.values.end()) existing->second = std::string(value);
    else target.values.emplace_back(std::string(key), std::string(value));
    return platform::writeFileAtomically(iniPath_, render(document));
}

bool SettingsStore::SaveSetting(const SettingKey& key, std::string_view value) {
    return SaveSetting(key.section, key.key, value);
}

bool SettingsStore::DeleteSetting(std::string_view section) {
    Document document = load(iniPath_);
    auto removed = std::erase_if(document, [&](const Section& s) { return s.name == section; });
    if (removed == 0) return true;
    return platform::writeFileAtomically(iniPath_, render(document));
}

std::vector<std::pair<std::string, std::string>> SettingsStore::EnumerateSection(std::string_view section) const {
    Document document = load(iniPath_);
    const Section* found = findSection(document, section);
    return found ? found->values : std::vector<std::pair<std::string, std::string>>{};
}

std::string defaultSettingsPath() { return platform::configFolder() + "/settings.ini"; }

}  // namespace tw
