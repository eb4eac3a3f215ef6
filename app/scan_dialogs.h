#pragma once
// The two small windows of a scan: the too-many-files warning and the
// explanation of fuzzy matching.

#include "base/ui_port.h"

#include <cstdint>
#include <string>

namespace tw {

class frmTooManyFiles : public DialogModel {
public:
    explicit frmTooManyFiles(int64_t filesScanned) : filesScanned_(filesScanned) {}
    std::string_view dialogName() const override { return "frmTooManyFiles"; }

    std::string caption() const { return "Warning"; }
    std::string lblTitle() const {
        return "You are about to scan a collection of too many files, total " + std::to_string(filesScanned_) +
               " files.";
    }
    std::string lblWarning() const { return "You are warned that it may resulted in errors."; }
    std::string lblContinue() const { return "To continue, click OK; to stop, click Cancel."; }
    std::string lblRecommendationTitle() const { return "Recommendation:"; }
    std::string lblRecommendation() const {
        return "To reduce the number of files in a single search, you can set the min. file size, say 10 KB, as you "
               "probably don't interest in some small files. You can also exclude some folders.";
    }

    void cmdOK_Click() { Result = true; }
    void cmdCancel_Click() { Result = false; }
    // OK continues the scan; closing the window any other way stops it.
    bool Result = false;

private:
    int64_t filesScanned_;
};

class FuzzyFrm : public DialogModel {
public:
    std::string_view dialogName() const override { return "FuzzyFrm"; }
    std::string caption() const { return "Fuzzy  match"; }
    std::string lblExplanation() const {
        return "Fuzzy match tolerate files with little difference. File transmission errors over network can be "
               "ignored in this mode. Files downloaded by P2P program e.g. eMule/Kazaa may contain this kind of "
               "files. (see example below)";
    }
};

// The stopwatch's text for a number of seconds: "00:00:07", "00:03:07", "01:05:07".
std::string ElapsedText(int64_t seconds);

}  // namespace tw
