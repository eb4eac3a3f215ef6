#include "app/command_line.h"

#include <algorithm>
#include <string_view>

namespace tw {

std::string JoinCommandLine(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

bool AsksToQuitAtOnce(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("-un")) return true;
    return false;
}

std::string SessionPathFromCommandLine(const std::string& commandLine) {
    std::string path = commandLine;
    std::erase(path, '"');
    return path;
}

}  // namespace tw
