#pragma once
#include <cstddef>
#include <string_view>

namespace tolarka {

// Length of the UTF-8 sequence at the start of non-empty `s`, as its lead byte announces it and
// its continuation bytes bear out; 1 for a plain ASCII byte, a stray or invalid lead byte, or a
// sequence cut short. Whether the sequence encodes a valid character is left to the caller.
inline std::size_t Utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t n = 1;
    if (lead >= 0xF0 && lead < 0xF8) {
        n = 4;
    } else if (lead >= 0xE0) {
        n = lead < 0xF0 ? 3 : 1;
    } else if (lead >= 0xC2) {
        n = 2;
    }
    if (n > s.size()) return 1;
    for (std::size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

}  // namespace tolarka
