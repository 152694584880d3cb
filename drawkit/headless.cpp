#include "headless.h"

#include <cstdio>
#include <stdexcept>

#include "keynames.h"

namespace dk::headless {

namespace {

Run* gRun = nullptr;
std::size_t gNext = 0;  // next script entry

// The end of the script ends the run cleanly.
struct ScriptEnd {};

void deliver() {
    QueueKey(gRun->script[gNext++].bytes);
    while (gNext < gRun->script.size() && gRun->script[gNext].when == ScriptKey::When::Ahead)
        QueueKey(gRun->script[gNext++].bytes);
}

void capture() {
    if (!gRun->captureFrames) return;
    if (!gRun->keepAllFrames) gRun->frames.clear();
    auto f = std::make_unique<Frame>(TheCanvas().px);
    gRun->frames.push_back(std::move(f));
}

void hOpen(const char* title) {
    gRun->opened = true;
    gRun->closed = false;
    gRun->title = title;
}
void hClose() {
    if (gRun->opened) gRun->closed = true;
}
void hPoll() {
    ++gRun->keyPressedCalls;
    if (gRun->onPoll != nullptr) gRun->onPoll(gRun->keyPressedCalls);
    while (gNext < gRun->script.size() && gRun->script[gNext].when == ScriptKey::When::AtPoll &&
           gRun->keyPressedCalls >= gRun->script[gNext].poll)
        deliver();
}
void hWaitKey() {
    capture();
    if (gNext >= gRun->script.size()) throw ScriptEnd{};
    deliver();
}
void hDelay(int ms) {
    gRun->calls.push_back({false, 0, ms, gRun->clockMs});
    gRun->clockMs += ms > 0 ? ms : 0;
}
void hSound(int hz, int ms) {
    gRun->calls.push_back({true, hz, ms, gRun->clockMs});
    gRun->clockMs += ms > 0 ? ms : 0;
}
void hReport(int, const std::string& text) { gRun->errorText = text; }

constexpr Backend kBackend{"headless", hOpen, hClose, hPoll, hWaitKey, hDelay, hSound, hReport};

void (*gBody)() = nullptr;
void runBody() {
    try {
        gBody();
    } catch (const ScriptEnd&) {
        gRun->scriptEnded = true;
    }
}

}  // namespace

const Backend& TheBackend() { return kBackend; }

std::vector<ScriptKey> Keys(std::initializer_list<std::string_view> names) {
    std::vector<ScriptKey> out;
    for (std::string_view n : names) {
        auto b = KeyBytes(n);
        if (!b) throw std::invalid_argument("unknown key name: " + std::string(n));
        out.push_back({*b});
    }
    return out;
}

void Execute(Run& run, void (*body)()) {
    gRun = &run;
    gNext = 0;
    gBody = body;
    run.status = RunProgram(kBackend, runBody);
    gRun = nullptr;
}

}  // namespace dk::headless
