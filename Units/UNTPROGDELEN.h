// Program utilities: the beep, the key reader every screen uses with the
// shared last key, the day number of a date, and the numeric field rule by
// which field text becomes a number.
#pragma once

#include <cstdint>
#include <string_view>

extern char KR;  // the shared last key

void BROM();
void LEESKEY(char& CH);

// Whole-number form: leading blanks and tabs skipped, an optional sign, then
// decimal digits to the end of the text; anything else (or a value beyond
// 32 bits) is 0.
std::int32_t HEELGETAL(std::string_view s);

// Decimal form: leading blanks and tabs skipped, an optional sign, digits,
// optionally "." and digits, optionally "E"/"e", a sign and digits; the text
// must be used up and hold a digit, and the value be finite, else 0.
double REEELGETAL(std::string_view s);

// Day number of a date written yymmdd, counted from 31 December 1900.
std::int32_t DAGNUMMER(std::string_view SDATUM);

// Characters p .. p+n-1 (counting from 1) of s, as far as s reaches.
constexpr std::string_view DEEL(std::string_view s, std::size_t p, std::size_t n) {
    if (p < 1 || p > s.size()) return {};
    return s.substr(p - 1, n);
}
