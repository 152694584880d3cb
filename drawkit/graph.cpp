#include "graph.h"

#include <cstdio>
#include <exception>

namespace dk {

namespace {

Canvas& canvasStorage() {
    static Canvas* canvas = new Canvas();  // lives for the whole process
    return *canvas;
}

const Backend* gBackend = nullptr;

struct KeyQueue {
    unsigned char b[kQueueSize] = {};
    int head = 0, count = 0;
    unsigned char at(int i) const { return b[(head + i) % kQueueSize]; }
    void dropOldest() {
        const int n = (at(0) == 0 && count >= 2) ? 2 : 1;
        head = (head + n) % kQueueSize;
        count -= n;
    }
    void push(unsigned char c) { b[(head + count++) % kQueueSize] = c; }
    unsigned char pop() {
        const unsigned char c = b[head];
        head = (head + 1) % kQueueSize;
        --count;
        return c;
    }
} gQueue;

const Backend& backend() {
    if (gBackend == nullptr) RunError(kFileNotOpen, "graphics not initialised");
    return *gBackend;
}

void check(long long v) {
    if (!Fits16(v)) RunError(kRangeCheck, "coordinate " + std::to_string(v) + " does not fit 16 bits");
}
void check(int a, int b) { check(a); check(b); }
void check(int a, int b, int c, int d) { check(a); check(b); check(c); check(d); }

}  // namespace

[[noreturn]] void RunError(int code, std::string_view what) {
    throw RuntimeError(code, "Runtime error " + std::to_string(code) + ": " + std::string(what));
}

Canvas& TheCanvas() { return canvasStorage(); }

int RunProgram(const Backend& b, void (*body)()) {
    gBackend = &b;
    ClearKeyQueue();
    int status = 0;
    try {
        body();
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::fflush(stderr);
        b.report(e.code, e.what());
        status = e.code;
    } catch (const Terminated& t) {
        status = t.status;
    }
    b.close();
    gBackend = nullptr;
    return status;
}

void QueueKey(std::string_view bytes) {
    const int n = static_cast<int>(bytes.size());
    if (n == 0 || n > kQueueSize) return;
    while (kQueueSize - gQueue.count < n) gQueue.dropOldest();
    for (char c : bytes) gQueue.push(static_cast<unsigned char>(c));
}

void ClearKeyQueue() { gQueue.head = gQueue.count = 0; }
int QueuedBytes() { return gQueue.count; }

void InitGraph(int, int, const char* title) {
    TheCanvas().Reset();
    backend().open(title);
}
void SetGraphMode(int) {}
void CloseGraph() { backend().close(); }

void SetViewPort(int x1, int y1, int x2, int y2, bool clip) {
    check(x1, y1, x2, y2);
    TheCanvas().SetViewPort(x1, y1, x2, y2, clip);
}
void ClearViewPort() { TheCanvas().ClearViewPort(); }
void SetColor(Colour c) { TheCanvas().SetColor(c); }
void SetBkColor(Colour c) { TheCanvas().SetBkColor(c); }
void SetFillStyle(int style, Colour c) { TheCanvas().SetFillStyle(style, c); }
void SetLineStyle(int style, int pattern, int thickness) { TheCanvas().SetLineStyle(style, pattern, thickness); }
void SetTextStyle(int font, int direction, int size) { TheCanvas().SetTextStyle(font, direction, size); }
void Line(int x1, int y1, int x2, int y2) { check(x1, y1, x2, y2); TheCanvas().Line(x1, y1, x2, y2); }
void MoveTo(int x, int y) { check(x, y); TheCanvas().MoveTo(x, y); }
void LineTo(int x, int y) { check(x, y); TheCanvas().LineTo(x, y); }
void Rectangle(int x1, int y1, int x2, int y2) { check(x1, y1, x2, y2); TheCanvas().Rectangle(x1, y1, x2, y2); }
void Bar(int x1, int y1, int x2, int y2) { check(x1, y1, x2, y2); TheCanvas().Bar(x1, y1, x2, y2); }
void FloodFill(int x, int y, Colour border) { check(x, y); TheCanvas().FloodFill(x, y, border); }
void PutPixel(int x, int y, Colour c) { check(x, y); TheCanvas().PutPixel(x, y, c); }
void OutTextXY(int x, int y, std::string_view s) { check(x, y); TheCanvas().OutTextXY(x, y, s); }
int GetMaxX() { return TheCanvas().GetMaxX(); }
int GetMaxY() { return TheCanvas().GetMaxY(); }

bool KeyPressed() {
    backend().poll();
    return gQueue.count > 0;
}

char ReadKey() {
    while (gQueue.count == 0) backend().waitKey();
    return static_cast<char>(gQueue.pop());
}

void Delay(int ms) { backend().delay(ms); }
void Sound(int hz, int ms) { backend().sound(hz, ms); }

}  // namespace dk
