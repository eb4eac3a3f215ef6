#include "persist/append_string.h"

namespace tw {

void AppendString::AddToString(std::string_view text) {
    size_t needed = used_ + text.size();
    if (buffer_.size() < needed) {
        size_t steps = (needed - buffer_.size() + GrowthStep - 1) / GrowthStep;
        buffer_.resize(buffer_.size() + steps * GrowthStep, ' ');
    }
    text.copy(buffer_.data() + used_, text.size());
    used_ = needed;
}

std::string_view AppendString::ReturnString() const { return std::string_view(buffer_).substr(0, used_); }

std::string AppendString::TakeString() {
    std::string text = std::move(buffer_);
    text.resize(used_);
    buffer_.clear();
    used_ = 0;
    return text;
}

size_t AppendString::capacity() const { return buffer_.size(); }

}  // namespace tw
