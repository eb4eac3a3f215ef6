#include "base/utf8_text.h"

#include <cstdint>

namespace tw {

namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
size_t validSequence(std::string_view text) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                                  : 0;
    if (length == 0 || text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;
    if (lead == 0xED && byte(1) > 0x9F) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;
    if (lead == 0xF4 && byte(1) > 0x8F) return 0;
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        size_t length = validSequence(text);
        if (length == 0) return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string EscapeInvalidUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    while (!text.empty()) {
        size_t length = validSequence(text);
        if (length == 0) {
            auto byte = static_cast<uint8_t>(text.front());
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
            length = 1;
        } else if (text.front() == '\\') {
            out += "\\\\";
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace tw
