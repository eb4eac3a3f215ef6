#include "engine/hive_nodes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tw {

int32_t GrownCapacity(int32_t capacity, float factor) {
    // The hive's position table needs a few numbers above the capacity.
    constexpr double limit = std::numeric_limits<int32_t>::max() - 3;
    if (capacity >= limit) throw std::length_error("hive capacity exhausted");
    const double product = static_cast<double>(capacity) * static_cast<double>(factor);
    double rounded = std::floor(product);
    const double fraction = product - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
    if (!(rounded > capacity)) rounded = capacity + 1.0;  // also catches NaN
    return static_cast<int32_t>(std::min(rounded, limit));
}

void CNode::Init(int32_t InitialAllocVal, float GrowthFactorVal) {
    capacity_ = InitialAllocVal > 0 ? InitialAllocVal : 0;
    growth_ = GrowthFactorVal;
    next_.assign(static_cast<size_t>(capacity_) + 1, 0);
    for (int32_t i = 1; i < capacity_; ++i) next_[i] = i + 1;
    head_ = capacity_ > 0 ? 1 : 0;
}

int32_t CNode::Alloc() {
    if (head_ == 0) {
        const int32_t grown = GrownCapacity(capacity_, growth_);
        next_.reserve(static_cast<size_t>(grown) + 1);
        next_.resize(static_cast<size_t>(grown) + 1, 0);
        for (int32_t i = capacity_ + 1; i < grown; ++i) next_[i] = i + 1;
        next_[grown] = 0;
        head_ = capacity_ + 1;
        capacity_ = grown;
    }
    const int32_t node = head_;
    head_ = next_[node];
    next_[node] = 0;
    return node;
}

void CNode::Free(int32_t node) {
    if (node < 1 || node > capacity_) return;
    next_[node] = head_;
    head_ = node;
}

std::vector<int32_t> CNode::FreeList() const {
    std::vector<int32_t> list;
    for (int32_t node = head_; node != 0 && list.size() <= static_cast<size_t>(capacity_); node = next_[node])
        list.push_back(node);
    return list;
}

}  // namespace tw
