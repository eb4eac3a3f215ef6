#include "app/frm_tip.h"

#include "base/product.h"
#include "base/general.h"

#include <random>

namespace tw {

namespace {

std::vector<std::string> tipTexts() {
    return {
        "Welcome to Twinsweep! Pick a search engine: Byte to Byte compares every byte, CRC32 compares checksums, "
        "Same Name Files finds files that share a name, and Zero Size Files lists empty files.",
        "Byte to Byte is the safest engine: files are listed together only when every byte is the same.",
        "Same Name Files only compares names. Two files with one name can hold different data, so check them "
        "before you delete anything.",
        "Keep \"Send to Recycle Bin\" ticked in the File menu: deleted files then go to the trash, where you can "
        "restore them. Untick it only if you want files deleted permanently.",
        "The Mark Quick submenu of the Action menu marks files in one step, for instance every duplicate but the "
        "newest of each group.",
        "Right-click the result list for the Action menu of the file under the pointer.",
        "Double-click a file in the result list to open it with its usual program.",
        "Most commands have a shortcut key: F5 scans, F6 cancels, Ctrl+D marks all duplicates, Del deletes the "
        "marked files.",
        "Leave \"Protect Windows Folders\" ticked and \"Include Hidden Folders and Files\" unticked: system and "
        "hidden files are best left alone.",
        "Set a minimum and a maximum size for a search folder to skip tiny files and speed up the search.",
        "Turn on \"Show Picture Viewer\" to see a preview of the selected image file, so you can compare pictures "
        "before you mark them.",
        "If you mark every file of a group, Twinsweep warns you before it deletes or moves them, so that at least "
        "one copy survives.",
        "Save your search with Save Session, results included, to continue later where you left off.",
    };
}

double defaultRandom() {
    static std::mt19937 engine{std::random_device{}()};
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
}

}  // namespace

frmTip::frmTip(SettingsStore& settings, std::function<double()> random)
    : settings_(settings), random_(random ? std::move(random) : defaultRandom), tips_(tipTexts()) {
    showAtStartup_ = Val(settings_.GetSetting(settings::ShowTipsAtStartup)) == 1;
    cmdNextTip_Click();
}

void frmTip::cmdNextTip_Click() {
    double r = random_();
    if (!(r >= 0.0 && r < 1.0)) r = 0.0;
    size_t index = static_cast<size_t>(r * static_cast<double>(tips_.size()));
    tipText_ = tips_.at(std::min(index, tips_.size() - 1));
}

void frmTip::chkLoadTipsAtStartup_Click(bool ticked) {
    showAtStartup_ = ticked;
    settings_.SaveSetting(settings::ShowTipsAtStartup, ticked ? "1" : "0");
}

std::string frmAbout::caption() const { return "About " + std::string(ProductName); }

std::string frmAbout::versionText() const { return "Version " + std::string(ProductVersion); }

std::string frmAbout::description() const {
    return std::string(ProductName) +
           " finds duplicate files in your folders and helps you remove them safely: to the trash, "
           "to another folder, or by renaming.";
}

}  // namespace tw
