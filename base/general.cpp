#include "base/general.h"

#include "platform/file_system.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tw {

bool FileExists(const std::string& path) { return !path.empty() && platform::isRegularFile(path); }

Rect CenterForm(const Rect& workArea, int width, int height) {
    return Rect{workArea.left + (workArea.width - width) / 2, workArea.top + (workArea.height - height) / 2, width,
                height};
}

double Val(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    text.remove_prefix(start);
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || !std::isfinite(value)) return 0;
    return value;
}

std::string NumberText(double value) {
    if (!std::isfinite(value)) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7f", value);
    std::string text(buffer);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}

}  // namespace tw
