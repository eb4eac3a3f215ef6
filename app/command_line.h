#pragma once
// The window's command line: one text, as the program was started with.

#include <string>

namespace tw {

// The arguments after the program name, joined by single blanks.
std::string JoinCommandLine(int argc, const char* const* argv);

// True when some argument begins with "-un": the program then ends at once
// without a window. A session path that merely contains "-un" (such as
// "re-union.twf") is not taken for the option.
bool AsksToQuitAtOnce(int argc, const char* const* argv);

// The session path named on the command line: every double quote removed,
// nothing else trimmed.
std::string SessionPathFromCommandLine(const std::string& commandLine);

}  // namespace tw
