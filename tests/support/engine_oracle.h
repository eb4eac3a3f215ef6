#pragma once
// The engines' algorithms written the plain way, for comparison with the fast
// engines: the group hive, matched entries removed at once, every pair compared
// by reading both files again in 1000-byte blocks, unique entries removed from
// the file hive, progress written on every step.

#include "base/app_error.h"
#include "base/general.h"
#include "base/procedure.h"
#include "engine/engine_context.h"
#include "engine/hive.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace tw::oracle {

struct RawFile {
    int fd = -1;
    int64_t length = 0;
    ~RawFile() { if (fd >= 0) ::close(fd); }
    bool open(const std::string& path) {
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
        length = info.st_size;
        return true;
    }
    bool read(int64_t offset, int64_t count, char* out) const {
        for (int64_t done = 0; done < count;) {
            ssize_t got = ::pread(fd, out + done, static_cast<size_t>(count - done), offset + done);
            if (got <= 0) return false;
            done += got;
        }
        return true;
    }
};

inline int32_t CompareFiles(const std::string& a, const std::string& b) {
    RawFile fa, fb;
    if (!fa.open(a) || !fb.open(b)) return -1;
    if (fa.length != fb.length) return 0;
    const int64_t blocks = fa.length / 1000, rest = fa.length % 1000;
    char x[1000], y[1000];
    for (int64_t block = 0; block < blocks; ++block) {
        if (!fa.read(block * 1000, 1000, x) || !fb.read(block * 1000, 1000, y)) return -1;
        if (std::memcmp(x, y, 1000) != 0) return 0;
    }
    if (!fa.read(blocks * 1000, rest, x) || !fb.read(blocks * 1000, rest, y)) return -1;
    return std::memcmp(x, y, static_cast<size_t>(rest)) == 0 ? 1 : 0;
}

inline bool Found(const std::string& path) {
    struct stat info {};
    return path[path.find_last_of('/') + 1] != '.' && ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

inline int32_t FuzzyCompareFiles(const std::string& a, const std::string& b) {
    if (!Found(a) || !Found(b)) return -1;
    RawFile fa, fb;
    if (!fa.open(a) || !fb.open(b)) return -1;
    if (fa.length != fb.length) return 0;
    const int64_t blocks = fa.length / 1000, rest = fa.length % 1000;
    char x[1000], y[1000];
    int64_t equal = 0;
    for (int64_t block = 0; block < blocks; ++block) {
        if (!fa.read(block * 1000, 1000, x) || !fb.read(block * 1000, 1000, y)) return -1;
        equal += std::memcmp(x, y, 1000) == 0;
    }
    if (blocks == 0) return -1;
    const double share = std::round(100.0 / static_cast<double>(blocks) * static_cast<double>(equal) * 10000.0) / 10000.0;
    if (share >= 50) return 1;
    if (rest == 0) return 0;  // no tail to compare: the blocks alone decide
    if (!fa.read(blocks * 1000, rest, x) || !fb.read(blocks * 1000, rest, y)) return -1;
    return std::memcmp(x, y, static_cast<size_t>(rest)) == 0 ? 1 : 0;
}

inline std::string Checksum(const std::string& path) {
    RawFile file;
    if (!file.open(path)) throw OsError(errno, path);
    std::string bytes(static_cast<size_t>(file.length), '\0');
    if (!file.read(0, file.length, bytes.data())) throw OsError(EIO, path);
    char text[9];
    std::snprintf(text, sizeof text, "%08lX",
                  crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    return text;
}

inline std::string Text(const HiveValue& value) {
    if (auto* text = std::get_if<std::string>(&value)) return *text;
    if (auto* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
    return {};
}

inline std::string Key(const HiveValue& value) {
    std::string text = Text(value);
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return text;
}

inline bool Cancelled(EngineContext& c) {
    if (c.yield) c.yield();
    return c.ScanCancelled && c.ScanCancelled();
}

inline void Progress(EngineContext& c, int32_t done, int32_t total, const std::string& status, bool statusNow = true) {
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f", std::round(100.0 / total * done * 10) / 10);
    std::string counts = std::to_string(done) + "/" + std::to_string(total);
    if (c.windowMinimised && c.windowMinimised()) c.setCaption(percent + std::string("% (") + counts + ")");
    else if (statusNow) c.setStatusPanel1(status + "(" + counts + ") " + percent + "%");
}

// The result entry of file hive entry p; `sizeSlot` 0 (size first) or 1 (name first).
inline void Write(EngineContext& c, CHive& result, const CHive& h, int32_t p, int sizeSlot) {
    Position at{p};
    const HiveValue& size = sizeSlot == 0 ? h.Item(at) : h.Item1(at);
    const HiveValue& name = sizeSlot == 0 ? h.Item1(at) : h.Item(at);
    result.Add({size, name, h.Item2(at), c.versionText(Text(h.Item2(at)) + Text(name)), int64_t{c.shade}, h.Item3(at)});
}

// Same path on neighbouring entries, then the same device and inode as an earlier entry of the same key.
inline void DropSameFiles(CHive& g, EngineContext& c, int nameSlot) {
    auto path = [&](int32_t p) { return Text(g.Item2(Position{p})) + Text(nameSlot == 1 ? g.Item1(Position{p}) : g.Item(Position{p})); };
    for (int32_t i = 1; i < g.Count();) {
        if (path(i) == path(i + 1)) g.Remove(Position{i + 1}), --c.FilesScanned;
        else ++i;
    }
    for (int32_t i = 2; i <= g.Count();) {
        struct stat mine {}, other {};
        bool same = false;
        for (int32_t e = 1; e < i && !same; ++e)
            same = Key(g.Item(Position{e})) == Key(g.Item(Position{i})) && ::lstat(path(i).c_str(), &mine) == 0 &&
                   ::lstat(path(e).c_str(), &other) == 0 && mine.st_dev == other.st_dev && mine.st_ino == other.st_ino;
        if (same) g.Remove(Position{i}), --c.FilesScanned;
        else ++i;
    }
}

inline bool FindDuplicates(CHive& g, CHive& result, EngineContext& c) {
    Procedure proc(c.reporter, "Find Duplicates");
    DropSameFiles(g, c, 1);
    const int32_t m = g.Count();
    auto path = [&](int32_t p) { return Text(g.Item2(Position{p})) + Text(g.Item1(Position{p})); };
    for (int32_t k = 1; k <= m && k <= g.Count(); ++k) {
        bool found = false;
        for (int32_t j = k + 1; j <= g.Count();) {
            if (Cancelled(c)) return false;
            bool equal = false;
            if (!proc.run(2, [&] {
                    if (c.engine == 2) {
                        const std::string first = Checksum(path(k));
                        equal = first == Checksum(path(j));
                    } else {
                        equal = (c.fuzzy ? FuzzyCompareFiles(path(k), path(j)) : CompareFiles(path(k), path(j))) == 1;
                    }
                }))
                return false;
            if (!equal) {
                ++j;
                continue;
            }
            if (!found) c.shade = c.shade == 1 ? 2 : 1, Write(c, result, g, k, 0), found = true;
            c.DuplicateFileCount += 1;
            c.DuplicateBytes += std::llround(Val(Text(g.Item(Position{j}))) * 10000);
            Write(c, result, g, j, 0);
            g.Remove(Position{j});
        }
    }
    return true;
}

inline void FindSame(CHive& h, CHive& result, EngineContext& c) {
    const int32_t n = h.Count();
    int32_t i = 1, j = 0;
    while (n > 0 && !Cancelled(c) && i != h.Count()) {
        if (Key(h.Item(Position{i})) != Key(h.Item(Position{i + 1}))) {
            h.Remove(Position{i});
            ++j;
        } else {
            const std::string s = Key(h.Item(Position{i}));
            CHive g;
            while (Key(h.Item(Position{i})) == s) {
                Position at{i};
                g.Add({h.Item(at), h.Item1(at), h.Item2(at), h.Item3(at), int64_t{1}, int64_t{1}});
                if (i == h.Count()) break;
                ++i, ++j;
            }
            if (!FindDuplicates(g, result, c)) return;
        }
        Progress(c, j, n, "Searching for duplicates...");
    }
}

inline void FindSameName(CHive& h, CHive& result, EngineContext& c) {
    const int32_t n = h.Count();
    int32_t i = 1, k = 0;
    DropSameFiles(h, c, 0);
    while (n > 0 && !Cancelled(c) && i != h.Count()) {
        if (Key(h.Item(Position{i})) != Key(h.Item(Position{i + 1}))) {
            h.Remove(Position{i});
            ++k;
        } else {
            const std::string s = Key(h.Item(Position{i}));
            for (bool found = false; Key(h.Item(Position{i})) == s;) {
                if (!found) c.shade = c.shade == 1 ? 2 : 1, found = true;
                else c.DuplicateFileCount += 1, c.DuplicateBytes += std::llround(Val(Text(h.Item1(Position{i}))) * 10000);
                Write(c, result, h, i, 1);
                if (i == h.Count()) break;
                ++i, ++k;
            }
        }
        Progress(c, k, n, "Searching for same name files...", result.Count() % 100 == 0);
    }
}

}  // namespace tw::oracle
