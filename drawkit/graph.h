// The drawing and keyboard services in the shape of a BGI-style library:
// free functions over one canvas, one key queue and one backend (the SDL
// window, or the headless backend of the tests and tools).
#pragma once

#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "canvas.h"

namespace dk {

// --- Failures -------------------------------------------------------------

// A numbered run-time error: ends the program with exit status `code`.
struct RuntimeError : std::runtime_error {
    RuntimeError(int c, const std::string& text) : std::runtime_error(text), code(c) {}
    int code;
};

// Conventional run-time error numbers.
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kReadError = 100;
inline constexpr int kFileNotOpen = 103;
inline constexpr int kRangeCheck = 201;
inline constexpr int kOverflow = 215;

// Throws RuntimeError with the text "Runtime error N: what".
[[noreturn]] void RunError(int code, std::string_view what);

// The run ends at once without an error (a signal, or the end of a test's
// key script); `status` is the exit status.
struct Terminated {
    int status;
};

// --- Backends -------------------------------------------------------------

struct Backend {
    const char* name;
    void (*open)(const char* title);  // opens the window (may RunError)
    void (*close)();                  // closes it; harmless when closed
    // Called by KeyPressed when the queue is empty: may look at window events
    // and present the canvas. Must be cheap when called once per record.
    void (*poll)();
    // Blocks until the key queue holds a key.
    void (*waitKey)();
    void (*delay)(int ms);
    void (*sound)(int hz, int ms);
    // Shows a run-time error to the user (stderr is written by RunProgram).
    void (*report)(int code, const std::string& text);
};

// Runs `body` on `backend` and returns the exit status: 0, the number of a
// run-time error (reported on stderr and by the backend), or the status of a
// Terminated.
int RunProgram(const Backend& backend, void (*body)());

// The canvas every operation draws on.
Canvas& TheCanvas();

// --- Key queue ------------------------------------------------------------

inline constexpr int kQueueSize = 31;

// Appends one key (one byte, or 0 and a second code); when the queue is full
// the oldest keys are dropped, whole, to make room.
void QueueKey(std::string_view bytes);
void ClearKeyQueue();
int QueuedBytes();

// --- The services the program uses -----------------------------------------

void InitGraph(int driver, int mode, const char* title);
void SetGraphMode(int mode);
void CloseGraph();

void SetViewPort(int x1, int y1, int x2, int y2, bool clip);
void ClearViewPort();
void SetColor(Colour c);
void SetBkColor(Colour c);
void SetFillStyle(int style, Colour c);
void SetLineStyle(int style, int pattern, int thickness);
void SetTextStyle(int font, int direction, int size);
void Line(int x1, int y1, int x2, int y2);
void MoveTo(int x, int y);
void LineTo(int x, int y);
void Rectangle(int x1, int y1, int x2, int y2);
void Bar(int x1, int y1, int x2, int y2);
void FloodFill(int x, int y, Colour border);
void PutPixel(int x, int y, Colour c);
void OutTextXY(int x, int y, std::string_view s);
int GetMaxX();
int GetMaxY();

bool KeyPressed();
char ReadKey();
void Delay(int ms);
void Sound(int hz, int ms);

// True when v fits a 16-bit signed integer, the coordinate type of the services.
constexpr bool Fits16(long long v) { return v >= -32768 && v <= 32767; }
// The same test for a computed double, made before converting it (a double
// beyond the range of an integer type cannot be converted); NaN does not fit.
template <std::floating_point T>
constexpr bool Fits16(T v) { return v >= -32768.0 && v <= 32767.0; }

}  // namespace dk
