// Figures of the real program in a private X server: process start to the
// first presented frame (beside a bare SDL program, the floor), CPU used
// while waiting for a key, and peak resident memory.
#include "support.h"
#include "xserver.h"

#include <X11/Xutil.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long Ticks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream f(s.substr(s.rfind(')') + 2));
    std::string field;
    long t = 0;
    for (int i = 3; i <= 15 && f >> field; ++i)
        if (i == 14 || i == 15) t += std::stol(field);
    return t;
}

long PeakKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

// Starts `binary` and returns milliseconds until pixel (x, y) of its window
// shows `colour`, or -1.
double FirstFrame(ts::XServer& x, const std::string& binary, const std::string& title, int px, int py,
                  unsigned colour, const std::string& dir, pid_t* keep = nullptr, ts::Program** out = nullptr) {
    const auto start = Clock::now();
    auto* prog = new ts::Program(binary, dir, x.display());
    Window w = 0;
    while (w == 0 && Clock::now() - start < std::chrono::seconds(10)) w = x.FindWindow(title, 0);
    double ms = -1;
    while (w != 0 && Clock::now() - start < std::chrono::seconds(10)) {
        XImage* img = XGetImage(x.dpy(), w, px, py, 1, 1, AllPlanes, ZPixmap);
        if (img != nullptr) {
            const unsigned c = unsigned(XGetPixel(img, 0, 0)) & 0xFFFFFF;
            XDestroyImage(img);
            if (c == colour) {
                ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                break;
            }
        }
    }
    if (keep != nullptr) *keep = prog->pid();
    if (out != nullptr) *out = prog;
    else delete prog;
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const int waitSeconds = argc > 2 ? std::atoi(argv[2]) : 10;
    ts::XServer x;
    if (!x.ok()) {
        std::fprintf(stderr, "perf_window: %s\n", x.error().c_str());
        return 1;
    }
    ts::TempDir dir;
    const std::string bare = std::string(MORVELAN_BINARY).substr(0, std::string(MORVELAN_BINARY).rfind('/')) +
                             "/bench/bare_window";
    double bestBare = 1e9, bestProg = 1e9, sumBare = 0, sumProg = 0;
    for (int i = 0; i < runs; ++i) {
        const double b = FirstFrame(x, bare, "bare window", 10, 10, 0xA80000, dir.path());
        const double p = FirstFrame(x, MORVELAN_BINARY, "Kelvanoor data presentation", 72, 82, 0xA80000, dir.path());
        bestBare = std::min(bestBare, b);
        bestProg = std::min(bestProg, p);
        sumBare += b;
        sumProg += p;
    }
    std::printf("| figure | morvelan | bare SDL window |\n|---|---|---|\n");
    std::printf("| process start to first presented frame, best of %d | %.1f ms | %.1f ms |\n", runs, bestProg,
                bestBare);
    std::printf("| same, mean of %d | %.1f ms | %.1f ms |\n", runs, sumProg / runs, sumBare / runs);

    pid_t pid = 0, barePid = 0;
    ts::Program* prog = nullptr;
    ts::Program* bareProg = nullptr;
    FirstFrame(x, MORVELAN_BINARY, "Kelvanoor data presentation", 72, 82, 0xA80000, dir.path(), &pid, &prog);
    FirstFrame(x, bare, "bare window", 10, 10, 0xA80000, dir.path(), &barePid, &bareProg);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const long t0 = Ticks(pid);
    std::this_thread::sleep_for(std::chrono::seconds(waitSeconds));
    const long used = Ticks(pid) - t0;
    std::printf("| CPU used while waiting for a key, %d s | %ld clock ticks (%.1f ms) | |\n", waitSeconds, used,
                used * 1000.0 / double(sysconf(_SC_CLK_TCK)));
    std::printf("| peak resident memory | %ld KiB | %ld KiB |\n", PeakKiB(pid), PeakKiB(barePid));
    delete prog;
    delete bareProg;
    return 0;
}
