#include "base/system_information.h"

#include <cmath>

namespace tw {

namespace {

constexpr double MemoryUnit = 1043321.0;

std::string memoryText(uint64_t bytes) {
    return std::to_string(static_cast<long long>(std::nearbyint(static_cast<double>(bytes) / MemoryUnit)));
}

}  // namespace

std::string SystemInformationText(const platform::SystemFacts& facts) {
    std::string text = "Computer Name: " + facts.computerName + "\r\n";
    if (!facts.osName.empty())
        text += "OS : " + facts.osName + " " + facts.osRelease + " Build " + facts.osBuild + "\r\n";
    text += "Service Pack: " + facts.distribution + "\r\n";
    text += "Total Ram: " + memoryText(facts.totalMemory) + "\r\n";
    text += "Ram Available: " + memoryText(facts.availableMemory) + "\r\n";
    text += "IP Address: " + facts.ipAddress + "\r\n";
    return text;
}

}  // namespace tw
