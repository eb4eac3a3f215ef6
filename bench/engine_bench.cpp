// Times the comparison engines on a generated corpus: files of a few hundred
// distinct sizes, some exact copies, some copies that differ only in the last
// byte, a few large files. The file hive is built the way the scan builds it
// (record texts sorted ignoring letter case), then each engine runs on it.
//   engine_bench [files] [folder] [pairwise]
// The corpus goes into a new folder under the given one (default: the system's
// temporary folder) and is removed at the end. With "pairwise", each engine is
// also run as the plain pairwise algorithm of the tests, timed, and its result
// compared with the fast engine's.

#include "base/bug_frm.h"
#include "engine/engine_context.h"
#include "engine/find_same.h"
#include "engine/hive.h"
#include "platform/file_reader.h"
#include "support/engine_oracle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Answers nothing: the engines only need it for failures, and the corpus has none.
class SilentUi : public tw::UiPort {
public:
    tw::Answer showMessage(const tw::Message&) override { return tw::Answer::Ok; }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string browseForFolder(const std::string&, const std::string&) override { return {}; }
    std::string showOpenDialog(const std::string&, const std::string&) override { return {}; }
    std::string showSaveDialog(const std::string&, const std::string&, const std::string&,
                               const std::string&) override {
        return {};
    }
    void showModal(tw::DialogModel&) override {}
    void popupMenu(std::string_view) override {}
    tw::OpenResult openDocument(const std::string&) override { return tw::OpenResult::Failed; }
    void setClipboardText(const std::string&) override {}
    void playSound(const std::string&) override {}
    void processEvents() override {}
};

struct Record {
    std::string size, name, folder;
};

std::string sizeText(size_t size) {
    char text[16];
    std::snprintf(text, sizeof text, "%012zu", size);
    return text;
}

std::string randomBytes(std::mt19937_64& rng, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; i += 8) {
        const uint64_t word = rng();
        std::memcpy(bytes.data() + i, &word, std::min<size_t>(8, size - i));
    }
    return bytes;
}

struct Corpus {
    std::vector<Record> records;
    uint64_t totalBytes = 0;
};

Corpus makeCorpus(const std::string& root, long files) {
    std::mt19937_64 rng(20240314);
    std::vector<size_t> sizes;
    for (int i = 0; i < 300; ++i) sizes.push_back(100 + static_cast<size_t>(rng() % 32000));
    Corpus corpus;
    std::vector<std::string> made;  // contents of earlier files to copy
    for (long i = 0; i < files; ++i) {
        const std::string folder = root + "/d" + std::to_string(i % 97) + "/";
        if (i < 97) fs::create_directories(folder);
        std::string content;
        const auto roll = rng() % 100;
        if (!made.empty() && roll < 20) {
            content = made[rng() % made.size()];  // exact duplicate
        } else if (!made.empty() && roll < 30) {
            content = made[rng() % made.size()];  // near-duplicate: the last byte differs
            content.back() = static_cast<char>(content.back() ^ 0x5A);
        } else if (i % 1000 == 0) {
            content = randomBytes(rng, (2 + rng() % 5) << 20);  // a large file
        } else if (roll < 40) {
            content = randomBytes(rng, 32100 + rng() % 100000);  // most likely a size of its own
        } else {
            content = randomBytes(rng, sizes[rng() % sizes.size()]);
        }
        // Names repeat across folders, for the same-name engine.
        const std::string name = "file" + std::to_string(i % 7919) + (i % 3 ? ".dat" : ".TXT");
        std::ofstream(folder + name, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
        corpus.records.push_back({sizeText(content.size()), name, folder});
        corpus.totalBytes += content.size();
        if (made.size() < 2000 && content.size() < (1u << 20)) made.push_back(std::move(content));
    }
    return corpus;
}

void fillHive(tw::CHive& hive, const Corpus& corpus, bool nameFirst) {
    const std::string time = "3/14/2024 10:15:00 AM";
    std::vector<std::pair<std::string, const Record*>> sorted;
    for (const Record& r : corpus.records) {
        std::string text = (nameFirst ? r.name + "?" + r.size : r.size + "?" + r.name) + "?" + r.folder + "?" + time;
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        sorted.emplace_back(std::move(text), &r);
    }
    std::sort(sorted.begin(), sorted.end());
    for (const auto& [text, r] : sorted)
        hive.Add({nameFirst ? r->name : r->size, nameFirst ? r->size : r->name, r->folder, time, int64_t{1}, int64_t{1}});
}

uint64_t candidateBytes(const Corpus& corpus) {
    std::vector<size_t> sizes;
    for (const Record& r : corpus.records) sizes.push_back(std::stoul(r.size));
    std::sort(sizes.begin(), sizes.end());
    uint64_t total = 0;
    for (size_t i = 0; i < sizes.size(); ++i)
        if ((i > 0 && sizes[i - 1] == sizes[i]) || (i + 1 < sizes.size() && sizes[i + 1] == sizes[i])) total += sizes[i];
    return total;
}

struct Outcome {
    std::vector<std::string> rows;
    int32_t files, duplicates;
    int64_t bytes;
    bool operator==(const Outcome&) const = default;
};

Outcome run(const char* what, const Corpus& corpus, int engine, bool fuzzy, bool pairwise, tw::ErrorReporter& reporter) {
    tw::CHive fileHive, resultHive;
    fillHive(fileHive, corpus, engine == 3);
    tw::EngineContext context(reporter);
    context.engine = engine == 3 ? 1 : engine;
    context.fuzzy = fuzzy;
    context.FilesScanned = static_cast<int32_t>(corpus.records.size());
    long yields = 0;
    context.yield = [&] { ++yields; };
    context.versionText = [](const std::string&) { return std::string("N/A"); };
    context.windowMinimised = [] { return false; };
    context.setCaption = context.setStatusPanel1 = [](const std::string&) {};
    tw::platform::fileReadCounters().reset();
    const auto start = Clock::now();
    if (pairwise) engine == 3 ? tw::oracle::FindSameName(fileHive, resultHive, context)
                             : tw::oracle::FindSame(fileHive, resultHive, context);
    else if (engine == 3) tw::FindSameName(fileHive, resultHive, context);
    else tw::FindSame(fileHive, resultHive, context);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto& counters = tw::platform::fileReadCounters();
    std::printf("%-30s %9.1f ms  %8.1f MB read  %6lu opens  %6lu stats  %6d duplicates  %6.1f MB dup  %6ld yields\n",
                what, seconds * 1e3, static_cast<double>(counters.bytesRead) / 1e6,
                static_cast<unsigned long>(counters.opens.load()), static_cast<unsigned long>(counters.stats.load()),
                context.DuplicateFileCount, static_cast<double>(context.DuplicateBytes) / 1e4 / 1e6, yields);
    Outcome outcome{{}, context.FilesScanned, context.DuplicateFileCount, context.DuplicateBytes};
    for (int32_t p = 1; p <= resultHive.Count(); ++p) {
        const tw::Position at{p};
        outcome.rows.push_back(tw::oracle::Text(resultHive.Item(at)) + "|" + tw::oracle::Text(resultHive.Item1(at)) +
                               "|" + tw::oracle::Text(resultHive.Item2(at)) + "|" +
                               tw::oracle::Text(resultHive.Item4(at)));
    }
    return outcome;
}

}  // namespace

int main(int argc, char** argv) {
    const long files = argc > 1 ? std::atol(argv[1]) : 20000;
    const bool pairwise = argc > 3 && std::string(argv[3]) == "pairwise";
    std::string pattern = (argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path()) / "twinsweep-engine-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const auto start = Clock::now();
    const Corpus corpus = makeCorpus(pattern, files);
    std::printf("corpus: %ld files, %.1f MB, %.1f MB in runs of equal size, made in %.1f s, in %s\n", files,
                static_cast<double>(corpus.totalBytes) / 1e6, static_cast<double>(candidateBytes(corpus)) / 1e6,
                std::chrono::duration<double>(Clock::now() - start).count(), pattern.c_str());

    SilentUi ui;
    tw::ErrorReporter reporter(ui, {});
    const struct {
        const char* what;
        int engine;
        bool fuzzy;
    } engines[] = {{"byte to byte", 1, false}, {"CRC32", 2, false}, {"byte to byte fuzzy", 1, true}, {"same name", 3, false}};
    int mismatches = 0;
    for (const auto& e : engines) {
        const Outcome fast = run(e.what, corpus, e.engine, e.fuzzy, false, reporter);
        if (!pairwise) continue;
        const Outcome plain = run((std::string(e.what) + " (pairwise)").c_str(), corpus, e.engine, e.fuzzy, true, reporter);
        if (!(fast == plain)) {
            ++mismatches;
            std::printf("  results differ from the pairwise algorithm\n");
        }
    }
    fs::remove_all(pattern);
    return mismatches == 0 ? 0 : 1;
}
