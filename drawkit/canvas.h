// The canvas: a 640 x 480 framebuffer with the drawing state of a BGI-style
// graphics library. Pure C++: no window, no clock, no keyboard. Every drawing
// operation of the layer is a member here; the backends only show `px`.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace dk {

using Colour = std::uint32_t;  // 0x00RRGGBB

inline constexpr Colour Black = 0x000000;
inline constexpr Colour Blue = 0x0000A8;
inline constexpr Colour Red = 0xA80000;
inline constexpr Colour LightGray = 0xA8A8A8;
inline constexpr Colour Yellow = 0xFCFC54;
inline constexpr Colour White = 0xFCFCFC;

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 480;

// Line styles and the one fill style the program uses.
inline constexpr int SolidLn = 0;
inline constexpr int DottedLn = 1;
inline constexpr int NormWidth = 1;
inline constexpr int ThickWidth = 3;
inline constexpr int SolidFill = 1;

// The dotted line pattern: two pixels on, two off, starting afresh with every
// line, the lowest bit first.
inline constexpr std::uint16_t kDottedPattern = 0x3333;

struct Canvas {
    Canvas();

    // Back to the state of a freshly opened window: all black, default styles.
    void Reset();

    std::array<Colour, kWidth * kHeight> px{};

    // Drawing state.
    int vx1 = 0, vy1 = 0, vx2 = kWidth - 1, vy2 = kHeight - 1;
    bool clip = true;
    Colour color = White;
    Colour bkcolor = Black;
    Colour fillcolor = White;
    int fillstyle = SolidFill;
    int linestyle = SolidLn;
    int linepattern = 0;
    int thickness = NormWidth;
    int font = 0, direction = 0, charsize = 2;
    int cpx = 0, cpy = 0;  // current position, relative to the viewport

    // Counts every change of the pixels, so a backend presents only what changed.
    std::uint64_t generation = 0;

    void SetViewPort(int x1, int y1, int x2, int y2, bool clipOn);
    void ClearViewPort();
    void SetColor(Colour c) { color = c; }
    void SetBkColor(Colour c) { bkcolor = c; }
    void SetFillStyle(int style, Colour c) { fillstyle = style; fillcolor = c; }
    void SetLineStyle(int style, int pattern, int thick);
    void SetTextStyle(int f, int dir, int size);
    void Line(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y) { cpx = x; cpy = y; }
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Bar(int x1, int y1, int x2, int y2);
    void FloodFill(int x, int y, Colour border);
    void PutPixel(int x, int y, Colour c);
    void OutTextXY(int x, int y, std::string_view s);
    int GetMaxX() const { return kWidth - 1; }
    int GetMaxY() const { return kHeight - 1; }

    // Pixel at absolute window coordinates (not viewport relative).
    Colour At(int x, int y) const { return px[static_cast<std::size_t>(y) * kWidth + x]; }

    // Text cell size for the current text style.
    int CharWidth() const;
    int CharHeight() const;

private:
    void Plot(int ax, int ay, Colour c);  // absolute, clipped
    void ThinLine(int x1, int y1, int x2, int y2);

    // Scratch memory of the flood fill, reserved once so that filling never
    // allocates: a mark per pixel and a stack of seeds large enough for the
    // worst case (each pixel can be pushed from the row above and below).
    std::vector<std::uint8_t> fillMark_;
    std::vector<std::uint32_t> fillStack_;
};

}  // namespace dk
