#include "engine/find_same.h"

#include "base/general.h"
#include "base/procedure.h"
#include "engine/checksum.h"
#include "engine/file_entries.h"
#include "engine/fuzzy_digest.h"
#include "engine/identical_content.h"
#include "platform/file_reader.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tw {

namespace {

// ---- Reading entries ----

// A size slot as a count of bytes times 10000 (DuplicateBytes' fixed point).
int64_t SizeValue(const HiveValue& value) {
    if (const auto* number = std::get_if<int64_t>(&value)) return *number * 10000;
    return std::llround(Val(ValueText(value)) * 10000.0);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Keys of the run search: Item trimmed of blanks, letter case ignored.
class KeyReader {
public:
    explicit KeyReader(const FileEntries& entries) : entries_(entries) {}

    bool same(int32_t positionA, int32_t positionB) {
        if (std::optional<bool> known = entries_.sameKey(positionA, positionB)) return *known;
        std::string_view a = TrimBlanks(entries_.text(positionA, 0, scratchA_));
        std::string_view b = TrimBlanks(entries_.text(positionB, 0, scratchB_));
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
        return true;
    }

private:
    const FileEntries& entries_;
    std::string scratchA_, scratchB_;
};

// Where an entry's fields sit: engines 1 and 2 keep the size in Item and the
// name in Item1, the same-name engine the other way round.
struct Layout {
    int sizeSlot;
    int nameSlot;
};
constexpr Layout kSizeFirst{0, 1};
constexpr Layout kNameFirst{1, 0};

std::string FullPath(const FileEntries& entries, int32_t position, Layout layout) {
    std::string folder, name;
    std::string path(entries.text(position, 2, folder));
    path += entries.text(position, layout.nameSlot, name);
    return path;
}

// Drops entries that list a file already listed: a path equal to the previous
// kept entry's, or, within one run of equal keys (the whole list when oneRun),
// the device and inode of an earlier kept entry. Only entries that share their
// key with another kept entry are examined on disk.
struct SameFileFilter {
    std::vector<int32_t> kept;
    std::vector<std::string> paths;
    std::vector<std::optional<platform::FileIdentity>> identities;  // filled when examined
    int32_t dropped = 0;  // FilesScanned is to be lowered by this much

    void run(const FileEntries& entries, const std::vector<int32_t>& positions, Layout layout, bool oneRun) {
        std::vector<int32_t> byPath;
        std::vector<std::string> pathOf;
        for (int32_t position : positions) {
            std::string path = FullPath(entries, position, layout);
            if (!pathOf.empty() && pathOf.back() == path) {
                ++dropped;
                continue;
            }
            byPath.push_back(position);
            pathOf.push_back(std::move(path));
        }
        KeyReader keys(entries);
        std::set<std::pair<uint64_t, uint64_t>> seen;
        for (size_t start = 0; start < byPath.size();) {
            size_t end = oneRun ? byPath.size() : start + 1;
            while (end < byPath.size() && keys.same(byPath[start], byPath[end])) ++end;
            const bool examine = end - start >= 2;
            seen.clear();
            for (size_t at = start; at < end; ++at) {
                std::optional<platform::FileIdentity> identity;
                if (examine) {
                    identity = entries.walkedIdentity(byPath[at]);
                    if (!identity) identity = platform::statFileIdentity(pathOf[at]);
                    if (identity && !seen.insert({identity->device, identity->inode}).second) {
                        ++dropped;
                        continue;
                    }
                }
                kept.push_back(byPath[at]);
                paths.push_back(std::move(pathOf[at]));
                identities.push_back(identity);
            }
            start = end;
        }
    }
};

std::string PercentText(int64_t part, int64_t whole) {
    // Rounded half away from zero to one decimal.
    const long long tenths = std::llround(100.0 / static_cast<double>(whole) * static_cast<double>(part) * 10.0);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%lld", tenths / 10, tenths % 10);
    return text;
}

// ---- Yields and progress ----

// Lets user-interface events run at the engines' yield points and reports a
// cancel. Unique entries yield in batches, each candidate run before it starts,
// and reads every few files or megabytes.
class Pacer {
public:
    Pacer(EngineContext& context, std::function<void()> beforeYield)
        : context_(context), beforeYield_(std::move(beforeYield)), entries_(context.tuning.entriesPerYield) {}

    // False when the scan has been cancelled.
    bool yieldNow() {
        if (beforeYield_) beforeYield_();
        if (context_.yield) context_.yield();
        entries_ = 0;
        reads_ = 0;
        bytes_ = 0;
        return !(context_.ScanCancelled && context_.ScanCancelled());
    }
    bool entriesDue() const { return entries_ >= context_.tuning.entriesPerYield; }
    void countEntry() { ++entries_; }
    // Before a read of `bytes` (0: an open or a step without reading). False when cancelled.
    bool beforeRead(size_t bytes) {
        if ((reads_ >= context_.tuning.readsPerYield || bytes_ >= context_.tuning.bytesPerYield) && !yieldNow())
            return false;
        ++reads_;
        bytes_ += bytes;
        return true;
    }
    std::function<bool(size_t)> readHook() {
        return [this](size_t bytes) { return beforeRead(bytes); };
    }

private:
    EngineContext& context_;
    std::function<void()> beforeYield_;
    int entries_;
    int reads_ = 0;
    uint64_t bytes_ = 0;
};

bool Minimised(const EngineContext& context) { return context.windowMinimised && context.windowMinimised(); }

// The progress text is rebuilt only when it can be seen: before a yield and at the end.
class SameSizeProgress {
public:
    SameSizeProgress(EngineContext& context, int32_t total) : context_(context), total_(total) {}
    void set(int32_t done) {
        done_ = done;
        dirty_ = true;
    }
    void flush() {
        if (!dirty_) return;
        dirty_ = false;
        const std::string percent = PercentText(done_, total_);
        const std::string counts = std::to_string(done_) + "/" + std::to_string(total_);
        if (Minimised(context_)) {
            if (context_.setCaption) context_.setCaption(percent + "% (" + counts + ")");
        } else if (context_.setStatusPanel1) {
            context_.setStatusPanel1("Searching for duplicates...(" + counts + ") " + percent + "%");
        }
    }

private:
    EngineContext& context_;
    int32_t total_;
    int32_t done_ = 0;
    bool dirty_ = false;
};

// The status text is written only on steps that leave the result count a
// multiple of 100; the caption on every step.
class SameNameProgress {
public:
    SameNameProgress(EngineContext& context, int32_t total) : context_(context), total_(total) {}
    void set(int32_t done, int32_t resultCount) {
        done_ = done;
        dirty_ = true;
        if (resultCount % 100 == 0) {
            statusDone_ = done;
            statusDue_ = true;
        }
    }
    void flush() {
        if (!dirty_) return;
        dirty_ = false;
        const bool statusDue = std::exchange(statusDue_, false);
        if (Minimised(context_)) {
            if (context_.setCaption)
                context_.setCaption(PercentText(done_, total_) + "% (" + std::to_string(done_) + "/" +
                                    std::to_string(total_) + ")");
        } else if (statusDue && context_.setStatusPanel1) {
            context_.setStatusPanel1("Searching for same name files...(" + std::to_string(statusDone_) + "/" +
                                     std::to_string(total_) + ") " + PercentText(statusDone_, total_) + "%");
        }
    }

private:
    EngineContext& context_;
    int32_t total_;
    int32_t done_ = 0;
    int32_t statusDone_ = 0;
    bool dirty_ = false;
    bool statusDue_ = false;
};

// ---- Writing groups ----

void ToggleShade(EngineContext& context) { context.shade = context.shade == 1 ? 2 : 1; }

void WriteResult(const FileEntries& entries, int32_t position, Layout layout, const std::string& fullPath,
                 CHive& result, EngineContext& context) {
    std::string version = context.versionText ? context.versionText(fullPath) : std::string("N/A");
    result.Add({entries.value(position, layout.sizeSlot), entries.value(position, layout.nameSlot),
                entries.value(position, 2), std::move(version), int64_t{context.shade}, entries.value(position, 3)});
}

// ---- One candidate group ----

// Compares the files of one candidate run and writes its groups, in the order
// the pairwise algorithm finds them: each group starts with the first file not
// yet taken that matches a later one and lists the later files that match it.
class DuplicateFinder {
public:
    DuplicateFinder(const FileEntries& entries, CHive& result, EngineContext& context, Pacer& pacer)
        : entries_(entries), result_(result), context_(context), pacer_(pacer),
          proc_(context.reporter, "Find Duplicates") {}

    // False when the engine is to end.
    bool run(const std::vector<int32_t>& positions) {
        if (!proc_.run(1, [&] {
                SameFileFilter filter;
                filter.run(entries_, positions, kSizeFirst, true);
                context_.FilesScanned -= filter.dropped;
                files_ = std::move(filter);
            }))
            return false;
        if (files_.kept.size() < 2) return true;
        if (context_.engine == 2) return byChecksum();
        if (context_.fuzzy) return byFuzzyRule();
        return byContent();
    }

private:
    size_t count() const { return files_.kept.size(); }

    bool write(size_t member) {
        return proc_.run(3, [&] {
            WriteResult(entries_, files_.kept[member], kSizeFirst, files_.paths[member], result_, context_);
        });
    }
    bool writeFirst(size_t member) {
        ToggleShade(context_);
        return write(member);
    }
    bool writeMatch(size_t member) {
        context_.DuplicateFileCount += 1;
        context_.DuplicateBytes += SizeValue(entries_.value(files_.kept[member], kSizeFirst.sizeSlot));
        return write(member);
    }
    bool writeGroup(const std::vector<size_t>& group) {
        if (!writeFirst(group.front())) return false;
        for (size_t at = 1; at < group.size(); ++at)
            if (!writeMatch(group[at])) return false;
        return true;
    }

    // Byte to byte: equality is an equivalence, so the groups are the classes of
    // identical files, each in position order, ordered by their first file.
    bool byContent() {
        std::vector<ContentFile> readable;
        std::vector<size_t> memberOf;
        for (size_t i = 0; i < count(); ++i) {
            const auto& identity = files_.identities[i];
            if (!identity || !identity->regular) continue;
            readable.push_back({files_.paths[i], *identity});
            memberOf.push_back(i);
        }
        std::optional<std::vector<std::vector<int>>> classes;
        if (!proc_.run(2, [&] { classes = IdenticalContentClasses(readable, pacer_.readHook(), context_.tuning); }))
            return false;
        if (!classes) return false;
        for (const std::vector<int>& found : *classes) {
            std::vector<size_t> group;
            for (int index : found) group.push_back(memberOf[static_cast<size_t>(index)]);
            if (!writeGroup(group)) return false;
        }
        return true;
    }

    // Checksum text of one member; false when cancelled or the bug report was answered with Abort.
    bool checksum(size_t member, std::string& text) {
        bool cancelled = false;
        const bool done = proc_.run(2, [&] {
            auto sum = FileChecksumText(files_.paths[member], pacer_.readHook());
            cancelled = !sum;
            if (sum) text = std::move(*sum);
        });
        return done && !cancelled;
    }

    // CRC32: each checksum is computed once. Comparing the first file with every
    // later one reads all of them in order, so the first unreadable file is
    // reported at the same point, after the first file's matches before it have
    // been written; equal checksums then form the remaining groups.
    bool byChecksum() {
        std::vector<std::string> sums(count());
        if (!checksum(0, sums[0])) return false;
        std::vector<bool> taken(count(), false);
        bool found = false;
        for (size_t j = 1; j < count(); ++j) {
            if (!checksum(j, sums[j])) return false;
            if (sums[j] != sums[0]) continue;
            if (!found && !writeFirst(0)) return false;
            found = true;
            taken[j] = true;
            if (!writeMatch(j)) return false;
        }
        std::vector<std::vector<size_t>> groups;
        std::unordered_map<std::string, size_t> groupOf;
        for (size_t i = 1; i < count(); ++i) {
            if (taken[i]) continue;
            auto [at, added] = groupOf.try_emplace(sums[i], groups.size());
            if (added) groups.emplace_back();
            groups[at->second].push_back(i);
        }
        for (const auto& group : groups)
            if (group.size() >= 2 && !writeGroup(group)) return false;
        return true;
    }

    // Fuzzy: similarity is not transitive, so the pairwise order is kept, on
    // digests read once per file.
    bool byFuzzyRule() {
        std::vector<FuzzyDigest> digests(count());
        // Only a found file of at least one block whose length another such file shares can be similar.
        std::vector<bool> eligible(count(), false);
        std::unordered_map<int64_t, int> lengths;
        for (size_t i = 0; i < count(); ++i) {
            const auto& identity = files_.identities[i];
            const std::string& path = files_.paths[i];
            const size_t slash = path.find_last_of('/');
            const bool hidden = path.size() > slash + 1 && path[slash + 1] == '.';
            if (identity && identity->regular && !hidden && identity->size >= kFuzzyBlockBytes) {
                eligible[i] = true;
                ++lengths[identity->size];
            }
        }
        for (size_t i = 0; i < count(); ++i) {
            if (!eligible[i] || lengths[files_.identities[i]->size] < 2) continue;
            std::optional<FuzzyDigest> digest;
            if (!proc_.run(2, [&] { digest = ComputeFuzzyDigest(files_.paths[i], pacer_.readHook()); })) return false;
            if (!digest) return false;
            digests[i] = std::move(*digest);
        }
        std::vector<size_t> remaining;
        for (size_t i = 0; i < count(); ++i)
            if (digests[i].usable) remaining.push_back(i);
        std::vector<size_t> next;
        while (!remaining.empty()) {
            if (!pacer_.beforeRead(0)) return false;
            const size_t k = remaining.front();
            bool found = false;
            next.clear();
            for (size_t at = 1; at < remaining.size(); ++at) {
                const size_t j = remaining[at];
                if (!FuzzySimilar(digests[k], digests[j])) {
                    next.push_back(j);
                    continue;
                }
                if (!found && !writeFirst(k)) return false;
                found = true;
                if (!writeMatch(j)) return false;
            }
            remaining.swap(next);
        }
        return true;
    }

    const FileEntries& entries_;
    CHive& result_;
    EngineContext& context_;
    Pacer& pacer_;
    Procedure proc_;
    SameFileFilter files_;
};

}  // namespace

bool FindDuplicates(const CHive& groupHive, CHive& resultHive, EngineContext& context) {
    std::vector<int32_t> positions;
    for (int32_t p = 1; p <= groupHive.Count(); ++p) positions.push_back(p);
    Pacer pacer(context, {});
    return DuplicateFinder(HiveEntries(groupHive), resultHive, context, pacer).run(positions);
}

void FindSame(const CHive& fileHive, CHive& resultHive, EngineContext& context) {
    FindSame(HiveEntries(fileHive), resultHive, context);
}

void FindSame(const FileEntries& fileHive, CHive& resultHive, EngineContext& context) {
    const int32_t total = fileHive.Count();
    if (total == 0) return;
    Procedure proc(context.reporter, "Find Same");
    SameSizeProgress progress(context, total);
    Pacer pacer(context, [&] { progress.flush(); });
    KeyReader keys(fileHive);
    // The current entry and the number of entries passed. A unique entry is
    // passed over; a run of equal keys is handed to FindDuplicates whole.
    int32_t i = 1, passed = 0;
    proc.run(1, [&] {
        for (;;) {
            const bool runStarts = i < total && keys.same(i, i + 1);
            if ((runStarts || pacer.entriesDue()) && !pacer.yieldNow()) return;
            pacer.countEntry();
            if (i == total) return;
            if (!runStarts) {
                ++i;
                ++passed;
                progress.set(passed);
                continue;
            }
            std::vector<int32_t> run{i};
            int32_t end = i, passedAfter = passed;
            while (end < total) {
                ++end;
                ++passedAfter;
                if (!keys.same(i, end)) break;
                run.push_back(end);
            }
            if (!DuplicateFinder(fileHive, resultHive, context, pacer).run(run)) return;
            i = end;
            passed = passedAfter;
            progress.set(passed);
        }
    });
    progress.flush();
}

void FindSameName(const CHive& fileHive, CHive& resultHive, EngineContext& context) {
    FindSameName(HiveEntries(fileHive), resultHive, context);
}

void FindSameName(const FileEntries& fileHive, CHive& resultHive, EngineContext& context) {
    const int32_t total = fileHive.Count();
    if (total == 0) return;
    Procedure proc(context.reporter, "Find Same Name");
    std::vector<int32_t> kept;
    const bool filtered = proc.run(1, [&] {
        std::vector<int32_t> positions;
        for (int32_t p = 1; p <= total; ++p) positions.push_back(p);
        SameFileFilter filter;
        filter.run(fileHive, positions, kNameFirst, false);
        context.FilesScanned -= filter.dropped;
        kept = std::move(filter.kept);
    });
    if (!filtered) return;

    SameNameProgress progress(context, total);
    Pacer pacer(context, [&] { progress.flush(); });
    KeyReader keys(fileHive);
    size_t i = 0;
    int32_t passed = 0;
    proc.run(2, [&] {
        const size_t last = kept.size() - 1;
        for (;;) {
            const bool runStarts = i < last && keys.same(kept[i], kept[i + 1]);
            if ((runStarts || pacer.entriesDue()) && !pacer.yieldNow()) return;
            pacer.countEntry();
            if (i == last) return;
            if (!runStarts) {
                ++i;
                ++passed;
                progress.set(passed, resultHive.Count());
                continue;
            }
            const int32_t first = kept[i];
            for (bool found = false;;) {
                const int32_t position = kept[i];
                if (!found) {
                    ToggleShade(context);
                    found = true;
                } else {
                    context.DuplicateFileCount += 1;
                    context.DuplicateBytes += SizeValue(fileHive.value(position, kNameFirst.sizeSlot));
                }
                if (!proc.run(3, [&] {
                        WriteResult(fileHive, position, kNameFirst, FullPath(fileHive, position, kNameFirst),
                                    resultHive, context);
                    }))
                    return;
                if (i == last) break;
                ++i;
                ++passed;
                if (!keys.same(first, kept[i])) break;
            }
            progress.set(passed, resultHive.Count());
        }
    });
    progress.flush();
}

}  // namespace tw
