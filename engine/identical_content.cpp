#include "engine/identical_content.h"

#include "engine/block_hash.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <numeric>
#include <utility>

namespace tw {

namespace {

constexpr size_t kFirstBlock = 4096;
constexpr int kMaxGrowth = 8;        // blocks grow from 4 KiB to 1 MiB
constexpr size_t kSmallestBlock = 512;  // for sets too large to give each file 4 KiB of the budget
// Sets this small are split by comparing bytes; larger ones by hashing first,
// so that many different blocks are not compared with each other.
constexpr int kCompareDirectlyUpTo = 8;

// Keeps at most `limit` of the files open, closing the longest-open one to make room.
class FilePool {
public:
    FilePool(const std::vector<ContentFile>& files, int limit)
        : files_(files), open_(files.size()), limit_(std::max(limit, 2)) {}

    // The file, opened if need be; nullptr when it cannot be opened or is no longer the file seen before.
    platform::ReadOnlyFile* get(int index) {
        platform::ReadOnlyFile& file = open_[static_cast<size_t>(index)];
        if (file.isOpen()) return &file;
        while (openCount_ >= limit_ && !order_.empty()) {
            const int oldest = order_.front();
            order_.pop_front();
            close(oldest);
        }
        const ContentFile& expected = files_[static_cast<size_t>(index)];
        if (file.open(expected.path) != 0) return nullptr;
        if (!file.identity().sameFile(expected.identity) || file.identity().size != expected.identity.size) {
            file.close();
            return nullptr;
        }
        ++openCount_;
        order_.push_back(index);
        return &file;
    }

    void close(int index) {
        platform::ReadOnlyFile& file = open_[static_cast<size_t>(index)];
        if (!file.isOpen()) return;
        file.close();
        --openCount_;
    }

private:
    const std::vector<ContentFile>& files_;
    std::vector<platform::ReadOnlyFile> open_;
    std::deque<int> order_;  // open order; may hold files closed since, which are skipped
    int limit_;
    int openCount_ = 0;
};

// The blocks of one read round, side by side. A larger round gets a new
// buffer of exactly its size after the old one is freed: no copy, no zero
// fill, and never two buffers at once.
class BlockArena {
public:
    void reserve(size_t bytes) {
        if (bytes <= capacity_) return;
        buffer_.reset();
        buffer_ = std::make_unique_for_overwrite<char[]>(bytes);
        capacity_ = bytes;
    }
    char* data() { return buffer_.get(); }
    const char* data() const { return buffer_.get(); }

private:
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
};

// A set of files whose first `offset` bytes are the same, still to be read on.
struct Pending {
    std::vector<int> members;
    int64_t offset = 0;
    int growth = 0;
};

size_t blockSize(const Pending& pending, int64_t length, size_t budget) {
    const size_t grown = kFirstBlock << std::min(pending.growth, kMaxGrowth);
    const size_t share = std::max(kSmallestBlock, budget / pending.members.size() / kSmallestBlock * kSmallestBlock);
    return static_cast<size_t>(std::min<int64_t>(length - pending.offset, static_cast<int64_t>(std::min(grown, share))));
}

// Splits slots 0..count-1 (each `length` bytes in `arena`) by content. Each part
// lists ascending slots; parts come in no particular order.
std::vector<std::vector<int>> partitionByContent(const BlockArena& arena, int count, size_t length) {
    auto bytesOf = [&](int slot) { return arena.data() + static_cast<size_t>(slot) * length; };
    std::vector<std::vector<int>> parts;
    if (count <= kCompareDirectlyUpTo) {
        // Each block against the first block of every part so far: one pass over
        // identical blocks, and blocks that differ mostly differ early.
        for (int slot = 0; slot < count; ++slot) {
            auto same = std::find_if(parts.begin(), parts.end(), [&](const auto& part) {
                return std::memcmp(bytesOf(part.front()), bytesOf(slot), length) == 0;
            });
            if (same == parts.end()) parts.push_back({slot});
            else same->push_back(slot);
        }
        return parts;
    }
    std::vector<std::pair<uint64_t, int>> hashed(static_cast<size_t>(count));
    for (int slot = 0; slot < count; ++slot) hashed[static_cast<size_t>(slot)] = {BlockHash64(bytesOf(slot), length), slot};
    std::sort(hashed.begin(), hashed.end());
    for (size_t start = 0; start < hashed.size();) {
        size_t end = start + 1;
        while (end < hashed.size() && hashed[end].first == hashed[start].first) ++end;
        // Equal hashes almost always mean equal bytes; the bytes decide.
        const size_t firstPart = parts.size();
        for (size_t at = start; at < end; ++at) {
            const int slot = hashed[at].second;
            auto same = std::find_if(parts.begin() + static_cast<std::ptrdiff_t>(firstPart), parts.end(), [&](const auto& part) {
                return std::memcmp(bytesOf(part.front()), bytesOf(slot), length) == 0;
            });
            if (same == parts.end()) parts.push_back({slot});
            else same->push_back(slot);
        }
        start = end;
    }
    return parts;
}

}  // namespace

std::optional<std::vector<std::vector<int>>> IdenticalContentClasses(
    const std::vector<ContentFile>& files, const std::function<bool(size_t bytes)>& beforeRead,
    const EngineTuning& tuning) {
    std::vector<std::vector<int>> classes;
    std::vector<Pending> work;
    {
        std::vector<int> order(files.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return files[static_cast<size_t>(a)].identity.size < files[static_cast<size_t>(b)].identity.size;
        });
        for (size_t start = 0; start < order.size();) {
            size_t end = start + 1;
            const int64_t length = files[static_cast<size_t>(order[start])].identity.size;
            while (end < order.size() && files[static_cast<size_t>(order[end])].identity.size == length) ++end;
            if (end - start >= 2) work.push_back({{order.begin() + static_cast<std::ptrdiff_t>(start),
                                                   order.begin() + static_cast<std::ptrdiff_t>(end)}, 0, 0});
            start = end;
        }
    }

    FilePool pool(files, tuning.maxOpenFiles > 0 ? tuning.maxOpenFiles : platform::openFileBudget());
    BlockArena arena;
    std::vector<int> alive;
    while (!work.empty()) {
        Pending pending = std::move(work.back());
        work.pop_back();
        const int64_t length = files[static_cast<size_t>(pending.members.front())].identity.size;
        const size_t block = blockSize(pending, length, tuning.readBudgetBytes);
        arena.reserve(pending.members.size() * block);
        alive.clear();
        for (int member : pending.members) {
            if (beforeRead && !beforeRead(block)) return std::nullopt;
            platform::ReadOnlyFile* file = pool.get(member);
            if (!file) continue;
            if (block > 0 &&
                file->readAt(pending.offset, arena.data() + alive.size() * block, block) != static_cast<int64_t>(block)) {
                pool.close(member);
                continue;
            }
            alive.push_back(member);
        }
        if (alive.size() < 2) {
            for (int member : alive) pool.close(member);
            continue;
        }
        const int64_t next = pending.offset + static_cast<int64_t>(block);
        for (std::vector<int>& part : partitionByContent(arena, static_cast<int>(alive.size()), block)) {
            for (int& slot : part) slot = alive[static_cast<size_t>(slot)];
            if (part.size() == 1 || next == length) {
                for (int member : part) pool.close(member);
                if (part.size() >= 2) classes.push_back(std::move(part));
            } else {
                work.push_back({std::move(part), next, pending.growth + 1});
            }
        }
    }
    std::sort(classes.begin(), classes.end(), [](const auto& a, const auto& b) { return a.front() < b.front(); });
    return classes;
}

}  // namespace tw
