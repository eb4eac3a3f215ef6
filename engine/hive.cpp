#include "engine/hive.h"

#include "engine/guid_key.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <utility>

namespace tw {
namespace {

const HiveValue& emptyValue() {
    static const HiveValue empty;
    return empty;
}

const HiveKey& emptyKey() {
    static const HiveKey empty;
    return empty;
}

}  // namespace

std::string CHive::CreateGUIDKey() {
    return NewGuidText();
}

void CHive::swapWith(CHive& other) noexcept {
    std::swap(nodes_, other.nodes_);
    std::swap(entries_, other.entries_);
    std::swap(positions_, other.positions_);
    std::swap(allocator_, other.allocator_);
    std::swap(root_, other.root_);
    std::swap(count_, other.count_);
    std::swap(capacity_, other.capacity_);
    std::swap(growthFactor_, other.growthFactor_);
    std::swap(compareMode_, other.compareMode_);
    std::swap(allowDuplicate_, other.allowDuplicate_);
    std::swap(raiseError_, other.raiseError_);
    std::swap(errors_, other.errors_);
    std::swap(pending_, other.pending_);
}

CHive& CHive::operator=(CHive&& other) noexcept {
    if (this != &other) {
        CHive taken(std::move(other));
        swapWith(taken);
    }
    return *this;
}

void CHive::fail(int32_t code, const char* source) const {
    const int32_t number = hive_error::Number(code);
    const char* description = hive_error::Description(code);
    errors_.Add({number, source, description});
    if (raiseError_) throw HiveError(number, std::string("CHive.") + source, description);
}

void CHive::Init(int32_t InitialAllocVal, float GrowthFactorVal) {
    capacity_ = std::max<int32_t>(InitialAllocVal, 1);
    growthFactor_ = GrowthFactorVal;
    std::vector<Link>(static_cast<size_t>(capacity_) + 1).swap(nodes_);
    std::vector<Entry>(static_cast<size_t>(capacity_) + 1).swap(entries_);
    positions_.assign(static_cast<size_t>(capacity_) + 2, 0);
    allocator_.Init(capacity_, growthFactor_);
    root_ = 0;
    count_ = 0;
    pending_.clear();
}

int32_t CHive::Clear() {
    std::vector<Link>().swap(nodes_);
    std::vector<Entry>().swap(entries_);
    std::vector<int32_t>().swap(positions_);
    std::vector<int32_t>().swap(pending_);
    allocator_ = CNode();
    root_ = 0;
    count_ = 0;
    capacity_ = 0;
    errors_.Clear();
    return 0;
}

void CHive::grow() {
    const int32_t grown = GrownCapacity(capacity_, growthFactor_);
    nodes_.reserve(static_cast<size_t>(grown) + 1);
    nodes_.resize(static_cast<size_t>(grown) + 1);
    entries_.reserve(static_cast<size_t>(grown) + 1);
    entries_.resize(static_cast<size_t>(grown) + 1);
    positions_.resize(static_cast<size_t>(grown) + 3, 0);
    capacity_ = grown;
}

// A key's kind and head order keys as CompareHiveKeys does: numbers and dates
// (kind 1) before text (kind 2). A number's head is its value in an order-keeping
// bit pattern, so equal heads mean equal numbers. A text's head is its first
// eight bytes, big-endian and zero-padded (lower-cased when case is ignored):
// different heads order the keys; equal heads need the full comparison.
CHive::Probe CHive::probeFor(const HiveKey& key) const {
    const std::string* text = key.text();
    if (!text) {
        const double* number = std::get_if<double>(&key.value());
        double value = number ? *number : std::get<Date>(key.value()).days;
        // -0 and +0 are one key; every NaN is the one NaN that sorts after +infinity.
        if (value == 0) value = 0;
        if (std::isnan(value)) value = std::numeric_limits<double>::quiet_NaN();
        const uint64_t bits = std::bit_cast<uint64_t>(value);
        return {&key, NumberKey, (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63)};
    }
    uint64_t head = 0;
    for (size_t i = 0; i < sizeof head; ++i) {
        unsigned char c = i < text->size() ? static_cast<unsigned char>((*text)[i]) : 0;
        if (compareMode_ != 0 && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        head = (head << 8) | c;
    }
    return {&key, TextKey, head};
}

int CHive::compare(const Probe& probe, int32_t node) const {
    const Link& link = nodes_[node];
    if (probe.kind != link.kind) return probe.kind < link.kind ? -1 : 1;
    if (probe.head != link.head) return probe.head < link.head ? -1 : 1;
    if (probe.kind == NumberKey) return 0;
    return CompareHiveKeys(*probe.key, entries_[node].key, compareMode_ != 0);
}

void CHive::CompareMode(int32_t mode) {
    const bool refold = (mode != 0) != (compareMode_ != 0);
    compareMode_ = mode;
    if (!refold) return;
    for (int32_t p = 1; p <= count_; ++p) {
        const int32_t node = positions_[p];
        nodes_[node].head = probeFor(entries_[node].key).head;
    }
}

int32_t CHive::findNode(const HiveKey& key) const {
    const Probe probe = probeFor(key);
    int32_t x = root_;
    while (x != 0) {
        const int c = compare(probe, x);
        if (c == 0) return x;
        x = c < 0 ? nodes_[x].left : nodes_[x].right;
    }
    return 0;
}

int32_t CHive::resolve(const PositionOrKey& entry) const {
    if (const Position* position = entry.position()) {
        if (position->value < 1 || position->value > count_) {
            fail(hive_error::InvalidIndex, "GetIndex");
            return 0;
        }
        return positions_[position->value];
    }
    const int32_t node = findNode(*entry.key());
    if (node == 0) fail(hive_error::KeyNotFound, "FindNode");
    return node;
}

int32_t CHive::positionOf(int32_t node) const {
    const auto first = positions_.begin() + 1;
    const auto found = std::find(first, first + count_, node);
    return found == first + count_ ? 0 : static_cast<int32_t>(found - positions_.begin());
}

int32_t CHive::NodeAt(Position position) const {
    if (position.value < 1 || position.value > count_) return 0;
    return positions_[position.value];
}

const HiveValue& CHive::slot(const PositionOrKey& entry, int slotIndex) const {
    const int32_t node = resolve(entry);
    if (node == 0) {
        fail(hive_error::KeyNotFound, "Item");
        return emptyValue();
    }
    return entries_[node].values[slotIndex];
}

void CHive::Item(const PositionOrKey& entry, HiveValue value) {
    const int32_t node = resolve(entry);
    if (node != 0) entries_[node].values[0] = std::move(value);
}

const HiveKey& CHive::Key(Position position) const {
    if (position.value < 1 || position.value > count_) {
        fail(hive_error::InvalidIndex, "Key[Read]");
        return emptyKey();
    }
    return entries_[positions_[position.value]].key;
}

bool CHive::Exist(const PositionOrKey& entry) const {
    return resolve(entry) != 0;
}

void CHive::Add(HiveSlots values, const AddOptions& options) {
    HiveKey key;
    if (options.Key) {
        if (options.Key->position()) {
            fail(hive_error::IntegerKey, "Add");
            return;
        }
        key = *options.Key->key();
    } else {
        key = CreateGUIDKey();
    }
    if (key.text() && key.text()->empty()) {
        fail(hive_error::InvalidParameter, "Add");
        return;
    }
    if (capacity_ == 0) Init(kInitialCapacity, kGrowthFactor);

    const Probe probe = probeFor(key);
    int32_t parent = 0;
    bool leftOfParent = false;
    for (int32_t x = root_; x != 0;) {
        parent = x;
        const int c = compare(probe, x);
        if (c == 0 && !allowDuplicate_) {
            fail(hive_error::DuplicateKey, "Add");
            return;
        }
        leftOfParent = c < 0;
        x = c < 0 ? nodes_[x].left : nodes_[x].right;
    }

    int32_t at = count_ + 1;
    if (options.Before || options.After) {
        const PositionOrKey& anchor = options.Before ? *options.Before : *options.After;
        const int32_t anchorNode = resolve(anchor);
        int32_t anchorPosition = 0;
        if (anchorNode != 0) anchorPosition = anchor.position() ? anchor.position()->value : positionOf(anchorNode);
        if (anchorPosition == 0) {
            fail(hive_error::KeyNotFound, "Add");
            return;
        }
        at = options.Before ? anchorPosition : anchorPosition + 1;
    }

    const int32_t z = allocator_.Alloc();
    while (z > capacity_) grow();
    ++count_;
    std::copy_backward(positions_.begin() + at, positions_.begin() + count_, positions_.begin() + count_ + 1);
    positions_[at] = z;

    nodes_[z] = Link{0, 0, parent, Red, probe.kind, probe.head};
    entries_[z].key = std::move(key);
    entries_[z].values = std::move(values);
    if (parent == 0)
        root_ = z;
    else if (leftOfParent)
        nodes_[parent].left = z;
    else
        nodes_[parent].right = z;
    insertFixup(z);
    pending_.clear();
}

int32_t CHive::Remove(const PositionOrKey& entry) {
    const int32_t z = resolve(entry);
    if (z == 0) {
        fail(hive_error::InvalidIndex, "Remove");
        return 0;
    }
    const int32_t position = entry.position() ? entry.position()->value : positionOf(z);

    // With two children, the in-order successor's entry moves into z and the
    // successor's node is the one taken out of the tree.
    int32_t y = z;
    if (nodes_[z].left != 0 && nodes_[z].right != 0) {
        y = minimum(nodes_[z].right);
        positions_[positionOf(y)] = z;
        positions_[position] = y;
        entries_[z] = std::move(entries_[y]);
        nodes_[z].kind = nodes_[y].kind;
        nodes_[z].head = nodes_[y].head;
    }

    const int32_t x = nodes_[y].left != 0 ? nodes_[y].left : nodes_[y].right;
    const int32_t parent = nodes_[y].parent;
    nodes_[x].parent = parent;  // even on the sentinel: the repair climbs from x
    if (parent == 0)
        root_ = x;
    else if (y == nodes_[parent].left)
        nodes_[parent].left = x;
    else
        nodes_[parent].right = x;
    if (nodes_[y].colour == Black) deleteFixup(x);
    nodes_[0].parent = 0;
    nodes_[0].colour = Black;
    nodes_[y] = Link();
    entries_[y] = Entry();

    std::copy(positions_.begin() + position + 1, positions_.begin() + count_ + 1, positions_.begin() + position);
    positions_[count_] = 0;
    --count_;
    allocator_.Free(y);
    pending_.clear();
    return position;
}

int32_t CHive::minimum(int32_t node) const {
    while (nodes_[node].left != 0) node = nodes_[node].left;
    return node;
}

void CHive::rotateLeft(int32_t x) {
    const int32_t y = nodes_[x].right;
    nodes_[x].right = nodes_[y].left;
    if (nodes_[y].left != 0) nodes_[nodes_[y].left].parent = x;
    const int32_t parent = nodes_[x].parent;
    nodes_[y].parent = parent;
    if (parent == 0)
        root_ = y;
    else if (x == nodes_[parent].left)
        nodes_[parent].left = y;
    else
        nodes_[parent].right = y;
    nodes_[y].left = x;
    nodes_[x].parent = y;
}

void CHive::rotateRight(int32_t x) {
    const int32_t y = nodes_[x].left;
    nodes_[x].left = nodes_[y].right;
    if (nodes_[y].right != 0) nodes_[nodes_[y].right].parent = x;
    const int32_t parent = nodes_[x].parent;
    nodes_[y].parent = parent;
    if (parent == 0)
        root_ = y;
    else if (x == nodes_[parent].right)
        nodes_[parent].right = y;
    else
        nodes_[parent].left = y;
    nodes_[y].right = x;
    nodes_[x].parent = y;
}

void CHive::insertFixup(int32_t z) {
    while (nodes_[nodes_[z].parent].colour == Red) {
        const int32_t parent = nodes_[z].parent;
        const int32_t grand = nodes_[parent].parent;
        if (parent == nodes_[grand].left) {
            const int32_t uncle = nodes_[grand].right;
            if (nodes_[uncle].colour == Red) {
                nodes_[parent].colour = Black;
                nodes_[uncle].colour = Black;
                nodes_[grand].colour = Red;
                z = grand;
                continue;
            }
            if (z == nodes_[parent].right) {
                z = parent;
                rotateLeft(z);
            }
            nodes_[nodes_[z].parent].colour = Black;
            nodes_[grand].colour = Red;
            rotateRight(grand);
        } else {
            const int32_t uncle = nodes_[grand].left;
            if (nodes_[uncle].colour == Red) {
                nodes_[parent].colour = Black;
                nodes_[uncle].colour = Black;
                nodes_[grand].colour = Red;
                z = grand;
                continue;
            }
            if (z == nodes_[parent].left) {
                z = parent;
                rotateRight(z);
            }
            nodes_[nodes_[z].parent].colour = Black;
            nodes_[grand].colour = Red;
            rotateLeft(grand);
        }
    }
    nodes_[root_].colour = Black;
}

void CHive::deleteFixup(int32_t x) {
    while (x != root_ && nodes_[x].colour == Black) {
        const int32_t parent = nodes_[x].parent;
        if (x == nodes_[parent].left) {
            int32_t w = nodes_[parent].right;
            if (nodes_[w].colour == Red) {
                nodes_[w].colour = Black;
                nodes_[parent].colour = Red;
                rotateLeft(parent);
                w = nodes_[parent].right;
            }
            if (nodes_[nodes_[w].left].colour == Black && nodes_[nodes_[w].right].colour == Black) {
                nodes_[w].colour = Red;
                x = parent;
                continue;
            }
            if (nodes_[nodes_[w].right].colour == Black) {
                nodes_[nodes_[w].left].colour = Black;
                nodes_[w].colour = Red;
                rotateRight(w);
                w = nodes_[parent].right;
            }
            nodes_[w].colour = nodes_[parent].colour;
            nodes_[parent].colour = Black;
            nodes_[nodes_[w].right].colour = Black;
            rotateLeft(parent);
        } else {
            int32_t w = nodes_[parent].left;
            if (nodes_[w].colour == Red) {
                nodes_[w].colour = Black;
                nodes_[parent].colour = Red;
                rotateRight(parent);
                w = nodes_[parent].left;
            }
            if (nodes_[nodes_[w].right].colour == Black && nodes_[nodes_[w].left].colour == Black) {
                nodes_[w].colour = Red;
                x = parent;
                continue;
            }
            if (nodes_[nodes_[w].left].colour == Black) {
                nodes_[nodes_[w].right].colour = Black;
                nodes_[w].colour = Red;
                rotateLeft(w);
                w = nodes_[parent].left;
            }
            nodes_[w].colour = nodes_[parent].colour;
            nodes_[parent].colour = Black;
            nodes_[nodes_[w].left].colour = Black;
            rotateRight(parent);
        }
        x = root_;
    }
    nodes_[x].colour = Black;
}

void CHive::pushLeftPath(int32_t node) {
    for (; node != 0; node = nodes_[node].left) pending_.push_back(node);
}

const HiveValue& CHive::nextInOrder(HiveKey& keyVal) {
    if (pending_.empty()) {
        keyVal = HiveKey();
        fail(hive_error::KeyNotFound, "GetNextNode");
        return emptyValue();
    }
    const int32_t node = pending_.back();
    pending_.pop_back();
    pushLeftPath(nodes_[node].right);
    keyVal = entries_[node].key;
    return entries_[node].values[0];
}

const HiveValue& CHive::FindFirst(HiveKey& KeyVal) {
    pending_.clear();
    pushLeftPath(root_);
    return nextInOrder(KeyVal);
}

const HiveValue& CHive::FindNext(HiveKey& KeyVal) {
    return nextInOrder(KeyVal);
}

int32_t CHive::Height() const {
    auto height = [&](auto& self, int32_t node) -> int32_t {
        return node == 0 ? 0 : 1 + std::max(self(self, nodes_[node].left), self(self, nodes_[node].right));
    };
    return height(height, root_);
}

std::string CHive::CheckInvariants() const {
    if (capacity_ == 0)
        return count_ == 0 && root_ == 0 && nodes_.empty() && entries_.empty() && positions_.empty()
                   ? ""
                   : "state without storage";
    if (nodes_.size() != static_cast<size_t>(capacity_) + 1 || entries_.size() != nodes_.size())
        return "node table size differs from the capacity";
    if (allocator_.Capacity() != capacity_) return "allocator capacity differs from the node table";
    if (positions_.size() < static_cast<size_t>(capacity_) + 2) return "position table smaller than the capacity";
    const Link& sentinel = nodes_[0];
    if (sentinel.left || sentinel.right || sentinel.parent || sentinel.colour != Black) return "sentinel changed";
    if (root_ != 0 && (nodes_[root_].parent != 0 || nodes_[root_].colour != Black)) return "root not black";

    std::vector<char> live(static_cast<size_t>(capacity_) + 1, 0);
    std::string problem;
    int32_t visited = 0;
    const HiveKey* previous = nullptr;
    // Returns the black height of the subtree, -1 after recording a problem.
    auto walk = [&](auto& self, int32_t x) -> int {
        if (x == 0) return 1;
        if (x < 0 || x > capacity_ || live[x]) {
            problem = "node " + std::to_string(x) + " out of range or reached twice";
            return -1;
        }
        live[x] = 1;
        ++visited;
        const Link& node = nodes_[x];
        const HiveKey& key = entries_[x].key;
        const Probe probe = probeFor(key);
        if (probe.kind != node.kind || probe.head != node.head) {
            problem = "stale key head at node " + std::to_string(x);
            return -1;
        }
        for (int32_t child : {node.left, node.right}) {
            if (child == 0) continue;
            if (child < 0 || child > capacity_ || nodes_[child].parent != x) {
                problem = "child of node " + std::to_string(x) + " does not point back";
                return -1;
            }
            if (node.colour == Red && nodes_[child].colour == Red) {
                problem = "red node " + std::to_string(x) + " has a red child";
                return -1;
            }
        }
        const int leftHeight = self(self, node.left);
        if (leftHeight < 0) return -1;
        if (previous && CompareHiveKeys(*previous, key, compareMode_ != 0) > 0) {
            problem = "keys out of order at node " + std::to_string(x);
            return -1;
        }
        previous = &key;
        const int rightHeight = self(self, node.right);
        if (rightHeight < 0) return -1;
        if (leftHeight != rightHeight) {
            problem = "black heights differ below node " + std::to_string(x);
            return -1;
        }
        return leftHeight + (node.colour == Black ? 1 : 0);
    };
    if (walk(walk, root_) < 0) return problem;
    if (visited != count_)
        return "tree holds " + std::to_string(visited) + " nodes, Count is " + std::to_string(count_);

    if (positions_[0] != 0) return "position 0 used";
    std::vector<char> placed(static_cast<size_t>(capacity_) + 1, 0);
    for (int32_t p = 1; p <= count_; ++p) {
        const int32_t node = positions_[p];
        if (node < 1 || node > capacity_ || !live[node] || placed[node])
            return "position " + std::to_string(p) + " holds a node not in the tree or twice";
        placed[node] = 1;
    }
    for (size_t p = static_cast<size_t>(count_) + 1; p < positions_.size(); ++p)
        if (positions_[p] != 0) return "position " + std::to_string(p) + " past Count not cleared";

    const std::vector<int32_t> free = allocator_.FreeList();
    if (free.size() != static_cast<size_t>(capacity_ - count_)) return "free list length differs";
    for (int32_t node : free) {
        if (node < 1 || node > capacity_ || live[node]) return "free node " + std::to_string(node) + " in use";
        live[node] = 1;
        const Link& n = nodes_[node];
        const Entry& e = entries_[node];
        const std::string* keyText = e.key.text();
        bool slotsEmpty = true;
        for (const HiveValue& value : e.values) slotsEmpty = slotsEmpty && value.index() == 0;
        if (n.left || n.right || n.parent || n.kind || n.head || !keyText || !keyText->empty() || !slotsEmpty)
            return "free node " + std::to_string(node) + " not cleared";
    }
    return "";
}

}  // namespace tw
