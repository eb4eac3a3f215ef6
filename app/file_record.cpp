#include "app/file_record.h"

#include "base/date_text.h"
#include "results/sort_strings.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace tw {

namespace {

constexpr int FieldCount = 4;
constexpr int SameNameEngine = 3;
// Below this every size text has the same twelve digits, so the texts
// compare as the numbers do.
constexpr int64_t TwelveDigits = 1'000'000'000'000;

int Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// The fields of one record as its joined text has them; the size and time
// texts are made only when the comparison reaches them.
class RecordFields {
public:
    RecordFields(const FileRecord& record, bool nameFirst, const FolderTable& folders)
        : record_(record), nameFirst_(nameFirst), folders_(folders) {}

    std::string_view field(int index) {
        switch (index) {
        case 0: return nameFirst_ ? std::string_view(record_.name) : sizeText();
        case 1: return nameFirst_ ? sizeText() : std::string_view(record_.name);
        case 2: return folders_[record_.folder];
        default:
            if (time_.empty()) time_ = TimeText(record_.lastWrite);
            return time_;
        }
    }

private:
    std::string_view sizeText() {
        if (size_.empty()) size_ = SizeText(record_.size);
        return size_;
    }

    const FileRecord& record_;
    bool nameFirst_;
    const FolderTable& folders_;
    std::string size_;
    std::string time_;
};

// Walks the characters of a record's joined text, case folded; -1 at the end.
class JoinedText {
public:
    explicit JoinedText(RecordFields& fields) : fields_(fields), text_(fields.field(0)) {}

    int next() {
        while (position_ == text_.size()) {
            if (++index_ == FieldCount) return -1;
            text_ = fields_.field(index_);
            position_ = 0;
            return '?';
        }
        return Fold(static_cast<unsigned char>(text_[position_++]));
    }

private:
    RecordFields& fields_;
    int index_ = 0;
    std::string_view text_;
    size_t position_ = 0;
};

int CompareJoined(RecordFields& a, RecordFields& b) {
    JoinedText left(a);
    JoinedText right(b);
    for (;;) {
        int x = left.next();
        int y = right.next();
        if (x != y) return x < y ? -1 : 1;
        if (x < 0) return 0;
    }
}

}  // namespace

uint32_t FolderTable::intern(const std::string& folder) {
    if (folders_.empty() || folders_.back() != folder) folders_.push_back(folder);
    return static_cast<uint32_t>(folders_.size() - 1);
}

RecordOrder::RecordOrder(int engine, const FolderTable& folders)
    : nameFirst_(engine == SameNameEngine), folders_(folders) {}

int RecordOrder::operator()(const FileRecord& a, const FileRecord& b) const {
    if (!nameFirst_ && a.size != b.size && a.size < TwelveDigits && b.size < TwelveDigits)
        return a.size < b.size ? -1 : 1;
    RecordFields left(a, nameFirst_, folders_);
    RecordFields right(b, nameFirst_, folders_);
    for (int index = 0; index < FieldCount; ++index) {
        std::string_view x = left.field(index);
        std::string_view y = right.field(index);
        const size_t common = std::min(x.size(), y.size());
        for (size_t i = 0; i < common; ++i) {
            int cx = Fold(static_cast<unsigned char>(x[i]));
            int cy = Fold(static_cast<unsigned char>(y[i]));
            if (cx != cy) return cx < cy ? -1 : 1;
        }
        if (x.size() == y.size()) continue;
        // The shorter field's text goes on with the "?" before the next field,
        // or ends with the last field. A "?" in the longer field ties with
        // that separator: then the texts are walked to their first difference.
        const int after = index == FieldCount - 1 ? -1 : '?';
        const int longer = Fold(static_cast<unsigned char>(x.size() < y.size() ? y[common] : x[common]));
        if (longer == after) return CompareJoined(left, right);
        return (x.size() < y.size()) == (after < longer) ? -1 : 1;
    }
    return 0;
}

void ScannedFiles::sortFor(int engine) {
    nameFirst_ = engine == SameNameEngine;
    if (!records.empty()) SortStrings(records, 0, records.size() - 1, true, RecordOrder(engine, folders));
}

std::string_view ScannedFiles::text(int32_t position, int slot, std::string& scratch) const {
    const FileRecord& record = at(position);
    if (slot == 2) return folders[record.folder];
    if (slot == 3) return scratch = TimeText(record.lastWrite);
    if ((slot == 0) == nameFirst_) return record.name;
    return scratch = SizeText(record.size);
}

HiveValue ScannedFiles::value(int32_t position, int slot) const {
    std::string scratch;
    return std::string(text(position, slot, scratch));
}

std::optional<platform::FileIdentity> ScannedFiles::walkedIdentity(int32_t position) const {
    const FileRecord& record = at(position);
    return platform::FileIdentity{record.device, record.inode, record.size, true};
}

std::string SizeText(int64_t size) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%012" PRId64, size);
    return buffer;
}

std::string TimeText(double lastWrite) { return GeneralDateText(FieldsOfDayCount(lastWrite)); }

}  // namespace tw
