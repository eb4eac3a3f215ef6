#pragma once
// Facts about this machine for the problem report.

#include <cstdint>
#include <string>

namespace tw::platform {

struct SystemFacts {
    std::string computerName;
    std::string osName;       // "Linux"
    std::string osRelease;    // kernel release
    std::string osBuild;      // kernel build text
    std::string distribution; // the system's pretty name, from os-release
    uint64_t totalMemory = 0;      // bytes
    uint64_t availableMemory = 0;  // bytes
    std::string ipAddress;    // first IPv4 address of this host, dotted; empty when unknown
};

SystemFacts ReadSystemFacts();

}  // namespace tw::platform
