// The scatter screen over arbitrary bytes as the observation file: every
// gauge cell plotted in turn, then QUIT. It must end cleanly (status 0).
#include <cstdlib>

#include "UNTREGM4.h"
#include "fuzzing.h"

namespace {
void screen() { PUNTENWOLKEN(2); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::EnterScratchDir();
    fz::WriteObservations(data, size);
    // R15 is plotted on entry; then cells 6, 7, 8, QUIT (wrap), 2, 3, 4 and back to QUIT.
    std::vector<dk::headless::ScriptKey> keys;
    const std::string right{'\0', char(77)}, left{'\0', char(75)};
    for (int cell = 6; cell <= 8; ++cell) keys.insert(keys.end(), {{right}, {"\r"}});
    keys.insert(keys.end(), {{right}, {right}, {"\r"}, {right}, {"\r"}, {right}, {"\r"}});
    keys.insert(keys.end(), {{left}, {left}, {left}, {"\r"}});
    const auto run = fz::RunScreen(keys, screen);
    if (run.status != 0 || run.scriptEnded) std::abort();
    return 0;
}
