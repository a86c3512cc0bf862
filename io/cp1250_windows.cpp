// Windows-1250 on Windows, where the C library has no iconv: the code page's upper half as a
// table. Replacements follow the iconv side exactly (U+FFFD for the undefined bytes, one '?'
// per character the code page lacks and per byte of malformed UTF-8).
#include <array>
#include <cstdint>

#include "io/cp1250.h"
#include "io/utf8_sequence.h"

namespace tolarka {

namespace {

// Code points of bytes 0x80..0xFF; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, 0x0000, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The Windows-1250 byte of a code point, or -1 when the code page lacks it.
int ByteOf(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    for (size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] != 0 && kUpperHalf[i] == c) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Decodes the UTF-8 sequence at the start of `s` into `c`; returns how many bytes it took and
// whether it is a well-formed character (a malformed lead or truncated sequence takes one byte;
// overlong forms, surrogates and code points past U+10FFFF take their whole length and fail).
size_t DecodeUtf8(std::string_view s, char32_t& c, bool& ok) {
    const auto lead = static_cast<unsigned char>(s[0]);
    ok = false;
    c = 0;
    if (lead < 0x80) {
        c = lead;
        ok = true;
        return 1;
    }
    const size_t n = Utf8SequenceLength(s);
    if (n == 1) return 1;
    c = lead & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    ok = c >= kShortest[n] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    return n;
}

// UTF-8 -> Windows-1250; returns false when anything was replaced by '?'.
bool ToCp1250(std::string_view utf8, std::string& out) {
    bool all = true;
    while (!utf8.empty()) {
        char32_t c = 0;
        bool ok = false;
        const size_t n = DecodeUtf8(utf8, c, ok);
        const int byte = ok ? ByteOf(c) : -1;
        out += byte < 0 ? '?' : static_cast<char>(byte);
        all = all && byte >= 0;
        utf8.remove_prefix(n);
    }
    return all;
}

}  // namespace

std::string Cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        const char32_t c = u < 0x80 ? u : kUpperHalf[u - 0x80];
        AppendUtf8(out, c == 0 && u != 0 ? 0xFFFD : c);
    }
    return out;
}

std::string Utf8ToCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    ToCp1250(utf8, out);
    return out;
}

bool IsRepresentableInCp1250(std::string_view utf8) {
    std::string ignored;
    return ToCp1250(utf8, ignored);
}

}  // namespace tolarka
