#include "keynames.h"

#include "text.h"

namespace dk {

namespace {
struct Named {
    std::string_view name;
    char first;  // 0 for an extended key
    char code;
};
constexpr Named kNames[] = {
    {"Enter", 13, 0},  {"Esc", 27, 0},     {"Escape", 27, 0}, {"Backspace", 8, 0},
    {"Tab", 9, 0},     {"Space", ' ', 0},  {"Up", 0, 72},     {"Down", 0, 80},
    {"Left", 0, 75},   {"Right", 0, 77},   {"Home", 0, 71},   {"End", 0, 79},
    {"PgUp", 0, 73},   {"PgDn", 0, 81},    {"Ins", 0, 82},    {"Del", 0, 83},
    {"F1", 0, 59},     {"F2", 0, 60},      {"F3", 0, 61},     {"F4", 0, 62},
    {"F5", 0, 63},     {"F6", 0, 64},      {"F7", 0, 65},     {"F8", 0, 66},
    {"F9", 0, 67},     {"F10", 0, 68},     {"F11", 0, char(133)}, {"F12", 0, char(134)},
    {"Close", 0, 107},
};
}  // namespace

std::optional<std::string> KeyBytes(std::string_view name) {
    for (const Named& n : kNames)
        if (n.name == name) return n.first != 0 ? std::string(1, n.first) : std::string{'\0', n.code};
    std::size_t i = 0;
    if (!name.empty()) {
        const char32_t cp = DecodeUtf8(name, i);
        const int b = Cp1252FromUnicode(cp);
        if (i == name.size() && b > 0) return std::string(1, static_cast<char>(b));
    }
    return std::nullopt;
}

std::string_view KeyNameList() {
    return "Enter Esc Backspace Tab Space Up Down Left Right Home End PgUp PgDn Ins Del "
           "F1..F12 Close, or any single character";
}

}  // namespace dk
