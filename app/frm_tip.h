#pragma once
// The tip of the day window and the about box.

#include "base/settings_store.h"
#include "base/ui_port.h"

#include <functional>
#include <string>
#include <vector>

namespace tw {

class frmTip : public DialogModel {
public:
    // random() gives a uniform number in [0, 1); the default uses a seeded engine.
    explicit frmTip(SettingsStore& settings, std::function<double()> random = {});

    std::string_view dialogName() const override { return "frmTip"; }

    static constexpr std::string_view Caption = "Tip of the Day";
    static constexpr std::string_view NextTipCaption = "&Next Tip";
    static constexpr std::string_view ShowTipsCaption = "&Show Tips at Startup";

    const std::string& lblTipText() const { return tipText_; }
    bool chkLoadTipsAtStartup() const { return showAtStartup_; }
    const std::vector<std::string>& tips() const { return tips_; }

    void cmdNextTip_Click();
    // Saved at once, not when the window closes.
    void chkLoadTipsAtStartup_Click(bool ticked);

private:
    SettingsStore& settings_;
    std::function<double()> random_;
    std::vector<std::string> tips_;
    std::string tipText_;
    bool showAtStartup_;
};

class frmAbout : public DialogModel {
public:
    std::string_view dialogName() const override { return "frmAbout"; }
    std::string caption() const;
    std::string versionText() const;
    std::string description() const;
};

}  // namespace tw
