#pragma once
// A fresh folder under the system's temporary folder, removed with its contents
// (permissions restored first) when the object goes away.

#include <string>
#include <string_view>

namespace tw::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string operator/(std::string_view relative) const;

    // Creates the file (and its folders) with the given content; returns its path.
    std::string writeFile(std::string_view relative, std::string_view content = {}) const;
    std::string makeFolder(std::string_view relative) const;

private:
    std::string path_;
};

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool hadValue_ = false;
    std::string oldValue_;
};

}  // namespace tw::test
