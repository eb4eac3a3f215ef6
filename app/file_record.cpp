#include "app/file_record.h"

#include "base/date_text.h"

#include <cinttypes>
#include <cstdio>

namespace tw {

namespace {

constexpr int SameNameEngine = 3;

// Walks the characters of a record's joined text without building it.
class JoinedText {
public:
    explicit JoinedText(const FileRecord& record) : record_(record) {}

    // The next character, case folded, or -1 at the end.
    int next() {
        while (field_ < record_.fields.size()) {
            const std::string& text = record_.fields[field_];
            if (position_ < text.size()) {
                auto c = static_cast<unsigned char>(text[position_++]);
                return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
            }
            ++field_;
            position_ = 0;
            if (field_ < record_.fields.size()) return '?';
        }
        return -1;
    }

private:
    const FileRecord& record_;
    size_t field_ = 0;
    size_t position_ = 0;
};

}  // namespace

std::string SizeText(int64_t size) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%012" PRId64, size);
    return buffer;
}

FileRecord MakeFileRecord(int engine, const std::string& name, const std::string& folder, int64_t size,
                          double lastWrite) {
    std::string time = GeneralDateText(FieldsOfDayCount(lastWrite));
    if (engine == SameNameEngine) return {{name, SizeText(size), folder, std::move(time)}};
    return {{SizeText(size), name, folder, std::move(time)}};
}

int CompareRecords(const FileRecord& a, const FileRecord& b) {
    JoinedText left(a);
    JoinedText right(b);
    for (;;) {
        int x = left.next();
        int y = right.next();
        if (x != y) return x < y ? -1 : 1;
        if (x < 0) return 0;
    }
}

}  // namespace tw
