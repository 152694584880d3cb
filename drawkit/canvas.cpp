#include "canvas.h"

#include <algorithm>
#include <cstdlib>

namespace dk {

namespace {
constexpr unsigned char kFont[256][16] = {
#include "font8x16.inc"
};
}  // namespace

Canvas::Canvas()
    : fillMark_(static_cast<std::size_t>(kWidth) * kHeight),
      fillStack_(static_cast<std::size_t>(kWidth) * kHeight * 2 + 1) {
    px.fill(Black);
}

void Canvas::Reset() {
    px.fill(Black);
    vx1 = 0; vy1 = 0; vx2 = kWidth - 1; vy2 = kHeight - 1;
    clip = true;
    color = White; bkcolor = Black; fillcolor = White; fillstyle = SolidFill;
    linestyle = SolidLn; linepattern = 0; thickness = NormWidth;
    font = 0; direction = 0; charsize = 2;
    cpx = 0; cpy = 0;
    ++generation;
}

void Canvas::SetViewPort(int x1, int y1, int x2, int y2, bool clipOn) {
    // A viewport outside the window or reversed is refused, as the graphics
    // library it stands in for does: the old one stays.
    if (x1 < 0 || y1 < 0 || x2 >= kWidth || y2 >= kHeight || x1 > x2 || y1 > y2) return;
    vx1 = x1; vy1 = y1; vx2 = x2; vy2 = y2;
    clip = clipOn;
    cpx = 0; cpy = 0;
}

void Canvas::ClearViewPort() {
    for (int y = vy1; y <= vy2; ++y) {
        Colour* row = &px[static_cast<std::size_t>(y) * kWidth];
        std::fill(row + vx1, row + vx2 + 1, bkcolor);
    }
    cpx = 0; cpy = 0;
    ++generation;
}

void Canvas::SetLineStyle(int style, int pattern, int thick) {
    linestyle = style;
    linepattern = pattern;
    thickness = thick;
}

void Canvas::SetTextStyle(int f, int dir, int size) {
    font = f;
    direction = dir;
    charsize = size < 1 ? 1 : size;
}

int Canvas::CharWidth() const { return 4 * charsize; }
int Canvas::CharHeight() const { return 8 * charsize; }

inline void Canvas::Plot(int ax, int ay, Colour c) {
    if (clip && (ax < vx1 || ax > vx2 || ay < vy1 || ay > vy2)) return;
    if (ax < 0 || ax >= kWidth || ay < 0 || ay >= kHeight) return;
    px[static_cast<std::size_t>(ay) * kWidth + ax] = c;
}

void Canvas::PutPixel(int x, int y, Colour c) {
    Plot(x + vx1, y + vy1, c);
    ++generation;
}

// Bresenham from (x1, y1) to (x2, y2), both end points included, relative
// coordinates. Dotted lines follow kDottedPattern; a thick line (3 pixels) is
// drawn solid, widened across its main direction.
void Canvas::ThinLine(int x1, int y1, int x2, int y2) {
    const bool thick = thickness == ThickWidth;
    const bool dotted = linestyle == DottedLn && !thick;
    const long dx = std::labs(long(x2) - x1), dy = -std::labs(long(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    const bool steep = -dy > dx;
    long err = dx + dy;
    long x = x1, y = y1;
    unsigned step = 0;
    for (;;) {
        if (!dotted || (kDottedPattern >> (step & 15)) & 1u) {
            const int ax = int(x) + vx1, ay = int(y) + vy1;
            if (thick) {
                if (steep) { Plot(ax - 1, ay, color); Plot(ax, ay, color); Plot(ax + 1, ay, color); }
                else { Plot(ax, ay - 1, color); Plot(ax, ay, color); Plot(ax, ay + 1, color); }
            } else {
                Plot(ax, ay, color);
            }
        }
        ++step;
        if (x == x2 && y == y2) break;
        const long e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

void Canvas::Line(int x1, int y1, int x2, int y2) {
    ThinLine(x1, y1, x2, y2);
    ++generation;
}

void Canvas::LineTo(int x, int y) {
    ThinLine(cpx, cpy, x, y);
    cpx = x; cpy = y;
    ++generation;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x1 > x2 || y1 > y2) return;
    ThinLine(x1, y1, x2, y1);
    ThinLine(x2, y1, x2, y2);
    ThinLine(x2, y2, x1, y2);
    ThinLine(x1, y2, x1, y1);
    ++generation;
}

void Canvas::Bar(int x1, int y1, int x2, int y2) {
    if (x1 > x2 || y1 > y2) return;
    int ax1 = x1 + vx1, ay1 = y1 + vy1, ax2 = x2 + vx1, ay2 = y2 + vy1;
    const int lx = clip ? vx1 : 0, ly = clip ? vy1 : 0;
    const int hx = clip ? vx2 : kWidth - 1, hy = clip ? vy2 : kHeight - 1;
    ax1 = std::max(ax1, lx); ay1 = std::max(ay1, ly);
    ax2 = std::min(ax2, hx); ay2 = std::min(ay2, hy);
    for (int y = ay1; y <= ay2; ++y) {
        Colour* row = &px[static_cast<std::size_t>(y) * kWidth];
        for (int x = ax1; x <= ax2; ++x) row[x] = fillcolor;
    }
    ++generation;
}

// Scan-line flood fill: paints with the fill colour every pixel connected to
// the seed (4-neighbours) that does not have the border colour, inside the
// viewport when clipping is on. The marks make it end also when the fill
// colour equals the colour being filled.
void Canvas::FloodFill(int x, int y, Colour border) {
    const int lx = clip ? vx1 : 0, ly = clip ? vy1 : 0;
    const int hx = clip ? vx2 : kWidth - 1, hy = clip ? vy2 : kHeight - 1;
    const int sx = x + vx1, sy = y + vy1;
    if (sx < lx || sx > hx || sy < ly || sy > hy) return;
    if (At(sx, sy) == border) return;

    std::fill(fillMark_.begin(), fillMark_.end(), std::uint8_t{0});
    auto inside = [&](int ax, int ay) {
        const std::size_t i = static_cast<std::size_t>(ay) * kWidth + ax;
        return fillMark_[i] == 0 && px[i] != border;
    };
    std::size_t top = 0;
    fillStack_[top++] = static_cast<std::uint32_t>(sy) * kWidth + sx;
    while (top > 0) {
        const std::uint32_t seed = fillStack_[--top];
        const int cy = int(seed / kWidth), cx = int(seed % kWidth);
        if (!inside(cx, cy)) continue;
        int xl = cx, xr = cx;
        while (xl > lx && inside(xl - 1, cy)) --xl;
        while (xr < hx && inside(xr + 1, cy)) ++xr;
        for (int i = xl; i <= xr; ++i) {
            const std::size_t k = static_cast<std::size_t>(cy) * kWidth + i;
            fillMark_[k] = 1;
            px[k] = fillcolor;
        }
        for (int ny : {cy - 1, cy + 1}) {
            if (ny < ly || ny > hy) continue;
            bool inRun = false;
            for (int i = xl; i <= xr; ++i) {
                const bool in = inside(i, ny);
                if (in && !inRun) fillStack_[top++] = static_cast<std::uint32_t>(ny) * kWidth + i;
                inRun = in;
            }
        }
    }
    ++generation;
}

void Canvas::OutTextXY(int x, int y, std::string_view s) {
    const int cw = CharWidth(), ch = CharHeight();
    int ox = x + vx1;
    const int oy = y + vy1;
    for (unsigned char c : s) {
        const unsigned char* g = kFont[c];
        for (int row = 0; row < ch; ++row) {
            const unsigned bits = g[row * 16 / ch];
            if (bits == 0) continue;
            for (int col = 0; col < cw; ++col)
                if (bits & (0x80u >> (col * 8 / cw))) Plot(ox + col, oy + row, color);
        }
        ox += cw;
    }
    ++generation;
}

}  // namespace dk
