#pragma once
// CNode hands out the node numbers of a hive: a free list over 1 to capacity,
// grown by a factor when it runs dry. A freed number is the next one handed
// out (last freed, first reused). Alloc and Free are O(1), growth amortised O(1).

#include <cstdint>
#include <vector>

namespace tw {

// capacity × factor rounded to the nearest whole number, ties to even
// (100, 150, 225, 338, 507, ... for 1.5); always at least capacity + 1, so a
// factor too small to make progress still grows.
int32_t GrownCapacity(int32_t capacity, float factor);

class CNode {
public:
    // A free list 1 → 2 → … → InitialAllocVal; any earlier state is dropped.
    void Init(int32_t InitialAllocVal, float GrowthFactorVal);
    // The head of the free list; when it is empty, the capacity grows first and
    // the new numbers are chained in ascending order.
    int32_t Alloc();
    // Puts a number handed out by Alloc back at the head of the list. A number
    // outside 1 to capacity is ignored; freeing a number twice is not allowed.
    void Free(int32_t node);

    int32_t Capacity() const { return capacity_; }
    // The free numbers in the order Alloc would hand them out (for checks).
    std::vector<int32_t> FreeList() const;

private:
    std::vector<int32_t> next_;  // next_[i]: the free number after i, 0 at the end
    int32_t head_ = 0;
    int32_t capacity_ = 0;
    float growth_ = 1.5f;
};

}  // namespace tw
