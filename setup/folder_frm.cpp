#include "setup/folder_frm.h"

#include "base/general.h"
#include "base/procedure.h"
#include "platform/file_system.h"
#include "setup/file_masks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tw {

namespace {

// Failures in the dialog's handlers are part of adding a folder.
constexpr const char* ProcedureLabel = "Add Folders";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A size as the scan converts it to a whole number: rounded half to even, saturated.
int64_t wholeNumber(std::string_view text) {
    double value = std::nearbyint(Val(text));
    if (value >= 9.2e18) return INT64_MAX;
    if (value <= -9.2e18) return INT64_MIN;
    return static_cast<int64_t>(value);
}

// One field of a date: its digits and how many there were.
bool readField(std::string_view& text, int& value, size_t& digits) {
    digits = 0;
    value = 0;
    while (digits < text.size() && isDigit(text[digits])) {
        if (digits == 4) return false;
        value = value * 10 + (text[digits] - '0');
        ++digits;
    }
    text.remove_prefix(digits);
    return digits > 0;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

int64_t dayKey(const platform::LocalDateTime& date) {
    return (int64_t{date.year} * 100 + date.month) * 100 + date.day;
}

}  // namespace

bool IsNumericText(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (isDigit(c)) digit = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

std::optional<platform::LocalDateTime> ParseDateText(std::string_view text) {
    text = trimmed(text);
    int fields[3] = {};
    size_t digits[3] = {};
    char separator = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (text.empty()) return std::nullopt;
            char c = text.front();
            if (i == 1 && c != '/' && c != '-') return std::nullopt;
            if (i == 1) separator = c;
            else if (c != separator) return std::nullopt;
            text.remove_prefix(1);
        }
        if (!readField(text, fields[i], digits[i])) return std::nullopt;
    }
    if (!text.empty()) return std::nullopt;

    platform::LocalDateTime date;
    size_t yearDigits = 0;
    if (digits[0] == 4 && separator == '-') {
        date.year = fields[0];
        date.month = fields[1];
        date.day = fields[2];
        yearDigits = 4;
        if (digits[1] > 2 || digits[2] > 2) return std::nullopt;
    } else {
        if (digits[0] > 2 || digits[1] > 2) return std::nullopt;
        date.month = fields[0];
        date.day = fields[1];
        date.year = fields[2];
        yearDigits = digits[2];
    }
    if (yearDigits <= 2) date.year += date.year < 30 ? 2000 : 1900;
    if (date.year < 100 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

std::string FolderDateText(const platform::LocalDateTime& date) {
    char buffer[32];
    int written = std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.month, date.day, date.year);
    return std::string(buffer, static_cast<size_t>(std::max(written, 0)));
}

FolderFrm::FolderFrm(SettingsStore& settings, UiPort& ui, ErrorReporter& reporter, FolderPickerMemory& picker)
    : settings_(settings), ui_(ui), reporter_(reporter), picker_(picker) {
    Procedure proc(reporter_, ProcedureLabel);
    proc.run(1, [&] {
        if (!ReadMaskList()) maskList_ = PresetFileMasks();
    });
}

bool FolderFrm::ReadMaskList() {
    auto masks = ReadFileMasks(settings_);
    if (!masks) return false;
    maskList_ = std::move(*masks);
    return true;
}

void FolderFrm::StoreMaskList() { StoreFileMasks(settings_, maskList_); }

void FolderFrm::loadRow(const SearchFolderEntry& row) {
    text1_ = row.path;
    SubFolder = row.subFolders;
    maskText_ = row.mask;
    txtMin_ = row.minSize;
    txtMax_ = row.maxSize;
    txtMinDate_ = row.minDate;
    txtMaxDate_ = row.maxDate;
    Exclude = row.icon == LeaveOutFolderIcon;
}

void FolderFrm::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    Procedure proc(reporter_, ProcedureLabel);
    proc.run(1, [&] { activate(); });
}

void FolderFrm::activate() {
    if (maskText_.empty()) maskText_ = settings_.GetSetting(settings::FileMaskSelected);
    if (!text1_.empty()) {
        check1_ = SubFolder == "Yes";
        Check2_Click(Exclude);
        return;
    }
    browse();
    txtMin_ = settings_.GetSetting(settings::MinFileSize);
    txtMax_ = settings_.GetSetting(settings::MaxFileSize);
    txtMinDate_.clear();
    txtMaxDate_.clear();
}

void FolderFrm::setCheck1(bool ticked) {
    if (check2_) return;  // held ticked while the folder is left out
    check1_ = ticked;
}

void FolderFrm::Check2_Click(bool ticked) {
    if (ticked == check2_) return;
    check2_ = ticked;
    if (ticked) {
        check1Remembered_ = check1_;
        check1_ = true;
    } else {
        check1_ = check1Remembered_;
    }
}

void FolderFrm::Command2_Click() {
    Procedure proc(reporter_, ProcedureLabel);
    proc.run(1, [&] { browse(); });
}

void FolderFrm::browse() { text1_ = BrowseForFolder(ui_, picker_, std::string(BrowseTitle)); }

bool FolderFrm::cmdOKEnabled() const { return !trimmed(text1_).empty(); }

int64_t FolderFrm::minimumSize() const {
    return wholeNumber(IsNumericText(txtMin_) ? std::string_view(txtMin_) : DefaultMinSize);
}

void FolderFrm::txtMin_LostFocus() {
    if (!IsNumericText(txtMin_)) txtMin_ = DefaultMinSize;
}

bool FolderFrm::txtMax_LostFocus() {
    if (!IsNumericText(txtMax_)) {
        txtMax_.clear();
        return true;
    }
    if (minimumSize() >= wholeNumber(txtMax_)) {
        refuse(std::string(SizeOrderMessage), FolderControl::txtMax);
        return false;
    }
    return true;
}

void FolderFrm::cmbFileMask_LostFocus() {
    Procedure proc(reporter_, ProcedureLabel);
    proc.run(1, [&] { maintainMaskList(); });
}

void FolderFrm::refuse(const std::string& text, FolderControl focus) {
    ui_.showMessage({text, std::string(ErrorTitle), Buttons::Ok, Icon::None});
    focusRequest_ = focus;
}

std::optional<FolderControl> FolderFrm::takeFocusRequest() {
    auto request = focusRequest_;
    focusRequest_.reset();
    return request;
}

void FolderFrm::cmdOK_Click() {
    if (finished_ || !cmdOKEnabled()) return;
    Procedure proc(reporter_, ProcedureLabel);
    bool passed = false;
    proc.run(1, [&] { passed = checkSizes() && checkDates() && checkFolder(); });
    if (!passed) return;
    proc.run(2, [&] {
        Folder = FolderText(text1_);
        FileTypes = trimmed(maskText_).empty() ? std::string(AllFilesMask) : maskText_;
        SubFolder = check1_ ? "Yes" : "No";
    });
    proc.run(3, [&] {
        Exclude = check2_;
        if (Exclude) {
            FileTypes.clear();
            txtMin_.clear();
            txtMax_.clear();
        }
    });
    proc.run(4, [&] { maintainMaskList(); });
    proc.run(5, [&] { saveChoices(); });
    if (proc.aborted()) return;
    finished_ = accepted_ = true;
}

// The sizes of a folder to leave out are not used and are emptied on OK, so
// they are not checked: their boxes are disabled and could not be corrected.
bool FolderFrm::checkSizes() {
    if (check2_) return true;
    if (!IsNumericText(txtMin_)) txtMin_ = DefaultMinSize;
    else txtMin_ = trimmed(txtMin_);
    if (trimmed(txtMax_).empty()) {
        txtMax_.clear();
        return true;
    }
    if (!IsNumericText(txtMax_)) {
        txtMax_.clear();
        return true;
    }
    txtMax_ = trimmed(txtMax_);
    if (minimumSize() >= wholeNumber(txtMax_)) {
        refuse(std::string(SizeOrderMessage), FolderControl::txtMax);
        return false;
    }
    return true;
}

bool FolderFrm::checkDates() {
    const bool hasMin = !trimmed(txtMinDate_).empty();
    const bool hasMax = !trimmed(txtMaxDate_).empty();
    auto minDate = ParseDateText(txtMinDate_);
    auto maxDate = ParseDateText(txtMaxDate_);
    if (hasMin && !minDate) {
        refuse(txtMinDate_ + std::string(NotADateMessage), FolderControl::txtMinDate);
        return false;
    }
    if (hasMax && !maxDate) {
        refuse(txtMaxDate_ + std::string(NotADateMessage), FolderControl::txtMaxDate);
        return false;
    }
    if (hasMax && !minDate) {
        refuse(std::string(MaxDateFirstMessage), FolderControl::txtMinDate);
        return false;
    }
    if (hasMax && dayKey(*minDate) > dayKey(*maxDate)) {
        refuse(std::string(DateOrderMessage), FolderControl::txtMaxDate);
        return false;
    }
    return true;
}

bool FolderFrm::checkFolder() {
    std::string folder = FolderText(text1_);
    if (folder.front() == '/' && platform::isFolder(folder)) return true;
    refuse(text1_ + std::string(NoSuchFolderMessage), FolderControl::Text1);
    return false;
}

void FolderFrm::maintainMaskList() {
    if (trimmed(maskText_).empty()) return;
    if (std::find(maskList_.begin(), maskList_.end(), maskText_) != maskList_.end()) return;
    maskList_.insert(maskList_.begin(), maskText_);
    StoreMaskList();
}

void FolderFrm::saveChoices() {
    settings_.SaveSetting(settings::FileMaskSelected, maskText_);
    settings_.SaveSetting(settings::MinFileSize, txtMin_);
    settings_.SaveSetting(settings::MaxFileSize, txtMax_);
}

void FolderFrm::Command1_Click() {
    text1_.clear();
    finished_ = true;
    accepted_ = false;
}

SearchFolderEntry FolderFrm::resultRow() const {
    auto dateCell = [](const std::string& text) {
        auto date = ParseDateText(text);
        return date ? FolderDateText(*date) : std::string();
    };
    SearchFolderEntry row;
    row.path = Folder;
    row.subFolders = SubFolder;
    row.mask = maskText_;
    row.minSize = txtMin_;
    row.maxSize = txtMax_;
    row.minDate = dateCell(txtMinDate_);
    row.maxDate = dateCell(txtMaxDate_);
    row.icon = Exclude ? LeaveOutFolderIcon : SearchFolderIcon;
    return row;
}

}  // namespace tw
