// Shared helpers of the tests: headless runs, pixels, pictures on failure,
// working directories with observation files.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "graph.h"
#include "headless.h"

namespace ts {

using dk::Colour;
using dk::headless::Frame;
using dk::headless::Run;
using dk::headless::ScriptKey;

// Script of keys by name, each arriving when the program waits.
std::vector<ScriptKey> Keys(std::initializer_list<std::string_view> names);
// One key by name that arrives at the n-th call of KeyPressed.
ScriptKey KeyAtPoll(std::string_view name, long n);
// One key by name typed ahead, together with the key before it.
ScriptKey KeyAhead(std::string_view name);

// Runs any code headless (a screen, or the whole program) with `script`.
Run Execute(std::vector<ScriptKey> script, std::function<void()> body, bool keepAllFrames = true);

// Runs one screen headless the way the main menu calls it: window open,
// text style (0, 0, 2) and line style (0, 0, 1) in force.
Run ExecuteScreen(std::vector<ScriptKey> script, std::function<void()> screen, bool keepAllFrames = true);

inline Colour At(const Frame& f, int x, int y) { return f[static_cast<std::size_t>(y) * dk::kWidth + x]; }

// Name of a colour for messages ("Yellow", or the hex value).
std::string ColourName(Colour c);

// Writes the frame as TEST_OUTPUT_DIR/<name>.png and returns the path, so
// that a failing picture can be looked at.
std::string SaveFrame(const std::string& name, const Frame& f);

// Checks one pixel; on a mismatch the frame is saved under the test's name.
::testing::AssertionResult PixelIs(const Frame& f, int x, int y, Colour want);
#define EXPECT_PIXEL(frame, x, y, colour) EXPECT_TRUE(::ts::PixelIs((frame), (x), (y), (colour)))

// Number of pixels of colour c in the rectangle (x1, y1)-(x2, y2), edges included.
int CountColour(const Frame& f, int x1, int y1, int x2, int y2, Colour c);

// True when the pixels of `c` in the text cells at (x, y) match `text` drawn
// in the font exactly (a reference rendering on a blank canvas). With
// `exact` false only the glyph pixels are checked (for text crossed by a line
// of its own colour, such as a cursor box).
::testing::AssertionResult TextAt(const Frame& f, int x, int y, std::string_view text, Colour c, int size = 2,
                                  bool exact = true);

// A fresh temporary working directory for one test; the old one comes back
// at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    void Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_, old_;
};

// One observation record of 101 bytes. `amounts` are tenths of a millimetre
// written right-aligned in 4 characters (a value < -999 writes four blanks);
// `flags` are the eight flag characters.
struct Day {
    int year, month, day;
    int amounts[8];
    std::string flags = "00000000";
    std::string terms;  // positions 17-61; blanks when empty
};
std::string Record(const Day& d);
std::string RecordWithCells(int year, int month, int day, const std::string& cells40);

// Records of consecutive days from (y, m, d) on, `n` days, each made by `fill`
// from a day whose date is set and whose amounts are zero.
std::string Days(int y, int m, int d, int n, const std::function<void(Day&)>& fill = {});

}  // namespace ts
