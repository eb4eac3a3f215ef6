#include "results/size_text.h"

#include <cmath>
#include <cstdio>

namespace tw {

namespace {

std::string twoDecimals(double value, const char* unit) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f %s", value, unit);
    return buffer;
}

}  // namespace

std::string FormatSize(double bytes) {
    if (!std::isfinite(bytes)) return "0 Bytes";
    if (bytes >= 1073741824.0) return twoDecimals(bytes / 1024 / 1024 / 1024, "GB");
    if (bytes >= 1048576.0) return twoDecimals(bytes / 1024 / 1024, "MB");
    if (bytes >= 1024.0) return twoDecimals(bytes / 1024, "KB");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f Bytes", std::trunc(bytes));
    return buffer;
}

std::string GetExtension(std::string_view name) {
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string{} : std::string(name.substr(dot + 1));
}

}  // namespace tw
