#include "platform/system_info.h"

#include "platform/file_system.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace tw::platform {

namespace {

std::string prettyDistributionName() {
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        auto text = readWholeFile(path);
        if (!text) continue;
        size_t at = text->find("PRETTY_NAME=");
        if (at == std::string::npos || (at > 0 && (*text)[at - 1] != '\n')) continue;
        std::string value = text->substr(at + 12, text->find('\n', at) - at - 12);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')) value = value.substr(1, value.size() - 2);
        return value;
    }
    return {};
}

std::string firstIpv4Address(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return {};
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    std::string result = ::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) ? text : "";
    ::freeaddrinfo(found);
    return result;
}

}  // namespace

SystemFacts ReadSystemFacts() {
    SystemFacts facts;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) facts.computerName = host;
    utsname names{};
    if (::uname(&names) == 0) {
        facts.osName = names.sysname;
        facts.osRelease = names.release;
        facts.osBuild = names.version;
    }
    facts.distribution = prettyDistributionName();
    struct sysinfo memory {};
    if (::sysinfo(&memory) == 0) {
        facts.totalMemory = static_cast<uint64_t>(memory.totalram) * memory.mem_unit;
        facts.availableMemory = static_cast<uint64_t>(memory.freeram + memory.bufferram) * memory.mem_unit;
    }
    facts.ipAddress = firstIpv4Address(facts.computerName);
    return facts;
}

}  // namespace tw::platform
