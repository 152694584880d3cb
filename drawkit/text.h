// Windows-1252 text constants written as UTF-8 in the source: the conversion
// runs at compile time, so every table of texts stays a constant of single
// bytes, exactly as the screens draw them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dk {

// Windows-1252 byte for a Unicode code point, or -1 when it has none.
constexpr int Cp1252FromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
    constexpr char32_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (high[i] != 0 && high[i] == cp) return 0x80 + i;
    return -1;
}

// Unicode code point of a Windows-1252 byte (U+FFFD for the five unused ones).
constexpr char32_t Cp1252ToUnicode(unsigned char b) {
    if (b < 0x80 || b >= 0xA0) return b;
    for (char32_t cp = 0x100; cp < 0x2200; ++cp)
        if (Cp1252FromUnicode(cp) == b) return cp;
    return 0xFFFD;
}

// Decodes one UTF-8 sequence starting at s[i]; advances i. Returns U+FFFD for
// malformed input.
constexpr char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (more < 0) return 0xFFFD;
    char32_t cp = c & (0x3F >> more);
    for (; more > 0; --more) {
        if (i >= s.size()) return 0xFFFD;
        const unsigned char d = static_cast<unsigned char>(s[i]);
        if ((d & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (d & 0x3F);
        ++i;
    }
    return cp;
}

// Appends the UTF-8 encoding of a code point of the Basic Multilingual Plane
// (every Windows-1252 character is one).
inline void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// A constant text of at most 80 Windows-1252 bytes.
struct Text {
    char b[81] = {};
    unsigned char n = 0;

    consteval Text(const char* utf8) {
        const std::string_view s(utf8);
        std::size_t i = 0;
        while (i < s.size()) {
            const int w = Cp1252FromUnicode(DecodeUtf8(s, i));
            if (w < 0 || n >= 80) throw "text not representable in 80 Windows-1252 bytes";
            b[n++] = static_cast<char>(w);
        }
    }
    constexpr std::string_view sv() const { return {b, n}; }
    constexpr operator std::string_view() const { return sv(); }
    constexpr std::size_t size() const { return n; }
};

}  // namespace dk
