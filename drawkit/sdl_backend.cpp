#include "sdl_backend.h"

#include <SDL.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text.h"

namespace dk::sdl {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kFrame = std::chrono::microseconds(16667);  // at most one present per frame
constexpr auto kPumpInterval = std::chrono::milliseconds(1);
constexpr int kSampleRate = 22050;

SDL_Window* gWindow = nullptr;
SDL_Renderer* gRenderer = nullptr;
SDL_Texture* gTexture = nullptr;
std::uint64_t gShownGeneration = ~std::uint64_t{0};
bool gExposed = false;
Clock::time_point gLastPresent{};
Clock::time_point gLastPump{};

bool gAudioTried = false;
SDL_AudioDeviceID gAudio = 0;

// SDL turns SIGINT and SIGTERM into SDL_QUIT; remember which signal it was,
// so that the exit status can tell.
volatile std::sig_atomic_t gSignal = 0;
void (*gSdlHandler[2])(int) = {nullptr, nullptr};
void onSignal(int sig) {
    gSignal = sig;
    void (*h)(int) = gSdlHandler[sig == SIGINT ? 0 : 1];
    if (h != nullptr) h(sig);
}
void chainSignal(int sig, int slot) {
    struct sigaction old {};
    if (sigaction(sig, nullptr, &old) != 0) return;
    if ((old.sa_flags & SA_SIGINFO) || old.sa_handler == SIG_DFL || old.sa_handler == SIG_IGN) return;
    gSdlHandler[slot] = old.sa_handler;
    struct sigaction mine {};
    mine.sa_handler = onSignal;
    sigemptyset(&mine.sa_mask);
    sigaction(sig, &mine, nullptr);
}

std::string toUtf8(std::string_view cp1252) {
    std::string out;
    for (unsigned char b : cp1252) AppendUtf8(out, Cp1252ToUnicode(b));
    return out;
}

void present(Clock::time_point now) {
    const Canvas& c = TheCanvas();
    if (gRenderer == nullptr || (c.generation == gShownGeneration && !gExposed)) return;
    SDL_UpdateTexture(gTexture, nullptr, c.px.data(), kWidth * int(sizeof(Colour)));
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    SDL_RenderClear(gRenderer);
    SDL_RenderCopy(gRenderer, gTexture, nullptr, nullptr);
    SDL_RenderPresent(gRenderer);
    gShownGeneration = c.generation;
    gExposed = false;
    gLastPresent = now;
}

bool dirty() { return gRenderer != nullptr && (TheCanvas().generation != gShownGeneration || gExposed); }

// Presents when the canvas changed and a frame has passed since the last
// present; otherwise returns how long until it may (or -1: nothing to show).
int presentIfDue() {
    if (!dirty()) return -1;
    const auto now = Clock::now();
    const auto since = now - gLastPresent;
    if (since >= kFrame) {
        present(now);
        return -1;
    }
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(kFrame - since).count()) + 1;
}

void queueExtended(int code) { QueueKey(std::string{'\0', char(code)}); }

void onKeyDown(const SDL_KeyboardEvent& k) {
    const auto mod = k.keysym.mod;
    switch (k.keysym.scancode) {
        case SDL_SCANCODE_UP: return queueExtended(72);
        case SDL_SCANCODE_DOWN: return queueExtended(80);
        case SDL_SCANCODE_LEFT: return queueExtended(75);
        case SDL_SCANCODE_RIGHT: return queueExtended(77);
        case SDL_SCANCODE_HOME: return queueExtended(71);
        case SDL_SCANCODE_END: return queueExtended(79);
        case SDL_SCANCODE_PAGEUP: return queueExtended(73);
        case SDL_SCANCODE_PAGEDOWN: return queueExtended(81);
        case SDL_SCANCODE_INSERT: return queueExtended(82);
        case SDL_SCANCODE_DELETE: return queueExtended(83);
        case SDL_SCANCODE_F11: return queueExtended(133);
        case SDL_SCANCODE_F12: return queueExtended(134);
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return QueueKey("\r");
        case SDL_SCANCODE_ESCAPE: return QueueKey("\x1b");
        case SDL_SCANCODE_BACKSPACE: return QueueKey("\b");
        case SDL_SCANCODE_TAB: return QueueKey("\t");
        default: break;
    }
    const int sc = k.keysym.scancode;
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F10) {
        if (sc == SDL_SCANCODE_F4 && (mod & KMOD_ALT)) return queueExtended(107);  // Alt+F4: a close request
        return queueExtended(59 + (sc - SDL_SCANCODE_F1));
    }
    // Ctrl with a letter brings no text input: queue the control character.
    if ((mod & KMOD_CTRL) && !(mod & KMOD_ALT) && k.keysym.sym >= SDLK_a && k.keysym.sym <= SDLK_z)
        QueueKey(std::string(1, char(k.keysym.sym - SDLK_a + 1)));
}

void onText(const char* utf8) {
    const std::string_view s(utf8);
    std::size_t i = 0;
    while (i < s.size()) {
        const int b = Cp1252FromUnicode(DecodeUtf8(s, i));
        if (b > 0) QueueKey(std::string(1, char(b)));
    }
}

void handle(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT: throw Terminated{gSignal != 0 ? 128 + int(gSignal) : 0};
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) queueExtended(107);
            else if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                     e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SHOWN)
                gExposed = true;
            break;
        case SDL_KEYDOWN: onKeyDown(e.key); break;
        case SDL_TEXTINPUT: onText(e.text.text); break;
        default: break;
    }
}

void drain() {
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) handle(e);
}

// Waits for window events until `deadline` (or until a key is queued when
// `untilKey`), presenting the canvas as it changes. Blocks in the window
// system: no CPU is used while nothing happens.
void waitUntil(const Clock::time_point* deadline, bool untilKey) {
    for (;;) {
        if (untilKey && QueuedBytes() > 0) return;
        int timeout = presentIfDue();
        if (deadline != nullptr) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
            if (left <= 0) return;
            if (timeout < 0 || left < timeout) timeout = int(left);
        }
        SDL_Event e;
        const int got = timeout < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeout);
        if (got) {
            handle(e);
            SDL_PumpEvents();
            drain();
        }
    }
}

void sdlOpen(const char* title) {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "morvelan: no display: cannot start the window system (%s)\n", SDL_GetError());
        throw Terminated{1};
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        (asked == nullptr || std::strcmp(asked, driver) != 0)) {
        std::fprintf(stderr, "morvelan: no display: set DISPLAY to an X server (or WAYLAND_DISPLAY) to open the window\n");
        SDL_Quit();
        throw Terminated{1};
    }
    chainSignal(SIGINT, 0);
    chainSignal(SIGTERM, 1);
    gWindow = SDL_CreateWindow(toUtf8(title).c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kWidth,
                               kHeight, SDL_WINDOW_RESIZABLE);
    if (gWindow != nullptr) gRenderer = SDL_CreateRenderer(gWindow, -1, SDL_RENDERER_SOFTWARE);
    if (gRenderer != nullptr)
        gTexture = SDL_CreateTexture(gRenderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    if (gTexture == nullptr) {
        std::fprintf(stderr, "morvelan: no display: cannot open the window (%s)\n", SDL_GetError());
        throw Terminated{1};
    }
    SDL_SetWindowMinimumSize(gWindow, kWidth, kHeight);
    SDL_RenderSetLogicalSize(gRenderer, kWidth, kHeight);
    SDL_RenderSetIntegerScale(gRenderer, SDL_TRUE);
    // The first picture is presented as soon as the program first waits or
    // polls, without waiting for a frame to pass.
    gShownGeneration = ~std::uint64_t{0};
    gLastPresent = Clock::now() - kFrame;
}

void sdlClose() {
    if (gAudio != 0) SDL_CloseAudioDevice(gAudio);
    gAudio = 0;
    gAudioTried = false;
    if (gTexture != nullptr) SDL_DestroyTexture(gTexture);
    if (gRenderer != nullptr) SDL_DestroyRenderer(gRenderer);
    if (gWindow != nullptr) SDL_DestroyWindow(gWindow);
    gTexture = nullptr;
    gRenderer = nullptr;
    gWindow = nullptr;
    SDL_Quit();
}

void sdlPoll() {
    const auto now = Clock::now();
    if (now - gLastPump < kPumpInterval) return;
    gLastPump = now;
    SDL_PumpEvents();
    drain();
    if (dirty() && now - gLastPresent >= kFrame) present(now);
}

void sdlWaitKey() { waitUntil(nullptr, true); }

void sdlDelay(int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0);
    waitUntil(&deadline, false);
}

void openAudio() {
    gAudioTried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    SDL_AudioSpec want{}, have{};
    want.freq = kSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 256;
    gAudio = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

void sdlSound(int hz, int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0);
    if (!gAudioTried) openAudio();
    if (gAudio != 0 && hz > 0 && ms > 0) {
        // A square wave in chunks from a fixed buffer, phase kept across chunks.
        static Sint16 chunk[kSampleRate / 10];
        const long total = long(kSampleRate) * ms / 1000;
        const long half = std::max(1L, long(kSampleRate) / (2L * hz));
        long done = 0;
        SDL_ClearQueuedAudio(gAudio);
        while (done < total) {
            const long n = std::min<long>(total - done, long(std::size(chunk)));
            for (long i = 0; i < n; ++i) chunk[i] = ((done + i) / half) % 2 == 0 ? 6000 : -6000;
            SDL_QueueAudio(gAudio, chunk, Uint32(n * sizeof(Sint16)));
            done += n;
        }
        SDL_PauseAudioDevice(gAudio, 0);
    }
    waitUntil(&deadline, false);
    if (gAudio != 0) {
        SDL_PauseAudioDevice(gAudio, 1);
        SDL_ClearQueuedAudio(gAudio);
    }
}

void sdlReport(int, const std::string& text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text.c_str(), gWindow);
}

constexpr Backend kBackend{"sdl", sdlOpen, sdlClose, sdlPoll, sdlWaitKey, sdlDelay, sdlSound, sdlReport};

}  // namespace

const Backend& TheBackend() { return kBackend; }

}  // namespace dk::sdl
