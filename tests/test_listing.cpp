// The observation listing, headless on small fixture files.
#include <cstdlib>
#include <memory>
#include <string>

#include "UNTREGM0.h"
#include "UNTREGM1.h"
#include "morvelan.h"
#include "support.h"

namespace {

using dk::Blue;
using dk::Red;
using dk::Yellow;

constexpr int kLines = 24;

// A fixture whose every record differs in its date, gauge cells and term
// columns, so that a line shown for the wrong record or left over from an
// earlier page shows.
std::string Fixture(int n) {
    int i = 0;
    return ts::Days(1941, 6, 1, n, [&](ts::Day& d) {
        for (int g = 0; g < 8; ++g) d.amounts[g] = (i * 7 + g * 13) % 1000;
        d.flags = i % 5 == 0 ? "09000009" : "00100000";
        char t[64];
        std::snprintf(t, sizeof t, "%5d 6620%5d%5d 0000%5d%5d 8810%5d", i, -i, i % 97, i % 89, i % 83, i * 3);
        d.terms = t;
        ++i;
    });
}

std::string BackLine(const std::string& file, int rec) {
    const std::string r = file.substr(std::size_t(rec) * 101, 101);
    return r.substr(0, 16) + "  >>>" + r.substr(61, 40);
}
std::string FrontLine(const std::string& file, int rec) { return file.substr(std::size_t(rec) * 101, 61); }

int LineY(int reg) { return 46 + 16 * (reg - 1); }

// The page shows records first .. first + count - 1, and nothing below them.
void ExpectPage(const ts::Frame& f, const std::string& file, int first, bool front, int count = kLines) {
    EXPECT_TRUE(ts::TextAt(f, 76, 4, front ? SKOP1.sv() : SKOP2.sv(), Yellow));
    EXPECT_TRUE(ts::TextAt(f, 76, 20, front ? SFOR1.sv() : SFOR2.sv(), Yellow));
    for (int reg = 1; reg <= count; ++reg) {
        const int rec = first + reg - 1;
        EXPECT_TRUE(ts::TextAt(f, 76, LineY(reg), front ? FrontLine(file, rec) : BackLine(file, rec), Yellow))
            << "line " << reg << ", record " << rec;
    }
    // Below the last line down to the bar: only the background.
    const int below = LineY(count + 1);
    EXPECT_EQ(ts::CountColour(f, 0, below, 639, 441, Blue), 640 * (442 - below)) << "below line " << count;
}

// Cursor box of cell k: yellow on its top and bottom edges and both sides;
// the other cells' edges stay red. Rows 442-445 hold no text.
void ExpectCursor(const ts::Frame& f, int k) {
    for (int cell = 1; cell <= 11; ++cell) {
        const int x1 = 56 + 48 * (cell - 1), x2 = 55 + 48 * cell;
        const dk::Colour want = cell == k ? Yellow : Red;
        SCOPED_TRACE("cell " + std::to_string(cell));
        EXPECT_PIXEL(f, x1, 442, want);
        EXPECT_PIXEL(f, x2, 442, want);
        EXPECT_PIXEL(f, (x1 + x2) / 2, 442, want);
        EXPECT_PIXEL(f, x1, 444, want);
        EXPECT_PIXEL(f, x2, 444, want);
        EXPECT_PIXEL(f, x1 + 1, 443, Red);  // inside the box: the bar
    }
}

ts::Run Listing(const std::vector<ts::ScriptKey>& keys, std::int16_t taal = 1) {
    return ts::ExecuteScreen(keys, [taal] { SCHERMLISTING(taal); });
}

// Keys that move the cursor from cell `from` to cell `to` without wrapping.
std::vector<std::string_view> Move(int from, int to) {
    std::vector<std::string_view> k;
    for (int c = from; c < to; ++c) k.push_back("Right");
    for (int c = from; c > to; --c) k.push_back("Left");
    return k;
}

std::vector<ts::ScriptKey> Script(std::initializer_list<std::vector<std::string_view>> parts) {
    std::vector<ts::ScriptKey> out;
    for (const auto& p : parts)
        for (auto name : p) out.push_back(ts::Keys({name})[0]);
    return out;
}

TEST(Listing, FirstPageInTheBackView) {
    ts::TempDir dir;
    const std::string file = Fixture(100);
    dir.Write("MORVELAN.VSs", file);
    auto run = Listing(ts::Keys({"Enter"}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    ASSERT_EQ(run.frames.size(), 1u);
    const auto& f = *run.frames[0];
    ExpectPage(f, file, 0, false);
    EXPECT_PIXEL(f, 0, 0, Blue);
    EXPECT_PIXEL(f, 639, 479, Blue);
    // The bar, its text and the hint.
    EXPECT_PIXEL(f, 56, 450, Red);
    EXPECT_PIXEL(f, 583, 458, Red);
    EXPECT_PIXEL(f, 55, 450, Blue);
    EXPECT_PIXEL(f, 584, 450, Blue);
    EXPECT_PIXEL(f, 56, 459, Blue);
    EXPECT_TRUE(ts::TextAt(f, 130, 466, " navigeren met pijltoetsen,  bevestigen met KEY ", Yellow));
    ExpectCursor(f, 6);
}

TEST(Listing, HintFollowsTheLanguage) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture(30));
    const char* hint[3] = {" navigeren met pijltoetsen,  bevestigen met KEY ",
                           "navigation with arrow-key, confirmation with KEY",
                           "navigation mit Pfeiltasten,  accordieren mit KEY"};
    for (std::int16_t taal = 1; taal <= 3; ++taal) {
        auto run = Listing(ts::Keys({"Enter"}), taal);
        ASSERT_EQ(run.frames.size(), 1u);
        EXPECT_TRUE(ts::TextAt(*run.frames[0], 130, 466, hint[taal - 1], Yellow)) << "language " << taal;
    }
}

TEST(Listing, CommandBarText) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture(30));
    auto run = Listing(ts::Keys({"Enter"}));
    ASSERT_EQ(run.frames.size(), 1u);
    // The text stands inside the bar at y 446; the cursor box's bottom edge
    // crosses its cells at y 458, so compare the rows above it only, and
    // leave out the sides of the box.
    const std::string scomm = " -4jr  -1jr -3mnd -23dg  voor  QUIT  acht +23dg +3mnd  +1jr  +4jr ";
    auto ref = std::make_unique<dk::Canvas>();
    ref->Reset();
    ref->SetTextStyle(0, 0, 2);
    ref->SetColor(Yellow);
    ref->OutTextXY(56, 446, scomm);
    for (int y = 446; y < 458; ++y)
        for (int x = 56; x < 56 + 8 * 66; ++x)
            if (x != 296 && x != 343) {  // the sides of the cursor box on QUIT
                ASSERT_EQ(ts::At(*run.frames[0], x, y) == Yellow, ref->At(x, y) == Yellow) << x << "," << y;
            }
}

TEST(Listing, FrontViewShowsTheSamePageAndBackReturns) {
    ts::TempDir dir;
    const std::string file = Fixture(100);
    dir.Write("MORVELAN.VSs", file);
    // +23dg, then voor, then acht, then QUIT.
    auto run = Listing(Script({Move(6, 8), {"Enter"}, Move(8, 5), {"Enter"}, Move(5, 7), {"Enter"}, Move(7, 6),
                               {"Enter"}}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    // Frames: 0 start, 1-2 moving, 3 after +23dg, 4-6 moving, 7 front view, ...
    ASSERT_EQ(run.frames.size(), 12u);
    ExpectPage(*run.frames[3], file, 23, false);
    ExpectCursor(*run.frames[3], 8);
    ExpectPage(*run.frames[7], file, 23, true);
    ExpectCursor(*run.frames[7], 5);
    ExpectPage(*run.frames[10], file, 23, false);
    ExpectCursor(*run.frames[10], 7);
}

TEST(Listing, JumpsAndClamping) {
    ts::TempDir dir;
    const int n = 2000;
    const std::string file = Fixture(n);
    dir.Write("MORVELAN.VSs", file);
    struct Step {
        int cell;
        int first;  // page start after confirming it
    };
    // From record 0 on: each jump, and those that the clamping holds.
    const Step steps[] = {
        {1, 0},          // -4jr on the first page stays there
        {4, 0},          // -23dg too
        {8, 23},         // +23dg: the last line becomes the first
        {8, 46},         // confirming again repeats the jump
        {9, 139},        // +3mnd
        {10, 504},       // +1jr
        {3, 411},        // -3mnd
        {2, 46},         // -1jr
        {11, 1507},      // +4jr
        {11, n - 24},    // +4jr near the end: the last 24 records
        {8, n - 24},     // a further +23dg shows the same page
        {4, n - 47},     // and -23dg goes back from the clamped start
        {1, n - 47 - 1461},
        {1, 0},
    };
    std::vector<ts::ScriptKey> keys;
    std::vector<std::size_t> frameOf;  // frame shown after each step
    int cell = 6;
    std::size_t frames = 1;
    for (const auto& s : steps) {
        for (auto name : Move(cell, s.cell)) keys.push_back(ts::Keys({name})[0]);
        frames += std::size_t(std::abs(cell - s.cell));
        keys.push_back(ts::Keys({"Enter"})[0]);
        frameOf.push_back(frames++);
        cell = s.cell;
    }
    for (auto name : Move(cell, 6)) keys.push_back(ts::Keys({name})[0]);
    keys.push_back(ts::Keys({"Enter"})[0]);
    auto run = Listing(keys, 2);
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i) + ", cell " + std::to_string(steps[i].cell));
        ASSERT_LT(frameOf[i], run.frames.size());
        ExpectPage(*run.frames[frameOf[i]], file, steps[i].first, false);
        ExpectCursor(*run.frames[frameOf[i]], steps[i].cell);
    }
}

TEST(Listing, CursorStepsAndWrapsAround) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture(30));
    struct Case {
        std::vector<std::string_view> keys;
        int cell;
    };
    const Case cases[] = {
        {{"Left"}, 5},
        {{"Up"}, 5},
        {{"Right"}, 7},
        {{"Down"}, 7},
        {{"K"}, 5},  // capital letters of the arrow codes move as well
        {{"H"}, 5},
        {{"M"}, 7},
        {{"P"}, 7},
        {{"Left", "Left", "Left", "Left", "Left"}, 1},
        {{"Left", "Left", "Left", "Left", "Left", "Left"}, 11},  // left on cell 1: cell 11
        {{"Right", "Right", "Right", "Right", "Right"}, 11},
        {{"Right", "Right", "Right", "Right", "Right", "Right"}, 1},  // right on cell 11: cell 1
    };
    for (const auto& c : cases) {
        std::string name;
        for (auto k : c.keys) name += std::string(k) + " ";
        SCOPED_TRACE(name);
        std::vector<ts::ScriptKey> keys;
        for (auto k : c.keys) keys.push_back(ts::Keys({k})[0]);
        // Back to QUIT by the way that does not wrap, then leave.
        for (auto k : Move(c.cell, 6)) keys.push_back(ts::Keys({k})[0]);
        keys.push_back(ts::Keys({"Escape"})[0]);
        auto run = Listing(keys);
        ASSERT_EQ(run.status, 0) << run.errorText;
        EXPECT_FALSE(run.scriptEnded);
        ASSERT_GT(run.frames.size(), c.keys.size());
        ExpectCursor(*run.frames[c.keys.size()], c.cell);
    }
}

TEST(Listing, AnyOtherKeyConfirms) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture(60));
    for (auto key : {"Enter", "Escape", "Space", "x", "h", "5", "F1", "Home", "Close"}) {
        SCOPED_TRACE(key);
        auto run = Listing(ts::Keys({key}));
        EXPECT_EQ(run.status, 0) << run.errorText;
        EXPECT_FALSE(run.scriptEnded) << "the listing did not leave on " << key;
        EXPECT_EQ(run.frames.size(), 1u);
    }
}

TEST(Listing, KeysTypedDuringDrawingAreDiscarded) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture(60));
    // A key that arrives while the page is drawn is no answer.
    auto run = Listing({ts::KeyAtPoll("Enter", 1), ts::Keys({"Left"})[0], ts::Keys({"Right"})[0],
                        ts::Keys({"Enter"})[0]});
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    ASSERT_EQ(run.frames.size(), 3u);
    ExpectCursor(*run.frames[1], 5);
}

TEST(Listing, ShortFileShowsTheRecordsThereAre) {
    for (int n : {1, 10, 23}) {
        SCOPED_TRACE(std::to_string(n) + " records");
        ts::TempDir dir;
        const std::string file = Fixture(n);
        dir.Write("MORVELAN.VSs", file + "partial record");
        // -4jr, +4jr, +23dg, voor, QUIT.
        auto run = Listing(Script({Move(6, 1), {"Enter"}, Move(1, 11), {"Enter"}, Move(11, 8), {"Enter"},
                                   Move(8, 5), {"Enter"}, Move(5, 6), {"Enter"}}));
        ASSERT_EQ(run.status, 0) << run.errorText;
        EXPECT_FALSE(run.scriptEnded);
        ASSERT_EQ(run.frames.size(), 27u);
        ExpectPage(*run.frames[0], file, 0, false, n);
        ExpectPage(*run.frames[6], file, 0, false, n);   // after -4jr
        ExpectPage(*run.frames[17], file, 0, false, n);  // after +4jr
        ExpectPage(*run.frames[21], file, 0, false, n);  // after +23dg
        ExpectPage(*run.frames[25], file, 0, true, n);   // front view
    }
}

TEST(Listing, EmptyFileShowsHeadingsAndBarOnly) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", "");
    auto run = Listing(Script({Move(6, 11), {"Enter"}, Move(11, 5), {"Enter"}, Move(5, 6), {"Enter"}}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    ASSERT_EQ(run.frames.size(), 15u);
    ExpectPage(*run.frames[0], "", 0, false, 0);
    ExpectCursor(*run.frames[0], 6);
    ExpectPage(*run.frames[6], "", 0, false, 0);
    ExpectPage(*run.frames[13], "", 0, true, 0);
    EXPECT_TRUE(ts::TextAt(*run.frames[13], 130, 466, " navigeren met pijltoetsen,  bevestigen met KEY ", Yellow));
}

TEST(Listing, FromTheMenuAndBack) {
    ts::TempDir dir;
    const std::string file = Fixture(50);
    dir.Write("MORVELAN.VSs", file);
    // Language, entry 1, +23dg, QUIT, then entry 1 again: a fresh start.
    auto run = ts::Execute(ts::Keys({"Enter", "Enter", "Right", "Right", "Enter", "Left", "Left", "Enter", "Enter",
                                     "Enter", "Up", "Enter"}),
                           MORVELAN);
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    ExpectPage(*run.frames[2], file, 0, false);
    ExpectPage(*run.frames[5], file, 23, false);
    // Back in the menu, the cursor on entry 1.
    EXPECT_PIXEL(*run.frames[8], 110, 120, Yellow);
    // Entry 1 again: record 0, back view, cursor on QUIT.
    ExpectPage(*run.frames[9], file, 0, false);
    ExpectCursor(*run.frames[9], 6);
}

TEST(Listing, RecordBytesAreDrawnAsStored) {
    ts::TempDir dir;
    // Bytes of every kind in the shown positions, Windows-1252 letters included.
    std::string rec(101, ' ');
    for (int p = 0; p < 101; ++p) rec[std::size_t(p)] = char(0x21 + (p * 37) % 0xDE);
    rec[20] = '\xE9';
    rec[70] = '\t';
    dir.Write("MORVELAN.VSs", rec);
    auto run = Listing(Script({Move(6, 5), {"Enter"}, {"Right", "Enter"}}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    ASSERT_EQ(run.frames.size(), 4u);
    ExpectPage(*run.frames[0], rec, 0, false, 1);
    ExpectPage(*run.frames[2], rec, 0, true, 1);
}

}  // namespace
