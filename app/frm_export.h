#pragma once
// The export wizard ("Export Wizard"): page 1 picks the format, the rows and
// whether to open the file afterwards; page 2 the output file and, for
// delimited text, the field delimiter. "Export" writes the document and the
// wizard stays open until the user closes it. Its choices are kept in the
// settings section "Export".

#include "base/bug_frm.h"
#include "base/settings_store.h"
#include "base/ui_port.h"
#include "persist/export_document.h"
#include "results/result_list.h"

#include <functional>
#include <string>
#include <string_view>

namespace tw {

class frmExport : public DialogModel {
public:
    static constexpr std::string_view Caption = "Export Wizard";
    static constexpr std::string_view NextCaption = "Next >";
    static constexpr std::string_view ExportCaption = "Export";
    static constexpr std::string_view BackCaption = "< Back";
    static constexpr std::string_view CancelCaption = "Cancel";
    static constexpr std::string_view OpenAfterCaption = "Open file after export";
    static constexpr std::string_view FormatFrameCaption = "Export Format ";
    static constexpr std::string_view XmlCaption = "XML (Extensible Markup Language)";
    static constexpr std::string_view HtmlCaption = "HTML (webpage)";
    static constexpr std::string_view DelimitedCaption = "Delimited Text File (for database or spreadsheets)";
    static constexpr std::string_view RowsFrameCaption = "Files to export ";
    static constexpr std::string_view MarkedCaption = "Mark Files Only";
    static constexpr std::string_view AllCaption = "All Files";
    static constexpr std::string_view SelectedCaption = "Selected Files Only";
    static constexpr std::string_view OutputFrameCaption = "Output File Name";
    static constexpr std::string_view DelimiterFrameCaption = "Field Delimeter ";
    static constexpr std::string_view TabCaption = "TAB";
    static constexpr std::string_view CommaCaption = "Comma";
    static constexpr std::string_view SemicolonCaption = "Semi-colen";
    static constexpr std::string_view OtherCaption = "Other Character String";
    static constexpr std::string_view WebpageCaption = "Webpage";
    static constexpr std::string_view ProgressCaption = "Progress....";
    // Page 2 is shown at page 1's left edge, this far above page 1's top.
    static constexpr int Page2RaiseTwips = 90;

    // The delimiter options of page 2; None when none of the four is chosen.
    enum class Delimiter { None = 0, Tab = 1, Comma = 2, Semicolon = 3, Other = 4 };
    // Where the focus is put by the wizard.
    enum class Focus { None, TxtPath };

    // Loads the wizard: the settings of section "Export" go into the controls.
    // statusPanels(n) gives the main window's status panel n (for the HTML summary);
    // endSound is the path of "end.wav".
    frmExport(SettingsStore& settings, UiPort& ui, ErrorReporter& reporter, const ResultList& list,
              std::function<std::string(int)> statusPanels, std::string endSound);

    std::string_view dialogName() const override { return "frmExport"; }

    // ---- State the view shows ----
    int page() const { return page_; }  // 1 or 2
    bool openafter() const { return openAfter_; }
    ExportFormat format() const { return format_; }
    ExportRows rows() const { return rows_; }
    Delimiter delimiter() const { return delimiter_; }
    bool webpageSelected() const { return webpageSelected_; }
    bool delimiterOptionsEnabled() const { return delimiterOptionsEnabled_; }  // the four options
    bool webpageEnabled() const { return webpageEnabled_; }
    bool txtOtherEnabled() const { return txtOtherEnabled_; }
    const std::string& txtPath() const { return txtPath_; }
    const std::string& txtOther() const { return txtOther_; }
    bool txtPathLightRed() const { return txtPathLightRed_; }  // background RGB 255, 192, 192
    std::string_view btnCaption() const { return page_ == 1 ? NextCaption : ExportCaption; }
    bool btnEnabled() const { return btnEnabled_; }
    bool Command1Enabled() const { return backEnabled_; }  // "< Back"
    size_t PBMax() const { return progressMax_; }
    size_t PBValue() const { return progressValue_; }
    Focus focus() const { return focus_; }
    bool closed() const { return closed_; }

    // ---- The user's actions ----
    void setOpenafter(bool ticked) { openAfter_ = ticked; }
    void setFormat(ExportFormat format) { format_ = format; }
    void setRows(ExportRows rows) { rows_ = rows; }
    void setDelimiter(Delimiter option);  // also enables or disables txtOther
    void setTxtPath(std::string text) { txtPath_ = std::move(text); }
    void setTxtOther(std::string text) { txtOther_ = std::move(text); }

    void btn_Click();       // "Next >" on page 1, "Export" on page 2
    void Command1_Click();  // "< Back"
    void Command2_Click();  // "Cancel": saves the settings and closes
    void cmdAdd_Click();    // browse for the output file
    // The wizard closed any way (close box included): saves the settings.
    void Form_Unload();

    // The delimiter text the chosen option stands for: a tab for "TAB".
    std::string delimiterText() const;

    // Called whenever PBValue changes while a document is built, so the view can repaint.
    std::function<void()> progressChanged;

private:
    void loadSettings();
    void saveSettings();
    void showPage2();
    void runExport();

    SettingsStore& settings_;
    UiPort& ui_;
    ErrorReporter& reporter_;
    const ResultList& list_;
    std::function<std::string(int)> statusPanels_;
    std::string endSound_;

    int page_ = 1;
    bool openAfter_ = true;
    ExportFormat format_ = ExportFormat::Xml;
    ExportRows rows_ = ExportRows::All;
    Delimiter delimiter_ = Delimiter::None;
    bool webpageSelected_ = false;
    bool delimiterOptionsEnabled_ = true;
    bool webpageEnabled_ = false;
    bool txtOtherEnabled_ = true;
    std::string txtPath_;
    std::string txtOther_;
    bool txtPathLightRed_ = false;
    bool btnEnabled_ = true;
    bool backEnabled_ = false;
    size_t progressMax_ = 0;
    size_t progressValue_ = 0;
    Focus focus_ = Focus::None;
    bool closed_ = false;
};

}  // namespace tw
