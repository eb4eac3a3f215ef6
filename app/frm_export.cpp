#include "app/frm_export.h"

#include "base/app_error.h"
#include "base/date_text.h"
#include "base/general.h"
#include "base/procedure.h"
#include "platform/clock.h"
#include "platform/file_system.h"

#include <cerrno>

namespace tw {

namespace {

constexpr std::string_view NoDuplicatesMessage =
    "No duplicate file has been found!\r\n"
    "First you must perform a search and find at least one duplicate file.";
constexpr std::string_view NoOutputFileMessage = "Output filename not specified";
constexpr std::string_view FileOpenMessage = "File is already open please close it and proceed.";
constexpr std::string_view NoAssociationMessage = "There is no program associated with the specified type of file.";

// Building a large document shows its progress and lets the window take clicks this often.
constexpr size_t RowsBetweenYields = 500;

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string errorLabel(ExportFormat format) {
    switch (format) {
    case ExportFormat::Html: return "Exporting HTML";
    case ExportFormat::Xml: return "Exporting XML";
    case ExportFormat::Delimited: return "Exporting CSV";
    }
    return "Exporting CSV";
}

struct SaveDialogText {
    std::string filter;
    std::string title;
};

SaveDialogText saveDialogText(ExportFormat format) {
    switch (format) {
    case ExportFormat::Html: return {"Webpage(*.htm)|*.htm", "Export Location"};
    case ExportFormat::Xml: return {"XML(*.xml)|*.xml", "Export Location"};
    case ExportFormat::Delimited: return {"Delimited Format(*.csv)|*.csv", "Export Locations"};
    }
    return {"Delimited Format(*.csv)|*.csv", "Export Locations"};
}

}  // namespace

frmExport::frmExport(SettingsStore& settings, UiPort& ui, ErrorReporter& reporter, const ResultList& list,
                     std::function<std::string(int)> statusPanels, std::string endSound)
    : settings_(settings),
      ui_(ui),
      reporter_(reporter),
      list_(list),
      statusPanels_(std::move(statusPanels)),
      endSound_(std::move(endSound)) {
    loadSettings();
}

void frmExport::loadSettings() {
    double type = Val(settings_.GetSetting(settings::ExportType));
    if (type == 2) rows_ = ExportRows::Marked;
    else if (type == 3) rows_ = ExportRows::Selected;
    else rows_ = ExportRows::All;

    double format = Val(settings_.GetSetting(settings::ExportFormat));
    if (format == 1) format_ = ExportFormat::Html;
    else if (format == 2) format_ = ExportFormat::Xml;
    else format_ = ExportFormat::Delimited;

    openAfter_ = Val(settings_.GetSetting(settings::ExportOpenFile)) != 0;
}

void frmExport::saveSettings() {
    settings_.SaveSetting(settings::ExportType, std::to_string(static_cast<int>(rows_)));
    settings_.SaveSetting(settings::ExportFormat, std::to_string(static_cast<int>(format_)));
    settings_.SaveSetting(settings::ExportOpenFile, openAfter_ ? "1" : "0");
    if (delimiter_ != Delimiter::None)
        settings_.SaveSetting(settings::ExportChar, std::to_string(static_cast<int>(delimiter_)));
}

void frmExport::setDelimiter(Delimiter option) {
    delimiter_ = option;
    if (option == Delimiter::None) return;
    webpageSelected_ = false;
    txtOtherEnabled_ = option == Delimiter::Other;
}

void frmExport::btn_Click() {
    if (!btnEnabled_) return;
    if (page_ == 1) {
        if (list_.empty()) {
            ui_.showMessage({std::string(NoDuplicatesMessage), "Error", Buttons::Ok, Icon::Critical});
            return;
        }
        showPage2();
        return;
    }
    if (isBlank(txtPath_)) {
        focus_ = Focus::TxtPath;
        txtPathLightRed_ = true;
        ui_.showMessage({std::string(NoOutputFileMessage), "Error", Buttons::Ok, Icon::None});
        return;
    }
    btnEnabled_ = false;
    runExport();
}

void frmExport::showPage2() {
    page_ = 2;
    backEnabled_ = true;
    switch (format_) {
    case ExportFormat::Html:
        delimiterOptionsEnabled_ = false;
        webpageEnabled_ = true;
        delimiter_ = Delimiter::None;
        webpageSelected_ = true;
        break;
    case ExportFormat::Xml:
        delimiterOptionsEnabled_ = false;
        webpageEnabled_ = false;
        webpageSelected_ = false;
        break;
    case ExportFormat::Delimited: {
        delimiterOptionsEnabled_ = true;
        webpageEnabled_ = false;
        webpageSelected_ = false;
        double stored = Val(settings_.GetSetting(settings::ExportChar));
        if (stored == 1 || stored == 2 || stored == 3 || stored == 4)
            setDelimiter(static_cast<Delimiter>(static_cast<int>(stored)));
        else delimiter_ = Delimiter::None;
        break;
    }
    }
}

void frmExport::Command1_Click() {
    page_ = 1;
    btnEnabled_ = true;
    backEnabled_ = false;
}

void frmExport::Command2_Click() {
    saveSettings();
    closed_ = true;
}

void frmExport::Form_Unload() { saveSettings(); }

void frmExport::cmdAdd_Click() {
    SaveDialogText text = saveDialogText(format_);
    txtPath_ = ui_.showSaveDialog(text.filter, text.title, "", "");
}

std::string frmExport::delimiterText() const {
    switch (delimiter_) {
    case Delimiter::Tab: return "\t";
    case Delimiter::Comma: return ",";
    case Delimiter::Semicolon: return ";";
    case Delimiter::Other:
    case Delimiter::None: return txtOther_;
    }
    return txtOther_;
}

void frmExport::runExport() {
    if (isBlank(txtPath_)) {
        focus_ = Focus::TxtPath;
        return;
    }
    Procedure proc(reporter_, errorLabel(format_));
    // A refusal is what the user can fix (the file is held or protected); any
    // other failure is unexpected and goes to the bug report.
    bool refused = false;
    auto fail = [&](int error) {
        AppError failure = OsError(error, txtPath_);
        if (failure.number() != err::PermissionDenied) throw failure;
        ui_.showMessage({std::string(FileOpenMessage), "Permission denied", Buttons::Ok, Icon::None});
        refused = true;
    };

    // Checked before any work, without touching the file: a failed export
    // never leaves the user's file emptied or half-written.
    if (!proc.run(2, [&] {
            if (int error = platform::writableCheck(txtPath_)) fail(error);
        }) || refused)
        return;
    if (!proc.run(3, [&] { progressMax_ = list_.rowCount(); })) return;

    std::string document;
    if (!proc.run(5, [&] {
            ExportOptions options{format_, rows_, delimiterText(), statusPanels_(2), statusPanels_(3),
                                  GeneralDateText(platform::LocalNow())};
            document = BuildExportDocument(list_, options, [this](size_t row) {
                progressValue_ = row;
                if (row % RowsBetweenYields != 0 && row != progressMax_) return;
                if (progressChanged) progressChanged();
                ui_.processEvents();
            });
        }))
        return;
    if (!proc.run(7, [&] {
            if (!platform::writeFileAtomically(txtPath_, document)) fail(errno);
        }) || refused)
        return;

    if (!proc.run(8, [&] { ui_.playSound(endSound_); })) return;
    proc.run(9, [&] {
        if (openAfter_ && ui_.openDocument(txtPath_) == OpenResult::NoAssociation)
            ui_.showMessage({std::string(NoAssociationMessage), "Error", Buttons::Ok, Icon::None});
    });
}

}  // namespace tw
