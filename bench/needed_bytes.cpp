// needed_bytes: the least reading that can tell the files of a tree apart, and how long it takes.
//
//   needed_bytes TREE [--runs N] [--block BYTES] [--groups FILE]
//
// Walks TREE (symbolic links neither followed nor reported, hidden entries included) and keeps every
// non-empty regular file, one per device and inode. Files of a size no other file has need no reading.
// For each set of same-size files it then works out, untimed, how many bytes of each file must be read to
// tell it apart from the others when files are read from the start in blocks: a file that first differs
// from every other candidate within block b needs blocks 0..b, a file with an identical twin needs all of
// its bytes. The timed part opens each candidate once, reads exactly that many bytes and closes it; it
// runs once to warm the cache and then N times, and the median is printed.
//
// --groups writes the groups of identical files, every path of every inode (hard links included), one
// path a line and a blank line after each group, as the exact answer the finders are checked against.
//
// Output lines are "key value" pairs, for a script to read.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

struct File {
    std::string path;  // first path met
    int64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    std::vector<std::string> links;  // further paths of the same inode
    int64_t need = 0;
};

struct Walk {
    std::vector<File> files;
    std::map<std::pair<uint64_t, uint64_t>, size_t> byInode;
    int64_t regular = 0;
    int64_t empty = 0;
    int64_t folders = 0;

    void folder(const std::string& path) {
        DIR* dir = opendir(path.c_str());
        if (!dir) return;
        ++folders;
        int dirFd = dirfd(dir);
        std::vector<std::string> subfolders;
        while (dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
            struct stat info {};
            if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
            std::string child = path + "/" + name;
            if (S_ISDIR(info.st_mode)) {
                subfolders.push_back(std::move(child));
            } else if (S_ISREG(info.st_mode)) {
                ++regular;
                if (info.st_size == 0) {
                    ++empty;
                    continue;
                }
                auto key = std::make_pair(static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino));
                auto [at, added] = byInode.emplace(key, files.size());
                if (added) files.push_back({std::move(child), info.st_size, key.first, key.second, {}, 0});
                else files[at->second].links.push_back(std::move(child));
            }
        }
        closedir(dir);
        for (const std::string& sub : subfolders) folder(sub);
    }
};

bool readAt(const std::string& path, int64_t offset, size_t length, std::string& out) {
    out.resize(length);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < length) {
        ssize_t got = pread(fd, out.data() + done, length - done, offset + static_cast<off_t>(done));
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    close(fd);
    return done == length;
}

// Splits a set of same-size files block by block until each part is one file or the files are identical.
void plan(std::vector<File>& files, std::vector<size_t> members, int64_t block,
          std::vector<std::vector<size_t>>& groups) {
    const int64_t size = files[members.front()].size;
    std::vector<std::vector<size_t>> parts{std::move(members)};
    for (int64_t offset = 0; !parts.empty(); offset += block) {
        const int64_t end = std::min(size, offset + block);
        std::vector<std::vector<size_t>> next;
        for (auto& part : parts) {
            std::unordered_map<std::string, std::vector<size_t>> split;
            std::string bytes;
            for (size_t index : part) {
                if (!readAt(files[index].path, offset, static_cast<size_t>(end - offset), bytes)) {
                    files[index].need = 0;  // unreadable: no finder can match it
                    continue;
                }
                split[bytes].push_back(index);
            }
            for (auto& [bytes_, same] : split) {
                if (same.size() == 1) {
                    files[same.front()].need = end;
                } else if (end == size) {
                    for (size_t index : same) files[index].need = size;
                    groups.push_back(std::move(same));
                } else {
                    next.push_back(std::move(same));
                }
            }
        }
        parts = std::move(next);
    }
}

double readAll(const std::vector<File>& files, const std::vector<size_t>& order, std::vector<char>& buffer,
               int64_t& bytes) {
    auto start = std::chrono::steady_clock::now();
    bytes = 0;
    for (size_t index : order) {
        const File& file = files[index];
        int fd = open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        int64_t left = file.need;
        while (left > 0) {
            ssize_t got = read(fd, buffer.data(), static_cast<size_t>(std::min<int64_t>(left, buffer.size())));
            if (got <= 0) break;
            left -= got;
            bytes += got;
        }
        close(fd);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: needed_bytes TREE [--runs N] [--block BYTES] [--groups FILE]\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) usage();
    std::string tree = argv[1];
    int runs = 5;
    int64_t block = 4096;
    std::string groupsFile;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) usage();
        if (arg == "--runs") runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--block") block = std::max<int64_t>(1, std::atoll(argv[++i]));
        else if (arg == "--groups") groupsFile = argv[++i];
        else usage();
    }
    while (tree.size() > 1 && tree.back() == '/') tree.pop_back();

    Walk walk;
    walk.folder(tree);
    std::vector<File>& files = walk.files;

    std::unordered_map<int64_t, std::vector<size_t>> bySize;
    for (size_t i = 0; i < files.size(); ++i) bySize[files[i].size].push_back(i);
    std::vector<int64_t> sizes;
    for (auto& [size, members] : bySize)
        if (members.size() >= 2) sizes.push_back(size);
    std::sort(sizes.begin(), sizes.end());

    std::vector<std::vector<size_t>> groups;
    std::vector<size_t> order;
    int64_t candidateBytes = 0;
    for (int64_t size : sizes) {
        for (size_t index : bySize[size]) {
            order.push_back(index);
            candidateBytes += size;
        }
        plan(files, bySize[size], block, groups);
    }
    std::erase_if(order, [&](size_t index) { return files[index].need == 0; });

    std::vector<char> buffer(1 << 20);
    int64_t bytes = 0;
    readAll(files, order, buffer, bytes);  // warms the cache
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(readAll(files, order, buffer, bytes));
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());

    int64_t groupFiles = 0, groupPaths = 0, duplicateBytes = 0;
    for (auto& group : groups) {
        std::sort(group.begin(), group.end(), [&](size_t a, size_t b) { return files[a].path < files[b].path; });
        groupFiles += static_cast<int64_t>(group.size());
        duplicateBytes += files[group.front()].size * static_cast<int64_t>(group.size() - 1);
        for (size_t index : group) groupPaths += 1 + static_cast<int64_t>(files[index].links.size());
    }
    if (!groupsFile.empty()) {
        FILE* out = std::fopen(groupsFile.c_str(), "w");
        if (!out) {
            std::perror(groupsFile.c_str());
            return 1;
        }
        std::sort(groups.begin(), groups.end(),
                  [&](const auto& a, const auto& b) { return files[a.front()].path < files[b.front()].path; });
        for (const auto& group : groups) {
            for (size_t index : group) {
                std::fprintf(out, "%s\n", files[index].path.c_str());
                for (const std::string& link : files[index].links) std::fprintf(out, "%s\n", link.c_str());
            }
            std::fprintf(out, "\n");
        }
        std::fclose(out);
    }

    int64_t hardLinks = 0;
    for (const File& file : files) hardLinks += static_cast<int64_t>(file.links.size());
    std::printf("folders %lld\n", static_cast<long long>(walk.folders));
    std::printf("regular_files %lld\n", static_cast<long long>(walk.regular));
    std::printf("empty_files %lld\n", static_cast<long long>(walk.empty));
    std::printf("nonempty_files %lld\n", static_cast<long long>(walk.regular - walk.empty));
    std::printf("extra_hard_links %lld\n", static_cast<long long>(hardLinks));
    std::printf("inodes %zu\n", files.size());
    std::printf("candidate_inodes %zu\n", order.size());
    std::printf("candidate_bytes %lld\n", static_cast<long long>(candidateBytes));
    std::printf("needed_bytes %lld\n", static_cast<long long>(bytes));
    std::printf("groups %zu\n", groups.size());
    std::printf("group_inodes %lld\n", static_cast<long long>(groupFiles));
    std::printf("group_paths %lld\n", static_cast<long long>(groupPaths));
    std::printf("duplicate_bytes %lld\n", static_cast<long long>(duplicateBytes));
    std::printf("read_seconds");
    for (double t : times) std::printf(" %.4f", t);
    std::printf("\nread_median %.4f\n", sorted[sorted.size() / 2]);
    return 0;
}
