// A whole catch-loss pass over arbitrary bytes as the observation file, in a
// variant taken from the first byte: it must end cleanly (status 0), never
// crash or trip a sanitizer.
#include <cstdlib>

#include "UNTREGM3.h"
#include "fuzzing.h"
#include "keynames.h"

namespace {
int gVariant = 0;
void screen() { TOONVANGVERLIES(std::int16_t(1 + gVariant % 3), std::int16_t(gVariant % 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::EnterScratchDir();
    gVariant = size > 0 ? data[0] : 0;
    fz::WriteObservations(data + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    const auto run = fz::RunScreen({{"x"}}, screen);
    if (run.status != 0 || run.scriptEnded) std::abort();
    return 0;
}
