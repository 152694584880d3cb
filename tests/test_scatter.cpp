// The scatter comparison screen: where the points land, how many a gauge's
// period gives, the frame, the command bar and its cursor, the title wipe,
// and what a short file or an absurd amount does.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "UNTREGM4.h"
#include "support.h"

namespace {

using dk::Blue;
using dk::LightGray;
using dk::Red;
using dk::White;
using dk::Yellow;

constexpr int kRecords = 11171;  // 1 June 1941 to 31 December 1971

// Every record r gets a point of its own: ground-level amount h = r % 280 and
// deviation d = r / 280 - 20 (tenths of a millimetre) in every other gauge.
int PointX(int r) { return 40 + 2 * (r % 280); }
int PointY(int r) { return 220 - 2 * (r / 280 - 20); }

std::string DistinctDays(int n) {
    int r = 0;
    return ts::Days(1941, 6, 1, n, [&r](ts::Day& d) {
        const int h = r % 280, dev = r / 280 - 20;
        d.amounts[0] = h;
        for (int g = 1; g < 8; ++g) d.amounts[g] = h + dev;
        ++r;
    });
}

const std::string& FullDistinct() {
    static const std::string file = DistinctDays(kRecords);
    return file;
}

// Puts a 4-character amount text into gauge g (1..8) of record r.
void SetAmount(std::string& file, int r, int g, const std::string& text) {
    file.replace(static_cast<std::size_t>(r) * 101 + 57 + 5 * g - 1, 4, text);
}
void SetFlag(std::string& file, int r, int g, char flag) {
    file[static_cast<std::size_t>(r) * 101 + 61 + 5 * g - 1] = flag;
}

ts::Run Scatter(const std::string& file, std::vector<ts::ScriptKey> keys, std::int16_t taal = 1) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", file);
    return ts::ExecuteScreen(std::move(keys), [taal] { PUNTENWOLKEN(taal); });
}

// Keys that move the cursor from cell 5, where every visit starts, to `cell`.
std::vector<ts::ScriptKey> MoveTo(int cell) {
    std::vector<ts::ScriptKey> keys;
    for (int k = 5; k > cell; --k) keys.push_back(ts::Keys({"Left"})[0]);
    for (int k = 5; k < cell; ++k) keys.push_back(ts::Keys({"Right"})[0]);
    return keys;
}

int Sounds(const ts::Run& run) {
    int n = 0;
    for (const auto& c : run.calls)
        if (c.sound && c.hz == 50 && c.ms == 15) ++n;
    return n;
}

int Whites(const ts::Frame& f) { return ts::CountColour(f, 0, 0, 639, 479, White); }

// The cell whose cursor box is drawn: the top edge of a cell is Yellow under
// the cursor and Red elsewhere. 0 when no cell or more than one has it.
int CursorCell(const ts::Frame& f) {
    int found = 0;
    for (int k = 1; k <= 8; ++k) {
        const bool yellow = ts::At(f, 64 * k + 31, 438) == Yellow && ts::At(f, 64 * k + 31, 462) == Yellow;
        if (yellow) found = found == 0 ? k : -1;
        else if (ts::At(f, 64 * k + 31, 438) != Red) return 0;
    }
    return found < 0 ? 0 : found;
}

const char* const kComm = "  QUIT     R4t     R4      R4N     R15    R15N    R235    R232  ";

// --- Where a day's point lands ---------------------------------------------

struct PointCase {
    const char* name;
    std::string rkel, chosen;  // 4-character amount texts of gauges 1 and 5
    char flag;                 // flag of both gauges
    std::optional<std::array<int, 2>> at;  // nothing: no point on the canvas
};

void PrintTo(const PointCase& c, std::ostream* os) { *os << c.name; }

class ScatterPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(ScatterPoint, LandsWhereItsAmountsPlaceIt) {
    const PointCase& c = GetParam();
    // Every other day of R15's period at (50, 220); the day under test is record 100.
    std::string file = ts::Days(1941, 6, 1, 6058, [](ts::Day& d) { d.amounts[0] = d.amounts[4] = 5; });
    SetAmount(file, 100, 1, c.rkel);
    SetAmount(file, 100, 5, c.chosen);
    SetFlag(file, 100, 1, c.flag);
    SetFlag(file, 100, 5, c.flag);

    const auto run = Scatter(file, {});
    ASSERT_EQ(run.status, 0) << run.errorText;
    ASSERT_EQ(run.frames.size(), 1u);
    const ts::Frame& f = *run.frames[0];
    EXPECT_PIXEL(f, 50, 220, White);
    if (c.at) {
        EXPECT_PIXEL(f, (*c.at)[0], (*c.at)[1], White);
        EXPECT_EQ(Whites(f), 2);
    } else {
        EXPECT_EQ(Whites(f), 1);
    }
    EXPECT_EQ(Sounds(run), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, ScatterPoint,
    ::testing::Values(
        PointCase{"TwelveAgainstElevenAndAHalf", " 120", " 115", '0', {{280, 230}}},
        PointCase{"BothBlank", "    ", "    ", '0', {{40, 220}}},
        PointCase{"TrailingBlanksReadAsZero", "  12", "12  ", '0', {{64, 244}}},
        PointCase{"NegativeAmount", "  -3", "   0", '0', {{34, 214}}},
        PointCase{"QuarterRoundsDownToEven", "0.25", "    ", '0', {{40, 220}}},
        PointCase{"ThreeQuartersRoundsUpToEven", "0.75", "    ", '0', {{42, 222}}},
        PointCase{"Exponent", " 1E2", "   0", '0', {{240, 420}}},
        PointCase{"FlaggedUnusableIsPlotted", " 120", " 115", '9', {{280, 230}}},
        PointCase{"LetterFlagIsPlotted", " 120", " 115", 'A', {{280, 230}}},
        // Far off the canvas but inside the drawing coordinates: not drawn.
        PointCase{"OffCanvasAcross", "9999", "   0", '0', std::nullopt},
        PointCase{"OffCanvasUp", "   0", "-999", '0', std::nullopt},
        // Beyond the drawing coordinates: the day is left out, the run goes on.
        PointCase{"AbsurdGroundLevelAmount", "9E99", "   0", '0', std::nullopt},
        PointCase{"AbsurdChosenAmount", "   0", "-9E9", '0', std::nullopt},
        PointCase{"AcrossFitsUpDoesNot", " 1E4", "-1E4", '0', std::nullopt},
        PointCase{"AcrossJustBeyond", " 2E4", " 2E4", '0', std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// --- One point per day of the gauge's period ---------------------------------

struct PeriodCase {
    int cell;
    const char* title;
    int first, end;  // record of the start date and of the end date
};

void PrintTo(const PeriodCase& c, std::ostream* os) { *os << "cell " << c.cell; }

class ScatterPeriod : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(ScatterPeriod, OnePointForEachRecordBeforeTheEndDate) {
    const PeriodCase& c = GetParam();
    auto keys = MoveTo(c.cell);
    if (c.cell != 5) keys.push_back(ts::Keys({"Enter"})[0]);
    const auto run = Scatter(FullDistinct(), keys);
    ASSERT_EQ(run.status, 0) << run.errorText;
    const ts::Frame& f = *run.frames.back();

    EXPECT_EQ(Whites(f), c.end - c.first);
    EXPECT_PIXEL(f, PointX(c.first), PointY(c.first), White);
    EXPECT_PIXEL(f, PointX(c.end - 1), PointY(c.end - 1), White);
    EXPECT_NE(ts::At(f, PointX(c.end), PointY(c.end)), White) << "the end date's own record is not read";
    if (c.first > 0) {
        EXPECT_NE(ts::At(f, PointX(c.first - 1), PointY(c.first - 1)), White);
    }
    EXPECT_TRUE(ts::TextAt(f, 410, 10, c.title, Yellow, 4));
    EXPECT_EQ(CursorCell(f), c.cell);
    EXPECT_EQ(Sounds(run), c.cell == 5 ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Cells, ScatterPeriod,
                         ::testing::Values(PeriodCase{2, "410601-651231", 0, 8979},
                                           PeriodCase{3, "410601-620531", 0, 7669},
                                           PeriodCase{4, "530701-711231", 4413, 11170},
                                           PeriodCase{5, "410601-571231", 0, 6057},
                                           PeriodCase{6, "410601-551231", 0, 5326},
                                           PeriodCase{7, "410601-571231", 0, 6057},
                                           PeriodCase{8, "410701-631231", 30, 8248}),
                         [](const auto& info) { return "Cell" + std::to_string(info.param.cell); });

// --- The frame -----------------------------------------------------------------

class ScatterFrame : public ::testing::TestWithParam<int> {};

TEST_P(ScatterFrame, DrawnAtItsPlaces) {
    const std::int16_t taal = static_cast<std::int16_t>(GetParam());
    static const char* const kGauge1[3] = {"Grondregenmeter ", "Surface equal gauge", "Bodengleiche Regenfanger"};
    static const char* const kGauge5[3] = {"150cm, Standaard", "150cm, normal     ", "150cm, Standart         "};
    static const char* const kHint[3] = {" navigeren met pijltoetsen,  bevestigen met KEY ",
                                         "navigation with arrow-key, confirmation with KEY",
                                         "navigation mit Pfeiltasten,  accordieren mit KEY"};
    // Every point falls far to the right of the canvas, so the frame stands alone.
    const std::string file = ts::Days(1941, 6, 1, 6058, [](ts::Day& d) { d.amounts[0] = 9999; });
    const auto run = Scatter(file, {}, taal);
    ASSERT_EQ(run.status, 0) << run.errorText;
    const ts::Frame& f = *run.frames[0];
    EXPECT_EQ(Whites(f), 0);

    // Background.
    EXPECT_PIXEL(f, 0, 0, Blue);
    EXPECT_PIXEL(f, 639, 479, Blue);
    EXPECT_PIXEL(f, 620, 300, Blue);

    // Zero line from x = 40 to 620.
    for (int x : {40, 41, 330, 619, 620}) EXPECT_PIXEL(f, x, 220, LightGray);
    EXPECT_PIXEL(f, 39, 220, Blue);
    EXPECT_PIXEL(f, 621, 220, Blue);
    EXPECT_PIXEL(f, 330, 219, Blue);
    EXPECT_PIXEL(f, 330, 221, Blue);

    // Dotted verticals at 0, 5, ... 25 mm from y = 120 to 400: two on, two off.
    for (int i = 0; i <= 5; ++i) {
        const int x = 40 + 100 * i;
        EXPECT_PIXEL(f, x, 300, LightGray);
        EXPECT_PIXEL(f, x, 301, LightGray);
        EXPECT_PIXEL(f, x, 302, Blue);
        EXPECT_PIXEL(f, x, 303, Blue);
        EXPECT_PIXEL(f, x, 400, LightGray);
        EXPECT_PIXEL(f, x, 401, Blue);
        EXPECT_PIXEL(f, x + 1, 300, Blue);
    }

    // Axis labels in Yellow.
    const struct {
        int x, y;
        const char* text;
    } labels[] = {{36, 110, "0"},    {136, 110, "5"},    {232, 110, "10"},   {332, 110, "15"},
                  {432, 110, "20"},  {532, 110, "25mm"}, {0, 16, "10mm"},    {0, 56, "+8mm"},
                  {0, 96, "+6mm"},   {0, 136, "+4mm"},   {0, 176, "+2mm"},   {0, 216, " 0mm"},
                  {0, 256, "-2mm"},  {0, 296, "-4mm"},   {0, 336, "-6mm"},   {0, 376, "-8mm"}};
    for (const auto& l : labels) EXPECT_TRUE(ts::TextAt(f, l.x, l.y, l.text, Yellow)) << l.text;

    // Captions: the horizontal one and "Vertikaal" Dutch in every language.
    EXPECT_TRUE(ts::TextAt(f, 300, 46, std::string("Horizontaal:   ") + kGauge1[taal - 1], Yellow));
    EXPECT_TRUE(ts::TextAt(f, 11, 406, "Vertikaal: afwijking in mm", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 11, 422, kGauge5[taal - 1], Yellow));
    EXPECT_TRUE(ts::TextAt(f, 410, 10, "410601-571231", Yellow, 4));

    // Command bar: a solid red box from (64, 438) to (575, 462), the cells'
    // texts in Yellow, the cursor round cell 5.
    EXPECT_PIXEL(f, 64, 438, Red);
    EXPECT_PIXEL(f, 575, 462, Red);
    EXPECT_PIXEL(f, 70, 440, Red);
    EXPECT_PIXEL(f, 63, 450, Blue);
    EXPECT_PIXEL(f, 576, 450, Blue);
    EXPECT_PIXEL(f, 100, 437, Blue);
    EXPECT_PIXEL(f, 100, 463, Blue);
    for (int k = 1; k <= 8; ++k) {
        if (k != 5) {
            EXPECT_TRUE(ts::TextAt(f, 64 * k, 446, std::string(kComm).substr(8 * k - 8, 8), Yellow)) << k;
        }
    }
    for (auto [x, y] : {std::pair{320, 438}, {383, 438}, {320, 462}, {383, 462}, {320, 450}, {383, 450}})
        EXPECT_PIXEL(f, x, y, Yellow);
    EXPECT_PIXEL(f, 384, 438, Red);
    EXPECT_PIXEL(f, 321, 439, Red);
    EXPECT_EQ(CursorCell(f), 5);

    // Navigation hint at (130, 470), its cells cut off by the bottom edge.
    EXPECT_TRUE(ts::TextAt(f, 130, 470, kHint[taal - 1], Yellow));
    EXPECT_GT(ts::CountColour(f, 130, 470, 130 + 8 * 48 - 1, 479, Yellow), 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, ScatterFrame, ::testing::Values(1, 2, 3));

TEST(ScatterFrame, ChosenGaugeCaptionFollowsTheCell) {
    const auto run = Scatter(FullDistinct(), ts::Keys({"Right", "Right", "Right", "Enter"}), 3);
    ASSERT_EQ(run.status, 0) << run.errorText;
    const ts::Frame& f = *run.frames.back();
    EXPECT_TRUE(ts::TextAt(f, 11, 422, "Regenstaion 232         ", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 300, 46, "Horizontaal:   Bodengleiche Regenfanger", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 410, 10, "410701-631231", Yellow, 4));
}

// --- Command bar and selection ------------------------------------------------

TEST(ScatterCursor, WrapsBetweenQuitAndTheLastCell) {
    const auto run = Scatter(FullDistinct(),
                             ts::Keys({"Left", "Up", "K", "Left", "Left", "Right", "Up", "Down", "P", "M", "H"}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    const int expected[] = {5, 4, 3, 2, 1, 8, 1, 8, 1, 2, 3, 2};
    ASSERT_EQ(run.frames.size(), std::size(expected));
    for (std::size_t i = 0; i < run.frames.size(); ++i) EXPECT_EQ(CursorCell(*run.frames[i]), expected[i]) << i;
    EXPECT_EQ(Sounds(run), 1) << "moving the cursor plots nothing";
    // The points of the first plot stay while the cursor moves.
    EXPECT_EQ(Whites(*run.frames.back()), 6057);
}

TEST(ScatterTitle, FirstKeyErasesTheTitleAndKeepsTheRest) {
    const auto run = Scatter(FullDistinct(), ts::Keys({"Right", "Left"}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    ASSERT_EQ(run.frames.size(), 3u);
    const ts::Frame& before = *run.frames[0];
    EXPECT_TRUE(ts::TextAt(before, 410, 10, "410601-571231", Yellow, 4));
    for (int i : {1, 2}) {
        const ts::Frame& after = *run.frames[i];
        EXPECT_EQ(ts::CountColour(after, 410, 10, 617, 41, Blue), 208 * 32) << i;
        // Everything outside the title and the two cursor cells is unchanged.
        int changed = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const bool title = x >= 410 && x <= 617 && y >= 10 && y <= 41;
                const bool cursors = x >= 320 && x <= 447 && y >= 438 && y <= 462;
                if (!title && !cursors && ts::At(before, x, y) != ts::At(after, x, y)) ++changed;
            }
        EXPECT_EQ(changed, 0) << i;
        EXPECT_EQ(Whites(after), 6057) << i;
    }
    EXPECT_EQ(CursorCell(*run.frames[1]), 6);
    EXPECT_EQ(CursorCell(*run.frames[2]), 5);
}

class ScatterReplot : public ::testing::TestWithParam<const char*> {};

TEST_P(ScatterReplot, ConfirmingKeyOnTheGaugeJustPlottedPlotsItAgain) {
    // Move away and back first, so the title is gone before the key.
    const auto run = Scatter(FullDistinct(), ts::Keys({"Right", "Left", GetParam()}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    ASSERT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(Sounds(run), 2);
    EXPECT_TRUE(*run.frames[3] == *run.frames[0]) << "the screen is drawn afresh, title included";
    EXPECT_TRUE(ts::TextAt(*run.frames[3], 410, 10, "410601-571231", Yellow, 4));
}

INSTANTIATE_TEST_SUITE_P(Keys, ScatterReplot, ::testing::Values("Enter", "Esc", "Space", "x", "F1", "Close"));

TEST(ScatterQuit, ConfirmOnQuitReturnsWithoutDrawingMore) {
    ts::Frame atReturn{};
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", FullDistinct());
    const auto run = ts::ExecuteScreen(ts::Keys({"Left", "Left", "Left", "Left", "Enter"}), [&atReturn] {
        PUNTENWOLKEN(2);
        atReturn = dk::TheCanvas().px;
    });
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded) << "the screen returned by itself";
    ASSERT_EQ(run.frames.size(), 5u);
    EXPECT_EQ(CursorCell(*run.frames.back()), 1);
    EXPECT_TRUE(atReturn == *run.frames.back());
    EXPECT_EQ(Sounds(run), 1);
}

// --- The file -------------------------------------------------------------------

TEST(ScatterFile, MissingFileIsRuntimeError2) {
    ts::TempDir dir;
    const auto run = ts::ExecuteScreen(ts::Keys({"Enter"}), [] { PUNTENWOLKEN(1); });
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errorText.find("Runtime error 2"), std::string::npos) << run.errorText;
    EXPECT_TRUE(run.frames.empty());
}

struct ShortCase {
    const char* name;
    int records;
    int extraBytes;
};

void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

class ScatterShortFile : public ::testing::TestWithParam<ShortCase> {};

TEST_P(ScatterShortFile, PlotsTheRecordsThereAreAndGoesOn) {
    const ShortCase& c = GetParam();
    std::string file = DistinctDays(c.records);
    file += std::string(static_cast<std::size_t>(c.extraBytes), '7');
    // Entry plots R15, then R4N (which starts in 1953, past the end), then quit.
    const auto run = Scatter(file, ts::Keys({"Left", "Enter", "Left", "Left", "Left", "Enter"}));
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    ASSERT_EQ(run.frames.size(), 6u);
    EXPECT_EQ(Whites(*run.frames[0]), std::min(c.records, 6057));
    EXPECT_TRUE(ts::TextAt(*run.frames[0], 410, 10, "410601-571231", Yellow, 4));
    EXPECT_EQ(Whites(*run.frames[2]), std::max(c.records - 4413, 0));
    EXPECT_TRUE(ts::TextAt(*run.frames[2], 410, 10, "530701-711231", Yellow, 4));
    EXPECT_EQ(Sounds(run), 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScatterShortFile,
                         ::testing::Values(ShortCase{"Empty", 0, 0}, ShortCase{"HundredDays", 100, 0},
                                           ShortCase{"HundredDaysAndAPart", 100, 50},
                                           ShortCase{"EndsOnTheLastDayBeforeTheEndDate", 6057, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
