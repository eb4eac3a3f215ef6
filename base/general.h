#pragma once
// Helpers every window and command uses.

#include <string>
#include <string_view>

namespace tw {

// True when the path names an existing file; false on any failure.
bool FileExists(const std::string& path);

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The top-left corner that puts a window of the given size in the middle of
// the desktop's work area (the screen less panels and task bars).
Rect CenterForm(const Rect& workArea, int width, int height);

// The leading decimal number of a text, as a reader of typed or stored numbers
// expects: blanks are skipped, "12abc" gives 12, a text with no number gives 0.
double Val(std::string_view text);

// A number as plain decimal text: no exponent, no trailing zeros ("8000", "-32000", "12.5").
std::string NumberText(double value);

}  // namespace tw
