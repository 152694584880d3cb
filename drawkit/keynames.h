// Names of keys as the tests and tools write them ("Up", "Enter", "F1",
// "Close", or a character), and the bytes each puts in the key queue.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dk {

// The queue bytes of a named key, or nothing for an unknown name. A name of
// one character (UTF-8, converted to Windows-1252) is that character.
std::optional<std::string> KeyBytes(std::string_view name);

// The list of key names, for help texts.
std::string_view KeyNameList();

}  // namespace dk
