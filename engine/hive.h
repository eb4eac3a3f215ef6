#pragma once
// CHive: the keyed collection the scan and the engines keep their files and
// results in. Every entry has a key and six value slots (Item, Item1 .. Item5)
// and is reached by position (1 to Count, in the order entries were placed) or
// by key. A red-black tree over the keys gives the key order; a dense position
// table gives the position order.
//
// Cost of each operation, n = Count:
//   Item*/Key/Exist by position, Count ............ O(1)
//   Item*/Exist by key, Item write by key .......... O(log n)
//   Add at the end ................................. O(log n), storage growth amortised O(1)
//   Add with Before/After .......................... O(n): the position table tail moves by one,
//                                                    and a Before/After key is searched for
//                                                    in the position table
//   Remove (by position or key) .................... O(n): the same tail move and search
//   FindFirst + FindNext over all entries .......... O(n) in total
//   Clear .......................................... O(n)
// Removing entries one by one from the front of a large hive is therefore
// quadratic; a loop over many entries should read by position and remove little.
//
// Failures are recorded in Errors; with RaiseError on they also throw HiveError.
// A failed operation changes nothing and returns an empty value, false or 0.
// Not thread-safe; each hive belongs to one thread.

#include "engine/hive_error.h"
#include "engine/hive_nodes.h"
#include "engine/hive_value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct AddOptions {
    // Missing: a new CreateGUIDKey value. A position here is refused (an integer is not a key).
    std::optional<PositionOrKey> Key = std::nullopt;
    // The new entry takes the place of this entry; Before wins when both are given.
    std::optional<PositionOrKey> Before = std::nullopt;
    // The new entry goes just after this entry.
    std::optional<PositionOrKey> After = std::nullopt;
};

class CHive {
public:
    static constexpr int32_t kInitialCapacity = 100;
    static constexpr float kGrowthFactor = 1.5f;

    CHive() = default;
    ~CHive() { Clear(); }
    CHive(const CHive&) = delete;
    CHive& operator=(const CHive&) = delete;
    // The moved-from hive is left empty, without storage.
    CHive(CHive&& other) noexcept { swapWith(other); }
    CHive& operator=(CHive&& other) noexcept;

    // Sets up empty storage for InitialAllocVal entries growing by GrowthFactorVal,
    // dropping any entries. Add calls it with 100 and 1.5 when there is no storage.
    void Init(int32_t InitialAllocVal, float GrowthFactorVal);

    // Places a new entry: last, or where options.Before/After say. Fails (and adds
    // nothing) for an integer or empty key, a duplicate key while AllowDuplicate is
    // off, or a Before/After that names no entry.
    void Add(HiveSlots values, const AddOptions& options = {});

    // Removes the entry; returns the position it had, 0 when there was none.
    int32_t Remove(const PositionOrKey& entry);

    // Slot reads. The reference stays valid until the next Add, Remove, Init or Clear.
    // An object is shared with the entry, not copied.
    const HiveValue& Item(const PositionOrKey& entry) const { return slot(entry, 0); }
    const HiveValue& Item1(const PositionOrKey& entry) const { return slot(entry, 1); }
    const HiveValue& Item2(const PositionOrKey& entry) const { return slot(entry, 2); }
    const HiveValue& Item3(const PositionOrKey& entry) const { return slot(entry, 3); }
    const HiveValue& Item4(const PositionOrKey& entry) const { return slot(entry, 4); }
    const HiveValue& Item5(const PositionOrKey& entry) const { return slot(entry, 5); }
    // Writes slot Item; an entry that does not exist changes nothing.
    void Item(const PositionOrKey& entry, HiveValue value);

    // The key at a position; empty text when the position is out of range.
    const HiveKey& Key(Position position) const;
    // True when the entry exists. A missing entry is a failure like any other:
    // it is recorded, and raised when RaiseError is on.
    bool Exist(const PositionOrKey& entry) const;
    int32_t Count() const { return count_; }

    // Ordered enumeration: FindFirst gives the Item of the lowest key and sets
    // KeyVal to that key; each FindNext gives the next entry in ascending key
    // order. Past the last entry: empty values and a "Key not Found" failure.
    // Add, Remove, Init and Clear end an enumeration in progress.
    const HiveValue& FindFirst(HiveKey& KeyVal);
    const HiveValue& FindNext(HiveKey& KeyVal);

    // Removes every entry and drops the storage and the recorded errors; returns 0.
    int32_t Clear();

    // Non-zero (the default, 1): text keys are compared without regard to letter
    // case. Change it only while the hive is empty: the tree is ordered by it.
    int32_t CompareMode() const { return compareMode_; }
    void CompareMode(int32_t mode);
    bool AllowDuplicate() const { return allowDuplicate_; }
    void AllowDuplicate(bool allow) { allowDuplicate_ = allow; }
    bool RaiseError() const { return raiseError_; }
    void RaiseError(bool raise) { raiseError_ = raise; }
    const CErrorCollection& Errors() const { return errors_; }

    // A new key: a random UUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", or
    // empty text when none can be made.
    static std::string CreateGUIDKey();

    // Inspection, for tests and benchmarks.
    int32_t Capacity() const { return capacity_; }  // 0 without storage
    // The node number stored at a position, 0 outside 1 to Count; records nothing.
    int32_t NodeAt(Position position) const;
    // Empty text when the tree, the position table and the free list are
    // consistent; otherwise what is wrong. O(n).
    std::string CheckInvariants() const;
    // Number of nodes on the longest path from the root to a leaf; 0 when empty.
    int32_t Height() const;

private:
    enum Colour : uint8_t { Black = 0, Red = 1 };
    enum KeyKind : uint8_t { NoKey = 0, NumberKey = 1, TextKey = 2 };
    // A node's place in the tree, kept apart from its entry so that a search
    // touches only this small record on most levels.
    struct Link {
        int32_t left = 0;
        int32_t right = 0;
        int32_t parent = 0;
        uint8_t colour = Black;
        uint8_t kind = NoKey;  // of the entry's key; kind and head settle most comparisons
        uint64_t head = 0;
    };
    struct Entry {
        HiveKey key;
        HiveSlots values;
    };
    // A search key with its kind and head computed once for the whole descent.
    struct Probe {
        const HiveKey* key;
        uint8_t kind;
        uint64_t head;
    };

    void swapWith(CHive& other) noexcept;
    const HiveValue& slot(const PositionOrKey& entry, int slotIndex) const;
    // The node an argument names, 0 (after recording the failure) when none.
    int32_t resolve(const PositionOrKey& entry) const;
    int32_t findNode(const HiveKey& key) const;
    int32_t positionOf(int32_t node) const;
    Probe probeFor(const HiveKey& key) const;
    int compare(const Probe& probe, int32_t node) const;
    void fail(int32_t code, const char* source) const;
    void grow();
    void rotateLeft(int32_t x);
    void rotateRight(int32_t x);
    void insertFixup(int32_t z);
    void deleteFixup(int32_t x);
    int32_t minimum(int32_t node) const;
    void pushLeftPath(int32_t node);
    const HiveValue& nextInOrder(HiveKey& keyVal);

    std::vector<Link> nodes_;         // node 0 is the sentinel: all links 0, black, never data
    std::vector<Entry> entries_;      // key and slots of each node, same numbering
    std::vector<int32_t> positions_;  // positions_[p] = node at position p, 1 to count_
    CNode allocator_;
    int32_t root_ = 0;
    int32_t count_ = 0;
    int32_t capacity_ = 0;  // node numbers 1 to capacity_ exist; 0 = no storage
    float growthFactor_ = kGrowthFactor;
    int32_t compareMode_ = 1;
    bool allowDuplicate_ = false;
    bool raiseError_ = false;
    mutable CErrorCollection errors_;
    std::vector<int32_t> pending_;  // the enumeration's stack of nodes still to visit
};

}  // namespace tw
