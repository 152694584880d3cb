#include "UNTPROGDELEN.h"

#include <charconv>
#include <cmath>

#include "graph.h"

using namespace dk;

char KR = 0;

void BROM() { Sound(50, 15); }

void LEESKEY(char& CH) {
    char TTS;
    while (KeyPressed()) {
        TTS = ReadKey();
        (void)TTS;
    }
    do {
        CH = ReadKey();
    } while (CH == 0);
}

namespace {
std::size_t skipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i;
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::int32_t HEELGETAL(std::string_view s) {
    std::size_t i = skipBlanks(s);
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    if (i >= s.size()) return 0;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!isDigit(s[i])) return 0;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL) return 0;
    }
    if (neg) v = -v;
    if (v > 2147483647LL) return 0;
    return static_cast<std::int32_t>(v);
}

double REEELGETAL(std::string_view s) {
    std::size_t i = skipBlanks(s);
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) { ++i; ++expDigits; }
        if (expDigits == 0) return 0;
    }
    if (i != s.size()) return 0;
    // The text is valid; the library turns it into the nearest double.
    double v = 0;
    const auto r = std::from_chars(s.data() + start, s.data() + i, v, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    return neg ? -v : v;
}

std::int32_t DAGNUMMER(std::string_view SDATUM) {
    static constexpr std::int32_t VOOR[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    std::int32_t JJ = HEELGETAL(DEEL(SDATUM, 1, 2));
    std::int32_t MM = HEELGETAL(DEEL(SDATUM, 3, 2));
    std::int32_t DD = HEELGETAL(DEEL(SDATUM, 5, 2));
    if (JJ < 0) JJ = 0;  // no "-" is accepted
    if (MM < 0) MM = 0;
    if (DD < 0) DD = 0;
    if (MM < 1) MM = 1;
    if (MM > 12) MM = 12;
    std::int32_t DAG = VOOR[MM - 1];
    DAG = DAG + DD;
    if (JJ % 4 == 0 && MM > 2) DAG = DAG + 1;
    return (JJ - 1) * 365 + (JJ - 1) / 4 + DAG;
}
