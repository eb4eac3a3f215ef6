#pragma once
// The export's text builder: appends pieces into one buffer that grows in
// steps of 10,000 characters, so adding row after row never copies the whole
// document again.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class AppendString {
public:
    static constexpr size_t GrowthStep = 10000;

    void AddToString(std::string_view text);
    // The text appended so far.
    std::string_view ReturnString() const;
    // The text, cut down to what was appended, handed over without a copy;
    // the builder is empty afterwards.
    std::string TakeString();
    // The buffer's size: a multiple of GrowthStep at least the text's length.
    size_t capacity() const;

private:
    std::string buffer_;
    size_t used_ = 0;
};

}  // namespace tw
