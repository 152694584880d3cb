#include "fuzzing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "UNTGRAPHICS.h"
#include "graph.h"

namespace fz {

void EnterScratchDir() {
    static bool done = false;
    if (done) return;
    char tmpl[] = "/tmp/morvelan-fuzz-XXXXXX";
    if (mkdtemp(tmpl) == nullptr || chdir(tmpl) != 0) std::abort();
    done = true;
}

void WriteObservations(const std::uint8_t* data, std::size_t size) {
    const int fd = open("MORVELAN.VSs", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += std::size_t(n);
    }
    close(fd);
}

namespace {
void (*gScreen)() = nullptr;
void body() {
    GRHAALDRIVER();
    dk::SetTextStyle(0, 0, 2);
    dk::SetLineStyle(dk::SolidLn, 0, dk::NormWidth);
    gScreen();
}
}  // namespace

dk::headless::Run RunScreen(std::vector<dk::headless::ScriptKey> keys, void (*screen)()) {
    dk::headless::Run run;
    run.script = std::move(keys);
    run.keepAllFrames = false;
    run.captureFrames = false;
    gScreen = screen;
    dk::headless::Execute(run, body);
    return run;
}

}  // namespace fz
