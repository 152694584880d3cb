// Day numbers of arbitrary date texts: never a crash, and always within the
// range that two-digit years, clamped months and two-digit days allow.
#include <cstdlib>
#include <string_view>

#include "UNTPROGDELEN.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view s(reinterpret_cast<const char*>(data), size);
    const std::int32_t n = DAGNUMMER(s);
    if (n < -365 || n > 99 * 365 + 24 + 334 + 99 + 1) std::abort();
    return 0;
}
