// The numeric field rule on arbitrary text: never a crash, never a value
// that is not finite, and a text that is not a number reads as 0.
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "UNTPROGDELEN.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view s(reinterpret_cast<const char*>(data), size);
    const double d = REEELGETAL(s);
    if (!std::isfinite(d)) std::abort();
    const std::int32_t i = HEELGETAL(s);
    // A whole number in the whole-number form is also one in the decimal form.
    if (i != 0 && d != double(i)) std::abort();
    // Neither form accepts a text with no digit.
    if (s.find_first_of("0123456789") == std::string_view::npos && (d != 0 || i != 0)) std::abort();
    return 0;
}
