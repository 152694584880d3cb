// The canvas, pixel by pixel: viewports and clipping, lines and their styles,
// rectangles and bars, the flood fill, text cells.
#include <gtest/gtest.h>

#include <memory>

#include "canvas.h"
#include "graph.h"
#include "headless.h"

using namespace dk;

namespace {

class CanvasTest : public ::testing::Test {
protected:
    std::unique_ptr<Canvas> c = std::make_unique<Canvas>();
    int Count(int x1, int y1, int x2, int y2, Colour col) const {
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) n += c->At(x, y) == col;
        return n;
    }
};

TEST_F(CanvasTest, StartsBlackWithDefaultStyles) {
    EXPECT_EQ(Count(0, 0, 639, 479, Black), kWidth * kHeight);
    EXPECT_EQ(c->GetMaxX(), 639);
    EXPECT_EQ(c->GetMaxY(), 479);
    EXPECT_EQ(c->CharWidth(), 8);
    EXPECT_EQ(c->CharHeight(), 16);
}

TEST_F(CanvasTest, ColoursHaveTheirExactValues) {
    EXPECT_EQ(Black, 0x000000u);
    EXPECT_EQ(Blue, 0x0000A8u);
    EXPECT_EQ(Red, 0xA80000u);
    EXPECT_EQ(LightGray, 0xA8A8A8u);
    EXPECT_EQ(Yellow, 0xFCFC54u);
    EXPECT_EQ(White, 0xFCFCFCu);
}

TEST_F(CanvasTest, ViewportOffsetsAndClipsEdgesIncluded) {
    c->SetViewPort(100, 50, 199, 149, true);
    c->SetColor(Yellow);
    c->PutPixel(0, 0, Red);       // the viewport's corner
    c->PutPixel(99, 99, Red);     // its far corner, still inside
    c->PutPixel(100, 50, Red);    // outside: clipped
    c->PutPixel(-1, 0, Red);      // outside: clipped
    c->Line(-50, 10, 300, 10);    // clipped to x 100..199 at y 60
    EXPECT_EQ(c->At(100, 50), Red);
    EXPECT_EQ(c->At(199, 149), Red);
    EXPECT_EQ(c->At(200, 100), Black);
    EXPECT_EQ(c->At(99, 50), Black);
    EXPECT_EQ(Count(0, 60, 639, 60, Yellow), 100);
    EXPECT_EQ(c->At(100, 60), Yellow);
    EXPECT_EQ(c->At(199, 60), Yellow);
}

TEST_F(CanvasTest, WithoutClippingDrawsOutsideTheViewportButNotOffCanvas) {
    c->SetViewPort(310, 221, 390, 260, false);
    c->SetColor(Yellow);
    c->Line(-320, 0, 400, 0);  // x -10 .. 710 absolute: only the canvas part shows
    EXPECT_EQ(Count(0, 221, 639, 221, Yellow), 640);
    c->PutPixel(-311, 0, Red);  // absolute x = -1: nothing
    EXPECT_EQ(c->At(0, 221), Yellow);
}

TEST_F(CanvasTest, ClearViewPortFillsOnlyTheViewportWithTheBackground) {
    c->SetBkColor(Blue);
    c->SetViewPort(10, 20, 29, 39, true);
    c->ClearViewPort();
    EXPECT_EQ(Count(10, 20, 29, 39, Blue), 400);
    EXPECT_EQ(Count(0, 0, 639, 479, Blue), 400);
}

TEST_F(CanvasTest, LinesDrawBothEndPointsAndMoveTheCurrentPosition) {
    c->SetColor(White);
    c->Line(10, 10, 20, 15);
    EXPECT_EQ(c->At(10, 10), White);
    EXPECT_EQ(c->At(20, 15), White);
    EXPECT_EQ(Count(0, 0, 639, 479, White), 11);  // one pixel per column
    c->MoveTo(100, 100);
    c->LineTo(100, 110);
    c->LineTo(90, 110);
    EXPECT_EQ(c->cpx, 90);
    EXPECT_EQ(c->cpy, 110);
    EXPECT_EQ(Count(90, 100, 100, 110, White), 21);  // the corner once
    c->Line(300, 300, 300, 300);
    EXPECT_EQ(c->At(300, 300), White);
}

TEST_F(CanvasTest, LineStylesAndWidths) {
    struct Case {
        int style, thick;
        int expectOnRow;    // pixels lit on y = 100 of a horizontal line x 0..15
        int expectAround;   // pixels lit on y = 99 and 101
    };
    const Case cases[] = {
        {SolidLn, NormWidth, 16, 0},
        {DottedLn, NormWidth, 8, 0},
        {SolidLn, ThickWidth, 16, 32},
        {DottedLn, ThickWidth, 16, 32},  // dotted at thickness 3 is drawn solid
    };
    for (const Case& k : cases) {
        c->Reset();
        c->SetColor(Yellow);
        c->SetLineStyle(k.style, 0, k.thick);
        c->Line(0, 100, 15, 100);
        EXPECT_EQ(Count(0, 100, 15, 100, Yellow), k.expectOnRow) << k.style << "/" << k.thick;
        EXPECT_EQ(Count(0, 99, 15, 99, Yellow) + Count(0, 101, 15, 101, Yellow), k.expectAround)
            << k.style << "/" << k.thick;
    }
    // Dotted: two on, two off, starting with the first point of each line.
    c->Reset();
    c->SetColor(Yellow);
    c->SetLineStyle(DottedLn, 0, NormWidth);
    c->Line(0, 0, 7, 0);
    const Colour want[8] = {Yellow, Yellow, Black, Black, Yellow, Yellow, Black, Black};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(c->At(x, 0), want[x]) << x;
    // A thick vertical line widens across: x - 1 .. x + 1.
    c->Reset();
    c->SetColor(Yellow);
    c->SetLineStyle(SolidLn, 0, ThickWidth);
    c->Line(50, 10, 50, 20);
    EXPECT_EQ(Count(49, 10, 51, 20, Yellow), 33);
}

TEST_F(CanvasTest, RectangleOutlinesAndNothingWhenReversed) {
    c->SetColor(Red);
    c->Rectangle(10, 10, 20, 15);
    EXPECT_EQ(Count(0, 0, 639, 479, Red), 2 * 11 + 2 * 4);
    EXPECT_EQ(c->At(15, 12), Black);
    c->Rectangle(30, 10, 29, 15);
    c->Rectangle(30, 10, 40, 9);
    EXPECT_EQ(Count(0, 0, 639, 479, Red), 30);
}

TEST_F(CanvasTest, BarFillsEdgesIncludedWithTheFillColourAndNothingWhenReversed) {
    c->SetColor(Red);
    c->SetFillStyle(SolidFill, Yellow);
    c->Bar(5, 5, 9, 7);
    EXPECT_EQ(Count(5, 5, 9, 7, Yellow), 15);
    EXPECT_EQ(Count(0, 0, 639, 479, Yellow), 15);
    c->Bar(9, 5, 5, 7);
    c->Bar(5, 7, 9, 5);
    EXPECT_EQ(Count(0, 0, 639, 479, Yellow), 15);
    c->SetViewPort(0, 0, 639, 479, true);
    c->Bar(630, 470, 700, 500);  // clipped at the window
    EXPECT_EQ(Count(630, 470, 639, 479, Yellow), 100);
}

TEST_F(CanvasTest, FloodFillStopsAtTheBorderColourOnly) {
    c->SetColor(Yellow);
    c->Rectangle(70, 80, 580, 370);
    // Text of another colour inside is painted over; text in the border colour stops the fill.
    c->SetColor(Blue);
    c->OutTextXY(100, 100, "Neerslag");
    c->SetColor(Yellow);
    c->OutTextXY(100, 200, "O");
    c->SetFillStyle(SolidFill, Red);
    c->FloodFill(72, 82, Yellow);
    EXPECT_EQ(Count(0, 0, 639, 479, Blue), 0);
    EXPECT_EQ(c->At(71, 81), Red);
    EXPECT_EQ(c->At(579, 369), Red);
    EXPECT_EQ(c->At(69, 80), Black);
    EXPECT_EQ(c->At(581, 200), Black);
    // The hole of the yellow "O" (drawn at 100, 200) stays black: the glyph encloses it.
    EXPECT_EQ(c->At(100 + 3, 200 + 7), Black);
}

TEST_F(CanvasTest, FloodFillSeedOnBorderAndSameColourAndWholeWindow) {
    c->SetColor(Yellow);
    c->Rectangle(10, 10, 20, 20);
    c->SetFillStyle(SolidFill, Red);
    c->FloodFill(10, 15, Yellow);  // seed on the border: nothing
    EXPECT_EQ(Count(0, 0, 639, 479, Red), 0);

    c->SetFillStyle(SolidFill, Black);  // fill colour equals the area's colour: ends
    c->FloodFill(15, 15, Yellow);
    EXPECT_EQ(Count(11, 11, 19, 19, Black), 81);

    c->SetFillStyle(SolidFill, Blue);  // the whole window around the square
    c->FloodFill(0, 0, Yellow);
    EXPECT_EQ(Count(0, 0, 639, 479, Blue), kWidth * kHeight - 121);
    EXPECT_EQ(Count(11, 11, 19, 19, Black), 81);

    // A fill bounded by the viewport when clipping is on.
    c->Reset();
    c->SetViewPort(100, 100, 149, 149, true);
    c->SetFillStyle(SolidFill, Red);
    c->FloodFill(5, 5, Yellow);
    EXPECT_EQ(Count(0, 0, 639, 479, Red), 2500);
}

TEST_F(CanvasTest, FloodFillOfAMazeKeepsEveryPoint) {
    // A comb of one-pixel walls: many spans per row, the worst case for a
    // fill with a bounded stack.
    c->SetColor(Yellow);
    for (int x = 1; x < 639; x += 2) c->Line(x, (x / 2) % 2 ? 0 : 1, x, (x / 2) % 2 ? 478 : 479);
    c->SetFillStyle(SolidFill, Red);
    c->FloodFill(0, 0, Yellow);
    EXPECT_EQ(Count(0, 0, 639, 479, Black), 0);
}

TEST_F(CanvasTest, TextDrawsGlyphPixelsOnlyInFixedCells) {
    c->SetBkColor(Blue);
    c->ClearViewPort();
    c->SetColor(Yellow);
    c->OutTextXY(10, 20, "H");
    // Only yellow glyph pixels appear; the background stays where the glyph has none.
    const int lit = Count(10, 20, 17, 35, Yellow);
    EXPECT_GT(lit, 10);
    EXPECT_EQ(lit + Count(10, 20, 17, 35, Blue), 128);
    EXPECT_EQ(Count(0, 0, 639, 479, Yellow), lit);
    // Fixed pitch: "HH" is two copies, 8 pixels apart; size 4 doubles each pixel.
    c->OutTextXY(100, 20, "HH");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(c->At(100 + x, 20 + y), c->At(108 + x, 20 + y));
    c->SetTextStyle(0, 0, 4);
    EXPECT_EQ(c->CharWidth(), 16);
    EXPECT_EQ(c->CharHeight(), 32);
    c->OutTextXY(200, 100, "H");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) {
            const Colour small = c->At(10 + x, 20 + y);
            EXPECT_EQ(c->At(200 + 2 * x, 100 + 2 * y), small);
            EXPECT_EQ(c->At(201 + 2 * x, 101 + 2 * y), small);
        }
    // A blank draws nothing.
    c->Reset();
    c->OutTextXY(0, 0, "   ");
    EXPECT_EQ(Count(0, 0, 639, 479, Black), kWidth * kHeight);
}

TEST_F(CanvasTest, EveryPrintableWindows1252CharacterHasAGlyph) {
    for (int b = 0x21; b <= 0xFF; ++b) {
        if (b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D || b == 0xA0 || b == 0xAD)
            continue;  // not printable, or blank by nature
        c->Reset();
        c->OutTextXY(0, 0, std::string(1, char(b)));
        EXPECT_GT(Count(0, 0, 7, 15, White), 0) << "byte " << b;
    }
}

// Through the services: a coordinate that does not fit 16 bits is run-time error 201.
TEST(Services, CoordinateBeyond16BitsIsRangeError) {
    headless::Run run;
    run.script = {};
    static int reached = 0;
    reached = 0;
    headless::Execute(run, [] {
        InitGraph(2, 4, "t");
        Line(0, 0, 32767, -32768);
        reached = 1;
        PutPixel(40000, 0, White);
        reached = 2;
    });
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(run.status, 201);
    EXPECT_NE(run.errorText.find("Runtime error 201"), std::string::npos);
}

}  // namespace
