#include "engine/scan_path.h"

#include "platform/system_folders.h"

#include <algorithm>
#include <bitset>
#include <deque>

namespace tw {

using platform::EntryDetails;
using platform::EntryType;

namespace {

constexpr std::string_view kNone = "None";  // an empty exclusion list in working form

constexpr unsigned char upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

std::string upperCased(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(upper(static_cast<unsigned char>(c)));
    return result;
}

// True when `text` upper-cased equals `upperText`.
bool equalsUpper(std::string_view text, std::string_view upperText) {
    if (text.size() != upperText.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (upper(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(upperText[i])) return false;
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string withoutTrailingSemicolon(const std::string& text) {
    return !text.empty() && text.back() == ';' ? text.substr(0, text.size() - 1) : text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const size_t end = text.find(separator);
        pieces.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return pieces;
        text.remove_prefix(end + 1);
    }
}

// The text after the last "." of a name; nothing when there is no ".".
bool extensionOf(std::string_view name, std::string_view& extension) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    extension = name.substr(dot + 1);
    return true;
}

// True when `path` is `folder` or lies below it. Both are without trailing "/";
// the root folder is the empty text.
bool isAtOrBelow(std::string_view path, std::string_view folder) {
    if (!path.starts_with(folder)) return false;
    return path.size() == folder.size() || path[folder.size()] == '/';
}

std::string_view withoutTrailingSlashes(std::string_view path) {
    while (!path.empty() && path.back() == '/') path.remove_suffix(1);
    return path;
}

}  // namespace

// One element of a compiled wildcard mask. Every element but a star stands for
// exactly one character, which keeps matching a simple two-pointer scan.
struct cScanPath::MaskToken {
    enum Kind : uint8_t { Literal, AnyCharacter, Digit, Set, Star };
    Kind kind = Literal;
    unsigned char literal = 0;
    std::bitset<256> set;  // for Set: the characters that match

    bool matches(unsigned char c) const {
        switch (kind) {
        case Literal: return c == literal;
        case AnyCharacter: return true;
        case Digit: return c >= '0' && c <= '9';
        case Set: return set.test(c);
        case Star: break;
        }
        return false;
    }
};

cScanPath::Mask cScanPath::compileMask(std::string_view mask) {
    Mask tokens;
    for (size_t i = 0; i < mask.size(); ++i) {
        const auto c = static_cast<unsigned char>(mask[i]);
        MaskToken token;
        if (c == '*') {
            if (!tokens.empty() && tokens.back().kind == MaskToken::Star) continue;
            token.kind = MaskToken::Star;
        } else if (c == '?') {
            token.kind = MaskToken::AnyCharacter;
        } else if (c == '#') {
            token.kind = MaskToken::Digit;
        } else if (c == '[' && mask.find(']', i + 1) != std::string_view::npos) {
            const size_t close = mask.find(']', i + 1);
            std::string_view body = mask.substr(i + 1, close - i - 1);
            i = close;
            // "[]" stands for no character at all.
            if (body.empty()) continue;
            const bool negated = body.front() == '!';
            if (negated) body.remove_prefix(1);
            token.kind = MaskToken::Set;
            for (size_t k = 0; k < body.size(); ++k) {
                const auto from = static_cast<unsigned char>(body[k]);
                // A "-" between two characters makes a range; at either end it is itself.
                if (k + 2 < body.size() && body[k + 1] == '-') {
                    const auto to = static_cast<unsigned char>(body[k + 2]);
                    for (unsigned v = from; v <= to; ++v) token.set.set(v);
                    k += 2;
                } else {
                    token.set.set(from);
                }
            }
            if (negated) token.set.flip();
        } else {
            token.literal = c;
        }
        tokens.push_back(token);
    }
    return tokens;
}

// Greedy matching that returns to the last star only: at most
// name length x mask length steps, however many stars the mask has.
bool cScanPath::maskMatches(const Mask& mask, std::string_view name) {
    constexpr size_t kNoStar = static_cast<size_t>(-1);
    size_t m = 0;
    size_t n = 0;
    size_t starAt = kNoStar;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m].kind == MaskToken::Star) {
            starAt = m++;
            resumeAt = n;
        } else if (m < mask.size() && mask[m].matches(upper(static_cast<unsigned char>(name[n])))) {
            ++m;
            ++n;
        } else if (starAt != kNoStar) {
            m = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m].kind == MaskToken::Star) ++m;
    return m == mask.size();
}

size_t cScanPath::FolderIdHash::operator()(const FolderId& id) const {
    return std::hash<uint64_t>{}(id.inode * 0x9E3779B97F4A7C15ull ^ id.device);
}

cScanPath::cScanPath(ScanPathEvents* events, std::function<void()> processEvents)
    : events_(events), processEvents_(std::move(processEvents)) {}

cScanPath::~cScanPath() = default;

std::string cScanPath::Filter() const { return withoutTrailingSemicolon(filter_); }
void cScanPath::Filter(std::string_view masks) { filter_ = trimmed(masks); }
std::string cScanPath::ExFilter() const { return withoutTrailingSemicolon(exFilter_); }
void cScanPath::ExFilter(std::string_view masks) { exFilter_ = trimmed(masks); }
std::string cScanPath::exFolder() const { return withoutTrailingSemicolon(exFolder_); }
void cScanPath::exFolder(std::string_view folders) { exFolder_ = trimmed(folders); }

void cScanPath::prepare() {
    // Excluded folders: only entries followed by ";" count. Paths compare exactly.
    excludedFolders_.clear();
    if (!exFolder_.empty() && exFolder_ != kNone) {
        std::vector<std::string_view> pieces = split(exFolder_, ';');
        pieces.pop_back();
        for (std::string_view piece : pieces)
            if (!piece.empty()) excludedFolders_.emplace_back(withoutTrailingSlashes(piece));
    }

    // Excluded extensions: each entry's text after its last "." (or the whole
    // entry), compared with a file's whole extension.
    excludedExtensions_.clear();
    if (!exFilter_.empty() && exFilter_ != kNone) {
        for (std::string_view piece : split(exFilter_, ';')) {
            if (piece.empty()) continue;
            std::string_view extension = piece;
            extensionOf(piece, extension);
            excludedExtensions_.push_back(upperCased(extension));
        }
    }

    masks_.clear();
    maskExtensions_.clear();
    allFiles_ = filter_.empty() || filter_ == "*.*";
    filterHasAllMask_ = filter_.find("*.*") != std::string::npos;
    if (!allFiles_ && patternMatching_) {
        // The list is expected to end in ";", which is dropped before it is cut into masks.
        const std::string list = upperCased(std::string_view(filter_).substr(0, filter_.size() - 1));
        for (std::string_view mask : split(list, ';')) masks_.push_back(compileMask(mask));
    } else if (!allFiles_ && !filterHasAllMask_) {
        // By extension: every word of the list that has a "." gives the text after
        // its last ".", so "Images (*.jpg *.png)" and "*.jpg;*.png;" both give JPG and PNG.
        std::string_view rest = filter_;
        while (!rest.empty()) {
            const size_t start = rest.find_first_not_of("; \t(),");
            if (start == std::string_view::npos) break;
            rest.remove_prefix(start);
            const size_t end = std::min(rest.find_first_of("; \t(),"), rest.size());
            std::string_view extension;
            if (extensionOf(rest.substr(0, end), extension)) maskExtensions_.push_back(upperCased(extension));
            rest.remove_prefix(end);
        }
    }

    sizeMode_ = (minimumSize_ > 0 ? 1 : 0) + (maximumSize_ >= 1 ? 2 : 0);
    if (fromDate_ > 0 && toDate_ > 0) dateMode_ = 3;
    else if (toDate_ > 0) dateMode_ = 2;
    else if (fromDate_ > 0) dateMode_ = 1;
    else dateMode_ = 0;
}

void cScanPath::StartScan(std::string& Path, bool SubFolders, bool PatternMatching, bool ExtendedDetail) {
    if (Path.empty() || Path.back() != '/') Path.push_back('/');
    dirCount_ = 0;
    fileCount_ = 0;
    patternMatching_ = PatternMatching;
    extendedDetail_ = ExtendedDetail;
    prepare();
    // Forget the offsets of the last walk: the host may have changed the time zone.
    clock_ = {};
    stop_ = false;

    struct WalkScope {
        cScanPath& walker;
        explicit WalkScope(cScanPath& w) : walker(w) { walker.walking_ = true; }
        ~WalkScope() {
            walker.walking_ = false;
            walker.current_ = {};
            walker.reader_.close();
            walker.visited_.clear();
        }
    } scope(*this);
    walk(Path, SubFolders);
}

bool cScanPath::isExcludedFolder(std::string_view path) const {
    path = withoutTrailingSlashes(path);
    for (const std::string& folder : excludedFolders_)
        if (isAtOrBelow(path, folder)) return true;
    return false;
}

bool cScanPath::isProtectedFolder(std::string_view path) const {
    if (platform::IsSystemFolder(path)) return true;
    if (resolvedRoot_.empty()) return false;
    return platform::IsSystemFolder(resolvedRoot_ + std::string(path.substr(rootLength_)));
}

void cScanPath::walk(std::string& root, bool SubFolders) {
    resolvedRoot_.clear();
    rootLength_ = root.size();
    if (!system_) {
        std::string resolved = platform::ResolvedPath(root);
        if (!resolved.empty() && resolved.back() != '/') resolved.push_back('/');
        if (resolved != root) resolvedRoot_ = std::move(resolved);
        if (isProtectedFolder(root)) return;
    }
    if (isExcludedFolder(root)) return;

    std::deque<std::string> queue;
    queue.push_back(root);
    uint64_t entries = 0;
    bool isRoot = true;
    platform::FolderEntry entry;
    while (!queue.empty() && !stop_) {
        std::string folder = std::move(queue.front());
        queue.pop_front();
        // The root may be reached through a link; a subfolder is opened without
        // its trailing "/" so that a link put in its place is refused.
        bool opened;
        if (isRoot || folder.size() == 1) {
            opened = reader_.open(folder.c_str());
        } else {
            folder.pop_back();
            opened = reader_.open(folder.c_str());
            folder.push_back('/');
        }
        isRoot = false;
        if (!opened) continue;
        FolderId id{};
        if (!reader_.folderIdentity(id.device, id.inode) || !visited_.insert(id).second) continue;

        while (reader_.next(entry)) {
            current_.Name = entry.name;
            current_.HasDetails = false;
            EntryType type = entry.type;
            if (type == EntryType::Unknown) {
                if (!reader_.entryDetails(entry.name.data(), current_.Details)) continue;
                current_.HasDetails = true;
                type = current_.Details.type;
            }
            if (type != EntryType::File && type != EntryType::Folder) continue;
            current_.Attributes = (type == EntryType::Folder ? kAttributeFolder : 0) |
                                  (entry.name.front() == '.' ? kAttributeHidden : 0);

            if (MatchEntry(type)) {
                if (type == EntryType::Folder) {
                    std::string child;
                    child.reserve(folder.size() + entry.name.size() + 1);
                    child.append(folder).append(entry.name);
                    if (isExcludedFolder(child) || (!system_ && isProtectedFolder(child))) continue;
                    if (extendedDetail_ && !current_.HasDetails)
                        current_.HasDetails = reader_.entryDetails(entry.name.data(), current_.Details);
                    if (SubFolders) {
                        child.push_back('/');
                        queue.push_back(std::move(child));
                    }
                    ++dirCount_;
                    reportFolder(folder);
                } else {
                    ++fileCount_;
                    reportFile(folder);
                }
            }

            if (++entries % 10 == 0) {
                if (processEvents_) processEvents_();
                if (stop_) return;
            }
        }
    }
}

bool cScanPath::MatchEntry(EntryType type) {
    const std::string_view name = current_.Name;
    const bool isFolder = type == EntryType::Folder;
    if (!isFolder) {
        if (!excludedExtensions_.empty() && isExcludedExtension(name)) return false;
        if (!passesMasks(name)) return false;
    }
    if ((current_.Attributes & kAttributeHidden) && !hidden_) return false;
    if (isFolder) return true;

    if (!current_.HasDetails) {
        if (!reader_.entryDetails(name.data(), current_.Details)) return false;
        current_.HasDetails = true;
    }
    const EntryDetails& details = current_.Details;
    // Replaced by something else since the listing.
    if (details.type != EntryType::File) return false;
    switch (sizeMode_) {
    case 0: if (details.size > 0) return false; break;
    case 1: if (details.size < minimumSize_) return false; break;
    case 2: if (details.size > maximumSize_) return false; break;
    default: if (details.size < minimumSize_ || details.size > maximumSize_) return false; break;
    }
    return dateMode_ == 0 || passesDates(details);
}

bool cScanPath::isExcludedExtension(std::string_view name) const {
    std::string_view extension;
    if (!extensionOf(name, extension)) return false;
    for (const std::string& excluded : excludedExtensions_)
        if (equalsUpper(extension, excluded)) return true;
    return false;
}

bool cScanPath::passesMasks(std::string_view name) const {
    if (allFiles_) return true;
    if (patternMatching_) {
        for (const Mask& mask : masks_)
            if (maskMatches(mask, name)) return true;
        return false;
    }
    if (filterHasAllMask_) return true;
    std::string_view extension;
    if (!extensionOf(name, extension)) return false;
    for (const std::string& wanted : maskExtensions_)
        if (equalsUpper(extension, wanted)) return true;
    return false;
}

bool cScanPath::passesDates(const EntryDetails& details) {
    platform::FileTime time;
    switch (dateType_) {
    case 0: time = details.lastWrite; break;
    case 1: time = details.creation; break;
    case 2: time = details.lastAccess; break;
    default: break;
    }
    double when = 0;
    if (!clock_.toDayCount(time.seconds, when)) return false;
    if (dateMode_ != 2 && when < fromDate_) return false;
    if (dateMode_ != 1 && when > toDate_) return false;
    return true;
}

double cScanPath::dayCount(const platform::FileTime& time) {
    double days = 0;
    return clock_.toDayCount(time.seconds, days) ? days : 0;
}

void cScanPath::reportFolder(const std::string& parent) {
    if (events_ == nullptr) return;
    const std::string_view name = current_.Name;
    if (!extendedDetail_) {
        events_->DirMatch(name, parent);
        return;
    }
    const EntryDetails& details = current_.Details;
    if (!current_.HasDetails) {
        events_->DirMatchEx(name, parent, current_.Attributes, 0, 0, 0);
        return;
    }
    events_->DirMatchEx(name, parent, current_.Attributes, dayCount(details.lastWrite), dayCount(details.creation),
                        dayCount(details.lastAccess));
}

void cScanPath::reportFile(const std::string& parent) {
    if (events_ == nullptr) return;
    const std::string_view name = current_.Name;
    const EntryDetails& details = current_.Details;
    if (!extendedDetail_) {
        events_->FileMatch(name, parent, details.device, details.inode);
        return;
    }
    events_->FileMatchEx(name, parent, details.size, current_.Attributes, dayCount(details.lastWrite),
                         dayCount(details.creation), dayCount(details.lastAccess), details.device, details.inode);
}

}  // namespace tw
