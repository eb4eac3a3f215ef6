#include "app/file_record.h"

#include "base/date_text.h"
#include "results/sort_strings.h"

#include <algorithm>
#include <charconv>

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
    RecordFields(const FileRecord& record, bool nameFirst, const ScannedFiles& files)
        : record_(record), nameFirst_(nameFirst), files_(files) {}

    std::string_view field(int index) {
        switch (index) {
        case 0: return nameFirst_ ? files_.name(record_) : sizeText();
        case 1: return nameFirst_ ? sizeText() : files_.name(record_);
        case 2: return files_.folder(record_);
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
    const ScannedFiles& files_;
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

RecordOrder::RecordOrder(int engine, const ScannedFiles& files)
    : nameFirst_(engine == SameNameEngine), files_(files) {}

int RecordOrder::operator()(const FileRecord& a, const FileRecord& b) const {
    if (!nameFirst_ && a.size != b.size && a.size < TwelveDigits && b.size < TwelveDigits)
        return a.size < b.size ? -1 : 1;
    RecordFields left(a, nameFirst_, files_);
    RecordFields right(b, nameFirst_, files_);
    for (int index = 0; index < FieldCount; ++index) {
        std::string_view x = left.field(index);
        std::string_view y = right.field(index);
        const size_t common = std::min(x.size(), y.size());
        if (int order = CompareText(x.substr(0, common), y.substr(0, common))) return order;
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

void ScannedFiles::add(std::string_view name, const std::string& folder, int64_t size, double lastWrite,
                       uint64_t device, uint64_t inode) {
    if (folders_.empty() || folders_.back() != folder) folders_.push_back(folder);
    records_.push_back({names_.size(), size, lastWrite, device, inode, static_cast<uint32_t>(name.size()),
                        static_cast<uint32_t>(folders_.size() - 1)});
    names_ += name;
}

void ScannedFiles::sortFor(int engine) {
    nameFirst_ = engine == SameNameEngine;
    if (!records_.empty()) SortStrings(records_, 0, records_.size() - 1, true, RecordOrder(engine, *this));
}

std::string_view ScannedFiles::text(int32_t position, int slot, std::string& scratch) const {
    const FileRecord& record = at(position);
    if (slot == 2) return folder(record);
    if (slot == 3) return scratch = TimeText(record.lastWrite);
    if ((slot == 0) == nameFirst_) return name(record);
    return scratch = SizeText(record.size);
}

HiveValue ScannedFiles::value(int32_t position, int slot) const {
    std::string scratch;
    return std::string(text(position, slot, scratch));
}

std::optional<bool> ScannedFiles::sameKey(int32_t positionA, int32_t positionB) const {
    // Size texts are equal exactly when the sizes are.
    if (nameFirst_) return std::nullopt;
    return at(positionA).size == at(positionB).size;
}

std::optional<platform::FileIdentity> ScannedFiles::walkedIdentity(int32_t position) const {
    const FileRecord& record = at(position);
    return platform::FileIdentity{record.device, record.inode, record.size, true};
}

std::string SizeText(int64_t size) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, size).ptr;
    const size_t length = static_cast<size_t>(end - digits);
    std::string text(length < 12 ? 12 - length : 0, '0');
    return text.append(digits, length);
}

std::string TimeText(double lastWrite) { return GeneralDateText(FieldsOfDayCount(lastWrite)); }

}  // namespace tw
