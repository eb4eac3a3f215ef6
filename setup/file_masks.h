#pragma once
// The list of file masks the folder dialog offers: the user's own list kept in
// the settings, or the presets while the user has none.

#include "base/settings_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr std::string_view AllFilesMask = "All files(*.*)";

// The double blanks in some texts belong to them.
inline constexpr std::array<std::string_view, 10> FileMaskPresets = {
    "All files(*.*)",
    "Documents(*.doc *.pdf *.rtf *.xls *.ppt)",
    "File archive (*.zip *.cab *.arc *.arj *.rar *.jar)",
    "Images  (*.bmp *.gif *.jpg *.jpeg *.pcx *.png *.psd *.tif *.wmf)",
    "Music files (*.mpa *.mp2 *.mp3 *.wma *.rm *.wav *.mid *.midi *.aif *.aiff *.au *.rmi *.snd *.ogg)",
    "Program files (*.exe *.dll *.com *.sys *.ocx *.vbx *.bat *.msi)",
    "Program source (*.asm *.c *.cpp *.css *.h *.bas *.vba *.dpr *.dfm *.inc *.pas *.js *.java)",
    "Text files  (*.txt *.bak)",
    "Video clips (*.avi *.mov *.mpg *.m1v *.mpeg *.mp4 *.divx *.qt *.wm *.wmv)",
    "Web pages  (*.htm *.html *.php *.asp *.xml)",
};

// The user's masks in stored order, or nothing when the settings hold no mask
// list. Blank values and repeats of an earlier value are skipped.
std::optional<std::vector<std::string>> ReadFileMasks(const SettingsStore& settings);

// Replaces the stored list: the section is removed, then every mask is written
// under its position ("0", "1", ...), so no value of a longer old list stays.
void StoreFileMasks(SettingsStore& settings, const std::vector<std::string>& masks);

// The presets as a list.
std::vector<std::string> PresetFileMasks();

}  // namespace tw
