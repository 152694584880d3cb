// The catch-loss charts: the pass over the observation file, its period ends
// and accumulators, the loss scales and marks, the frames of the eight
// variants, and how the pass ends. Small files made in each test show one
// rule at a time; the run state at the period ends is watched through the
// screen's period-end hook.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "UNTREGM3.h"
#include "support.h"

using dk::Blue;
using dk::LightGray;
using dk::Yellow;
using ts::At;
using ts::Day;
using ts::Frame;
using ts::Run;

namespace {

// Gauge columns.
constexpr int REF = 0, R4T = 1, R4 = 2, R4N = 3, R15 = 4, R15N = 5;

// --- Watching the period ends ---------------------------------------------------

struct End {
    double ATEL[9][8];
    std::string SDAT;
    std::int32_t RECNR;
    std::int64_t XX;
    double At(int row, int q) const { return ATEL[row - 1][q]; }
};

std::vector<End>* gEnds = nullptr;

void Note(const VANGVERLIESSTAND& s) {
    End e;
    std::memcpy(e.ATEL, s.ATEL, sizeof e.ATEL);
    e.SDAT = std::string(s.SDAT);
    e.RECNR = s.RECNR;
    e.XX = s.XX;
    gEnds->push_back(e);
}

// The result of one pass: the run and every period end it met.
struct Pass {
    Run run;
    std::vector<End> ends;
    const Frame& frame() const { return *run.frames.back(); }
};

// Runs variant kk3 over `file` in language taal, with `keys`; by default one
// key that closes the screen after the pass.
Pass RunPass(std::int16_t kk3, const std::string& file, std::int16_t taal = 1,
             std::vector<ts::ScriptKey> keys = ts::Keys({"Enter"})) {
    Pass p;
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", file);
    gEnds = &p.ends;
    PERIODEEINDE = Note;
    p.run = ts::ExecuteScreen(std::move(keys), [=] { TOONVANGVERLIES(taal, kk3); });
    PERIODEEINDE = nullptr;
    gEnds = nullptr;
    return p;
}

// Consecutive days from (y, m, d) up to and including (y2, m2, d2).
int DaysBetween(int y, int m, int d, int y2, int m2, int d2) {
    static const int len[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int n = 0;
    while (y != y2 || m != m2 || d != d2) {
        ++n;
        const int ml = len[m - 1] + (m == 2 && y % 4 == 0 ? 1 : 0);
        if (++d > ml) {
            d = 1;
            if (++m > 12) { m = 1; ++y; }
        }
    }
    return n + 1;
}
std::string Span(int y, int m, int d, int y2, int m2, int d2, const std::function<void(Day&)>& fill) {
    return ts::Days(y, m, d, DaysBetween(y, m, d, y2, m2, d2), fill);
}

// The column x from y1 to y2, or the row y from x1 to x2, as text: 'Y'
// yellow, 'G' light grey, '.' blue, '?' anything else.
char Code(dk::Colour c) { return c == Yellow ? 'Y' : c == LightGray ? 'G' : c == Blue ? '.' : '?'; }
std::string Column(const Frame& f, int x, int y1, int y2) {
    std::string s;
    for (int y = y1; y <= y2; ++y) s += Code(At(f, x, y));
    return s;
}
std::string Row(const Frame& f, int y, int x1, int x2) {
    std::string s;
    for (int x = x1; x <= x2; ++x) s += Code(At(f, x, y));
    return s;
}

// The text cells of `text` at (x, y) in the 8 x 16 font, rows r0 .. r1 - 1 of
// the cells only (other drawing crosses the rest): each glyph pixel has the
// colour c and no other pixel has it.
::testing::AssertionResult Glyphs(const Frame& f, int x, int y, std::string_view text, dk::Colour c, int r0 = 0,
                                  int r1 = 16) {
    static auto ref = std::make_unique<dk::Canvas>();
    ref->Reset();
    ref->SetTextStyle(0, 0, 2);
    ref->SetColor(dk::White);
    ref->OutTextXY(x, y, text);
    for (int yy = y + r0; yy < y + r1 && yy < dk::kHeight; ++yy)
        for (int xx = x < 0 ? 0 : x; xx < x + 8 * int(text.size()) && xx < dk::kWidth; ++xx)
            if ((ref->At(xx, yy) == dk::White) != (At(f, xx, yy) == c))
                return ::testing::AssertionFailure()
                       << "\"" << text << "\" at (" << x << ", " << y << ") differs at (" << xx << ", " << yy
                       << "): " << ts::ColourName(At(f, xx, yy)) << "; picture: "
                       << ts::SaveFrame("CatchLoss_text", f);
    return ::testing::AssertionSuccess();
}

bool IsSound(const dk::headless::TimedCall& c) { return c.sound && c.hz == 50 && c.ms == 15; }

// ================================================================================
// Period ends
// ================================================================================

struct EndAt {
    std::int32_t recnr;
    const char* sdat;
    std::int64_t xx;
    double refDays;  // the reference gauge's two-month day count at the end
};

struct PeriodCase {
    const char* name;
    std::string file;
    std::vector<EndAt> ends;
};

std::string NotANumberMonth() {
    std::string r = ts::Record(Day{1941, 7, 1, {10, 10, 10, 10, 10, 10, 10, 10}, "00000000", ""});
    r.replace(9, 2, "x7");  // record positions 10-11
    return r;
}

TEST(CatchLossPeriods, EndAtTheFirstOfAnOddMonthAfterTheFirstRecord) {
    auto ten = [](Day& d) { d.amounts[0] = 10; };
    const std::vector<PeriodCase> cases = {
        {"from 1 June 1941", ts::Days(1941, 6, 1, 93, ten), {{30, "0701", 41, 30}, {92, "0901", 44, 62}}},
        {"first record on 1 July", ts::Days(1941, 7, 1, 63, ten), {{62, "0901", 41, 62}}},
        {"1 July missing", ts::Days(1941, 6, 1, 30, ten) + ts::Days(1941, 7, 2, 62, ten), {{91, "0901", 41, 91}}},
        {"month not a number",
         ts::Days(1941, 6, 1, 30, ten) + NotANumberMonth() + ts::Days(1941, 7, 2, 62, ten),
         {{92, "0901", 41, 92}}},
        {"even months end nothing",
         Span(1941, 12, 1, 1942, 5, 1, ten),
         {{31, "0101", 41, 31}, {90, "0301", 44, 59}, {151, "0501", 47, 61}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Pass p = RunPass(0, c.file);
        EXPECT_EQ(p.run.status, 0);
        ASSERT_EQ(p.ends.size(), c.ends.size());
        for (std::size_t i = 0; i < c.ends.size(); ++i) {
            EXPECT_EQ(p.ends[i].RECNR, c.ends[i].recnr);
            EXPECT_EQ(p.ends[i].SDAT, c.ends[i].sdat);
            EXPECT_EQ(p.ends[i].XX, c.ends[i].xx);
            EXPECT_EQ(p.ends[i].At(1, REF), c.ends[i].refDays);
        }
    }
}

// June 1941 loses 10 % in the top panel, July-August 20 %: the first mark
// starts at x = 41 without a connector, the second at 44 with one.
TEST(CatchLossMarks, FirstPeriodsDrawAt41And44) {
    const Pass p = RunPass(0, ts::Days(1941, 6, 1, 93, [](Day& d) {
                               for (int& a : d.amounts) a = 10;
                               d.amounts[R4] = d.month == 6 ? 9 : 8;
                           }));
    ASSERT_EQ(p.run.status, 0);
    const Frame& f = p.frame();
    // Rows 89-91 of the first mark from x = 41, 109-111 of the second from 44.
    EXPECT_EQ(Row(f, 89, 40, 45), ".YYYY.");
    EXPECT_EQ(Row(f, 111, 43, 48), ".YYYY.");
    EXPECT_EQ(Column(f, 42, 88, 92), ".YYY.");
    // The connector stands at x = 44 from 90 to 110; none at the first mark.
    EXPECT_EQ(Column(f, 44, 88, 112), "." + std::string(23, 'Y') + ".");
    EXPECT_EQ(ts::CountColour(f, 41, 71, 41, 88, Yellow), 0);
    EXPECT_EQ(ts::CountColour(f, 45, 92, 47, 108, Yellow), 0);
    EXPECT_EQ(ts::CountColour(f, 48, 60, 60, 470, Yellow), 0);
}

// ================================================================================
// Accumulation
// ================================================================================

// R4 holds 9 a day in June, valid zeros in July-August and 9 a day again in
// September-October, against 10 a day of the reference.
TEST(CatchLossAccumulation, ZeroSumKeepsDaysAndPreviousSum) {
    const Pass p = RunPass(0, Span(1941, 6, 1, 1941, 11, 1, [](Day& d) {
                               for (int& a : d.amounts) a = 10;
                               d.flags = "00099900";  // only R4 in the panels
                               d.amounts[R4] = (d.month == 7 || d.month == 8) ? 0 : 9;
                           }));
    ASSERT_EQ(p.run.status, 0);
    ASSERT_EQ(p.ends.size(), 3u);
    const End& sep = p.ends[1];
    EXPECT_EQ(sep.At(1, R4), 62);
    EXPECT_EQ(sep.At(2, R4), 270);
    EXPECT_EQ(sep.At(3, R4), 0);
    const End& nov = p.ends[2];
    EXPECT_EQ(nov.At(1, R4), 62 + 61);  // the days run on
    EXPECT_EQ(nov.At(2, R4), 270);      // the sum of June is still the previous one
    EXPECT_EQ(nov.At(3, R4), 549);
    EXPECT_EQ(nov.At(2, REF), 620);

    const Frame& f = p.frame();
    // July-August at 100 % loss: 200 pixels below the baseline at 70.
    EXPECT_EQ(Row(f, 269, 43, 48), ".YYYY.");
    EXPECT_EQ(Column(f, 44, 89, 271), std::string(183, 'Y'));
    // September-October at 10 %, its connector from the level of June's sum
    // against July-August's reference: 70 + N(200 * (1 - 270/620)) = 183.
    EXPECT_EQ(Row(f, 89, 46, 51), ".YYYY.");
    EXPECT_EQ(Column(f, 47, 89, 184), std::string(95, 'Y') + ".");
    EXPECT_EQ(ts::CountColour(f, 47, 185, 47, 268, Yellow), 0);
}

// R4 has no valid day in June, valid zeros in July-August, 10 % loss in
// September-October and 20 % in November-December. Only its fourth period
// has a previous sum, so only that one gets a connector.
TEST(CatchLossAccumulation, NoPreviousSumUntilTheFirstPositiveOne) {
    const Pass p = RunPass(0, Span(1941, 6, 1, 1942, 1, 1, [](Day& d) {
                               d.flags = "09999999";
                               d.amounts[REF] = 10;
                               if (d.month == 6) return;
                               d.flags[R4] = '0';
                               d.amounts[R4] = d.month <= 8 ? 0 : d.month <= 10 ? 9 : 8;
                           }));
    ASSERT_EQ(p.run.status, 0);
    ASSERT_EQ(p.ends.size(), 4u);
    EXPECT_EQ(p.ends[0].At(1, R4), 0);
    EXPECT_EQ(p.ends[1].At(2, R4), -999);
    EXPECT_EQ(p.ends[2].At(2, R4), -999);
    EXPECT_EQ(p.ends[3].At(2, R4), 549);

    const Frame& f = p.frame();
    EXPECT_EQ(ts::CountColour(f, 41, 0, 43, 479, Yellow), 0);  // June: no valid day, no mark
    EXPECT_EQ(Row(f, 270, 44, 47), "YYYY");                    // July-August: 100 %
    EXPECT_EQ(ts::CountColour(f, 44, 0, 44, 268, Yellow) + ts::CountColour(f, 44, 272, 44, 479, Yellow), 0);
    EXPECT_EQ(Row(f, 90, 47, 50), "YYYY");  // September-October: 10 %
    EXPECT_EQ(ts::CountColour(f, 47, 92, 47, 268, Yellow) + ts::CountColour(f, 47, 272, 47, 479, Yellow), 0);
    EXPECT_EQ(Row(f, 110, 50, 54), "YYYY.");  // November-December: 20 %, joined to 10 %
    EXPECT_EQ(Column(f, 50, 89, 111), std::string(23, 'Y'));
}

// Year and half-year sums move to "previous" at their ends even when zero.
// R15 has no valid day in 1942; the reference 10 a day all through, R15 9.
TEST(CatchLossAccumulation, YearAndHalfYearResetAlsoWhenZero) {
    const Pass p = RunPass(6, Span(1941, 6, 1, 1944, 1, 1, [](Day& d) {
                               d.flags = "09999999";
                               d.amounts[REF] = 10;
                               d.amounts[R15] = 9;
                               if (d.year != 1942) d.flags[R15] = '0';
                           }));
    ASSERT_EQ(p.run.status, 0);
    auto at = [&](const char* sdat, int year) -> const End& {
        // Ends of one date come in year order; the first is in 1941 or 1942.
        int seen = 0;
        for (const End& e : p.ends)
            if (e.SDAT == sdat && seen++ == year) return e;
        ADD_FAILURE() << "no end " << sdat;
        return p.ends.front();
    };
    const End& jan43 = at("0101", 1), &jan44 = at("0101", 2);
    EXPECT_EQ(jan43.At(4, R15), 0);
    EXPECT_EQ(jan43.At(6, R15), 0);
    EXPECT_EQ(jan43.At(4, REF), 365);
    EXPECT_EQ(jan44.At(5, R15), 0);  // 1942's zero, not 1941's sum
    EXPECT_EQ(jan44.At(4, R15), 365);
    EXPECT_EQ(jan44.At(5, REF), 3650);
    const End& nov42 = at("1101", 1), &may43 = at("0501", 1);
    EXPECT_EQ(nov42.At(7, R15), 0);
    EXPECT_EQ(may43.At(8, R15), 0);
    EXPECT_EQ(may43.At(7, R15), 120);  // January to April 1943
    EXPECT_EQ(jan44.XX, 86);

    const Frame& f = p.frame();
    // 1941: equal day counts, 10 % below the baseline at 170, x = 35 to 53.
    EXPECT_EQ(Row(f, 190, 34, 54), "." + std::string(19, 'Y') + ".");
    // 1942: R15 has 0 days against 365: no mark.
    EXPECT_EQ(ts::CountColour(f, 55, 150, 70, 470, Yellow), 0);
    // 1943: a mark, and a connector from the zero of 1942 (a 100 % loss) up to it.
    EXPECT_EQ(Row(f, 190, 70, 90), "." + std::string(19, 'Y') + ".");
    EXPECT_EQ(Column(f, 71, 189, 370), std::string(182, 'Y'));
    EXPECT_NE(At(f, 71, 371), Yellow);
}

// A flag of "9" or any byte above it takes that day out of that gauge's
// counts and sums only.
TEST(CatchLossAccumulation, FlagAtOrAbove9ExcludesOnlyItsGauge) {
    struct Case {
        char flag;
        bool valid;
    };
    for (const Case c : {Case{'9', false}, Case{'A', false}, Case{'\xC4', false}, Case{'8', true},
                         Case{' ', true}, Case{'0', true}, Case{'\x01', true}}) {
        SCOPED_TRACE(std::string("flag byte ") + std::to_string(static_cast<unsigned char>(c.flag)));
        const Pass p = RunPass(0, ts::Days(1941, 6, 1, 31, [&](Day& d) {
                                   for (int& a : d.amounts) a = 9;
                                   if (d.day == 15) {
                                       d.amounts[R4] = 50;
                                       d.flags[R4] = c.flag;
                                   }
                               }));
        ASSERT_EQ(p.ends.size(), 1u);
        const End& e = p.ends[0];
        for (int row : {1, 4, 7}) EXPECT_EQ(e.At(row, R4), c.valid ? 30 : 29);
        for (int row : {3, 6, 9}) EXPECT_EQ(e.At(row, R4), c.valid ? 29 * 9 + 50 : 29 * 9);
        for (int q : {REF, R4T, R4N, R15}) {
            EXPECT_EQ(e.At(1, q), 30);
            EXPECT_EQ(e.At(3, q), 270);
        }
    }
}

// ================================================================================
// Loss scales and marks
// ================================================================================

TEST(CatchLossScales, OffsetsAndRounding) {
    struct Case {
        const char* name;
        long double offset;
        long double pixels;
    };
    const Case cases[] = {
        {"equal sums", VERLIESPROCENT(100, 100), 0},
        {"10 % less", VERLIESPROCENT(90, 100), 20},
        {"10 % more", VERLIESPROCENT(110, 100), -20},
        {"nothing caught", VERLIESPROCENT(0, 100), 200},
        {"two-month 10 mm", VERLIES2MM(900, 1000), 20},
        {"two-month 1 mm more", VERLIES2MM(110, 100), -2},
        {"annual 20 mm", VERLIES12MM(800, 1000), 20},
        {"annual 5 tenths", VERLIES12MM(95, 100), 0},
        {"annual 15 tenths", VERLIES12MM(85, 100), 2},
        {"annual 25 tenths", VERLIES12MM(75, 100), 2},
        {"annual 35 tenths", VERLIES12MM(65, 100), 4},
        {"annual 5 tenths gained", VERLIES12MM(105, 100), 0},
        {"annual 15 tenths gained", VERLIES12MM(115, 100), -2},
        {"annual 25 tenths gained", VERLIES12MM(125, 100), -2},
        {"annual 14 tenths", VERLIES12MM(86, 100), 1},
        {"annual 16 tenths", VERLIES12MM(84, 100), 2},
    };
    for (const Case& c : cases) EXPECT_EQ(AFRONDEN(c.offset), c.pixels) << c.name;
    EXPECT_TRUE(std::isnan(VERLIESPROCENT(10, 0)));
    EXPECT_TRUE(std::isnan(VERLIESPROCENT(0, 0)));
    EXPECT_TRUE(std::isnan(AFRONDEN(VERLIESPROCENT(0, 0))));
}

// One rainy day in 1941: the year's losses of R15, R4 and R4t are 5, 15 and
// 25 tenths, drawn 0, 2 and 2 pixels below their baselines at 120, 250, 380.
TEST(CatchLossScales, AnnualMillimetresRoundHalfToEven) {
    const Pass p = RunPass(5, Span(1941, 6, 1, 1942, 1, 1, [](Day& d) {
                               if (d.month == 6 && d.day == 10) {
                                   d.amounts[REF] = 100;
                                   d.amounts[R15] = 95;
                                   d.amounts[R4] = 85;
                                   d.amounts[R4T] = 75;
                               }
                           }));
    ASSERT_EQ(p.run.status, 0);
    const Frame& f = p.frame();
    EXPECT_EQ(Column(f, 44, 117, 123), "..YYY..");  // over the baseline at 120
    EXPECT_EQ(Column(f, 44, 249, 255), ".GYYY..");
    EXPECT_EQ(Column(f, 44, 379, 385), ".GYYY..");
    EXPECT_EQ(Row(f, 252, 34, 54), "." + std::string(19, 'Y') + ".");
}

// Variant 7: the summer half-year (ending 1 November) is a bar, the winter
// one (ending 1 May) a line; the line starts at XX - 4 instead of XX - 6 when
// its 1 May is one of the first 180 records.
TEST(CatchLossMarks, HalfYearBarsAndLines) {
    auto fill = [](Day& d) {
        d.flags = "09999999";
        d.flags[R15] = '0';
        d.amounts[REF] = 20;
        d.amounts[R15] = (d.month >= 5 && d.month <= 10) ? 18 : 15;  // 10 %, winter 25 %
    };
    {
        const Pass p = RunPass(7, Span(1941, 6, 1, 1942, 5, 1, fill));
        ASSERT_EQ(p.run.status, 0);
        const Frame& f = p.frame();
        // Summer 1941 at 1 November (XX = 47): a bar from 41 to 50, rows 189-191.
        EXPECT_EQ(Row(f, 189, 40, 51), "." + std::string(10, 'Y') + ".");
        EXPECT_EQ(Row(f, 191, 40, 51), "." + std::string(10, 'Y') + ".");
        // Winter at 1 May 1942 (record 334, XX = 56): a line from 50 to 59,
        // joined at 50 to the summer's level.
        EXPECT_EQ(Row(f, 220, 49, 60), "." + std::string(10, 'Y') + ".");
        EXPECT_EQ(ts::CountColour(f, 51, 219, 59, 219, Yellow) + ts::CountColour(f, 51, 221, 59, 221, Yellow), 0);
        EXPECT_EQ(Column(f, 50, 189, 221), std::string(32, 'Y') + ".");
    }
    struct Case {
        int startDay;
        std::int32_t recnr;
        int x1;
    };
    for (const Case c : {Case{2, 180, 41}, Case{3, 179, 43}}) {
        SCOPED_TRACE(c.recnr);
        const Pass p = RunPass(7, Span(1941, 11, c.startDay, 1942, 5, 1, fill));
        ASSERT_FALSE(p.ends.empty());
        EXPECT_EQ(p.ends.back().RECNR, c.recnr);
        EXPECT_EQ(p.ends.back().XX, 47);
        const Frame& f = p.frame();
        EXPECT_EQ(Row(f, 220, 40, 51), std::string(size_t(c.x1 - 40), '.') + std::string(size_t(51 - c.x1), 'Y') + ".");
    }
}

// A year is drawn only for a gauge with as many valid days as the reference.
TEST(CatchLossMarks, YearMarkOnlyWithEqualDayCounts) {
    // 1941: R4 misses one day (flag 9), R15 none, R4t none but reads less.
    const Pass p = RunPass(6, Span(1941, 6, 1, 1942, 1, 1, [](Day& d) {
                               for (int& a : d.amounts) a = 10;
                               d.amounts[R4T] = 9;
                               if (d.month == 8 && d.day == 1) d.flags[R4] = '9';
                           }));
    ASSERT_EQ(p.run.status, 0);
    const Frame& f = p.frame();
    EXPECT_EQ(Row(f, 170, 34, 54), "." + std::string(19, 'Y') + "G");  // R15, no loss
    EXPECT_EQ(ts::CountColour(f, 36, 260, 52, 330, Yellow), 0);       // R4: 213 days against 214
    EXPECT_EQ(Row(f, 390, 34, 54), "." + std::string(19, 'Y') + ".");  // R4t: 10 %
}

// ================================================================================
// Values the charts cannot draw
// ================================================================================

// A per-cent loss against a zero reference sum has no place: that mark is
// left out, and so is a connector that needs such a sum. The pass goes on.
TEST(CatchLossLimits, ZeroReferenceSumDrawsNothingForIt) {
    // Two-month: June's reference is zero; July-August normal.
    {
        const Pass p = RunPass(0, ts::Days(1941, 6, 1, 93, [](Day& d) {
                                   d.flags = "00999999";
                                   d.flags[R4] = '0';
                                   d.amounts[REF] = d.month == 6 ? 0 : 10;
                                   d.amounts[R4] = 9;
                               }));
        ASSERT_EQ(p.run.status, 0);
        EXPECT_EQ(p.ends.size(), 2u);
        const Frame& f = p.frame();
        EXPECT_EQ(ts::CountColour(f, 41, 0, 43, 479, Yellow), 0);
        // July-August at 10 %; the reference has no previous sum yet (its
        // June was zero), so the connector starts at the level computed with
        // -999: 70 + N(200 * (1 - 270 / -999)) = 324.
        EXPECT_EQ(Row(f, 89, 43, 48), ".YYYY.");
        EXPECT_EQ(Column(f, 44, 88, 325), "." + std::string(236, 'Y') + ".");
    }
    // Year: 1942's reference is zero (valid days); 1943 normal.
    {
        const Pass p = RunPass(6, Span(1941, 6, 1, 1944, 1, 1, [](Day& d) {
                                   d.flags = "09999999";
                                   d.flags[R15] = '0';
                                   d.amounts[REF] = d.year == 1942 ? 0 : 10;
                                   d.amounts[R15] = 9;
                               }));
        ASSERT_EQ(p.run.status, 0);
        const Frame& f = p.frame();
        EXPECT_EQ(ts::CountColour(f, 54, 0, 70, 479, Yellow), 0);        // 1942: no mark
        EXPECT_EQ(Row(f, 190, 70, 90), "." + std::string(19, 'Y') + ".");  // 1943
        EXPECT_EQ(ts::CountColour(f, 71, 0, 71, 188, Yellow) + ts::CountColour(f, 71, 192, 71, 479, Yellow), 0);
    }
}

// Values far outside 16 bits are left out; the rest of the chart is drawn.
TEST(CatchLossLimits, LevelsBeyond16BitsAreLeftOut) {
    const Pass p = RunPass(0, ts::Days(1941, 6, 1, 93, [](Day& d) {
                               d.flags = "00999999";
                               d.flags[R4] = '0';
                               d.amounts[REF] = d.month == 6 ? (d.day == 1 ? 1 : 0) : 10;
                               d.amounts[R4] = d.month == 6 ? (d.day == 1 ? 9999 : 0) : 9;
                           }));
    ASSERT_EQ(p.run.status, 0);
    EXPECT_EQ(p.ends.size(), 2u);
    const Frame& f = p.frame();
    EXPECT_EQ(ts::CountColour(f, 41, 0, 43, 479, Yellow), 0);  // 70 - 1 999 600
    EXPECT_EQ(Row(f, 89, 43, 48), ".YYYY.");                  // July-August, 10 %
    EXPECT_EQ(ts::CountColour(f, 44, 0, 44, 88, Yellow) + ts::CountColour(f, 44, 92, 44, 479, Yellow), 0);
}

// Every record dated 1 January ends a two-month period and a year, so x grows
// by 3 per record, beyond 16 bits after some 10 900 records: those marks are
// left out and the pass runs to the end of the file.
TEST(CatchLossLimits, VeryManyPeriodsKeepThePassRunning) {
    std::string file;
    const std::string rec = ts::Record(Day{1941, 1, 1, {10, 9, 9, 9, 9, 9, 9, 9}, "00000000", ""});
    for (int i = 0; i < 11000; ++i) file += rec;
    for (std::int16_t kk3 : {0, 5}) {
        SCOPED_TRACE(kk3);
        const Pass p = RunPass(kk3, file);
        EXPECT_EQ(p.run.status, 0);
        ASSERT_EQ(p.ends.size(), 10999u);
        EXPECT_EQ(p.ends.back().XX, 41 + 3 * 10998);
        EXPECT_EQ(std::count_if(p.run.calls.begin(), p.run.calls.end(), IsSound), 1);
        EXPECT_FALSE(p.run.scriptEnded);
    }
}

// ================================================================================
// How the pass ends
// ================================================================================

// A key stops the pass after the record it arrives at: a key at the 31st poll
// comes after the record of 1 July 1941, whose period end is drawn.
TEST(CatchLossEnd, KeyStopsThePassAfterTheCurrentRecord) {
    auto file = ts::Days(1941, 6, 1, 93, [](Day& d) {
        for (int& a : d.amounts) a = 10;
        d.amounts[R4] = 9;
    });
    struct Case {
        long poll;
        std::size_t ends;
        bool firstMark;
    };
    for (const Case c : {Case{30, 0, false}, Case{31, 1, true}, Case{62, 1, true}}) {
        SCOPED_TRACE(c.poll);
        const Pass p = RunPass(0, file, 1, {ts::KeyAtPoll("x", c.poll), ts::Keys({"Enter"})[0]});
        EXPECT_EQ(p.run.status, 0);
        EXPECT_FALSE(p.run.scriptEnded);  // the second key closed the screen
        EXPECT_EQ(p.run.frames.size(), 1u);
        EXPECT_EQ(p.ends.size(), c.ends);
        EXPECT_EQ(At(p.frame(), 42, 90) == Yellow, c.firstMark);
        EXPECT_EQ(ts::CountColour(p.frame(), 45, 80, 47, 100, Yellow), 0);
        ASSERT_FALSE(p.run.calls.empty());
        EXPECT_TRUE(IsSound(p.run.calls.back()));
    }
    // The key that stops the pass does not close the screen.
    const Pass p = RunPass(0, file, 1, {ts::KeyAtPoll("Right", 40)});
    EXPECT_EQ(p.run.status, 0);
    EXPECT_TRUE(p.run.scriptEnded);
    EXPECT_EQ(p.run.frames.size(), 1u);
}

TEST(CatchLossEnd, EndOfFileBeepsAndWaitsForOneKey) {
    const Pass p = RunPass(0, ts::Days(1941, 6, 1, 40), 1, {});
    EXPECT_TRUE(p.run.scriptEnded);  // waiting
    ASSERT_EQ(p.run.calls.size(), 1u);
    EXPECT_TRUE(IsSound(p.run.calls[0]));
    EXPECT_EQ(p.run.keyPressedCalls, 39 + 1);  // one poll per record but the last, one in the key reader
}

// An empty file (or one without a whole record) ends the pass at once: the
// frame stays, the beep sounds, a key returns.
TEST(CatchLossEnd, EmptyFileShowsTheFrame) {
    for (const std::string& file : {std::string(), std::string(50, '7')}) {
        SCOPED_TRACE(file.size());
        const Pass p = RunPass(0, file, 2);
        EXPECT_EQ(p.run.status, 0);
        EXPECT_FALSE(p.run.scriptEnded);
        ASSERT_EQ(p.run.frames.size(), 1u);
        EXPECT_TRUE(Glyphs(p.frame(), 216, 30, " RAINGAUGE COMPARISON", Yellow));
        EXPECT_EQ(ts::CountColour(p.frame(), 35, 70, 593, 70, LightGray), 559);
        ASSERT_EQ(p.run.calls.size(), 1u);
        EXPECT_TRUE(IsSound(p.run.calls[0]));
    }
}

TEST(CatchLossEnd, MissingFileIsRunTimeError2BeforeDrawing) {
    ts::TempDir dir;
    const ts::Run run = ts::ExecuteScreen(ts::Keys({"Enter"}), [] { TOONVANGVERLIES(1, 0); });
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errorText.find("MORVELAN.VSs"), std::string::npos);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_EQ(dk::TheCanvas().At(320, 240), dk::Black);  // the window as it was opened
}

// ================================================================================
// Frames
// ================================================================================

enum PanelKind { P2P, P2V, P12, P12P };
struct PanelAt {
    PanelKind kind;
    int hh;
    int r;  // gauge caption
};

const char* const kCaption2P[3] = {"verlies-percentage", "per cent losses", "prozentual Verlust"};
const char* const kCaption2V[3] = {"gesommeerd verlies", "added losses", "summiertes Verlust"};
const char* const kCaption12[3] = {"verlies op jaarbasis", "annual losses", "Verlust pro Jahr"};
const char* const kTitle[3] = {"REGENMETERVERGELIJKING", " RAINGAUGE COMPARISON", " VERGLEICH REGENFANGER"};
const char* const kGauge[9][3] = {
    {},
    {" 40cm, betere sneeuwmeting", " 40cm, better snow-observ.", " 40cm, bessere Schneebeob."},
    {"           regenmeter 40cm", "            raingauge 40cm", "          Regenfanger 40cm"},
    {"           40cm met Nipher", "   40cm with Nipher shield", "     40cm mit Nipherschirm"},
    {"          regenmeter 150cm", "           raingauge 150cm", "         Regenfanger 150cm"},
    {"          150cm met Nipher", "  150cm with Nipher shield", "    150cm mit Nipherschirm"},
    {}, {}, {"", "", ""},
};

// Checks one empty panel at its coordinates.
void CheckPanel(const Frame& f, const PanelAt& p, int taal) {
    SCOPED_TRACE("panel at " + std::to_string(p.hh));
    const int HH = p.hh;
    const int D = p.kind == P12 ? 80 : 60;
    const char* caption =
        (p.kind == P2V ? kCaption2V : p.kind == P12 ? kCaption12 : kCaption2P)[taal - 1];
    static const char* const per[] = {"  0%", " 10%", " 20%", " 30%"};
    static const char* const mm2[] = {"  0mm", "-10mm", "-20mm", "-30mm"};
    static const char* const mm12[] = {"  0mm", "-20mm", "-40mm", "-60mm", "-80mm"};
    const char* const* labels = p.kind == P2V ? mm2 : p.kind == P12 ? mm12 : per;
    const int nl = p.kind == P12 ? 5 : 4;

    // Captions, above the lines that cross their lowest rows.
    const std::string gauge = kGauge[p.r][taal - 1];
    if (gauge.empty()) {
        EXPECT_EQ(ts::CountColour(f, 385, HH - 14, 593, HH - 5, Yellow), 0);
    } else {
        EXPECT_TRUE(Glyphs(f, 385, HH - 14, gauge, Yellow, 0, 10));
    }
    EXPECT_TRUE(Glyphs(f, 4, HH - 14, caption, LightGray, 0, 10));
    // The baseline is solid and drawn over the captions.
    EXPECT_EQ(Row(f, HH, 34, 594), "." + std::string(559, 'G') + ".");
    // Dotted grid lines 20 pixels apart, 2 on and 2 off from x = 35.
    for (int k = 1; k < nl; ++k) EXPECT_EQ(Row(f, HH + 20 * k, 34, 43), ".GG..GG..G") << k;
    if (HH + 20 * nl < dk::kHeight) {
        EXPECT_EQ(Code(At(f, 300, HH + 20 * nl)), '.');  // no grid line more
    }
    // Dotted decade lines from HH - 4 to HH + D, ticks from HH + D to HH + D + 4.
    EXPECT_EQ(Column(f, 215, HH - 5, HH + 1), ".GG..GG");
    for (int x : {35, 215, 395, 575}) EXPECT_EQ(Column(f, x, HH + D - 2, HH + D + 5), "..GG..G.") << x;
    for (int k = 1; k <= 31; ++k)
        if (k % 10 != 0) {
            EXPECT_EQ(Column(f, 35 + 18 * k, HH + D - 1, HH + D + 5), ".GG..G.") << k;
        }
    // Value labels on the right (and on the left of the annual per-cent panel).
    for (int k = 0; k < nl; ++k) {
        EXPECT_TRUE(Glyphs(f, 597, HH - 4 + 20 * k, labels[k], LightGray)) << k;
        if (p.kind == P12P) {
            EXPECT_TRUE(Glyphs(f, 0, HH - 4 + 20 * k, labels[k], LightGray, k == 0 ? 6 : 0)) << k;
        }
    }
    if (p.kind == P2P || p.kind == P2V) {
        EXPECT_EQ(ts::CountColour(f, 0, HH + 2, 31, HH + 60, LightGray), 0);
    }
    // Year labels under the axis.
    static const char* const years[] = {"41", "51", "61", "71"};
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(Glyphs(f, 38 + 180 * k, HH + D + 3, years[k], LightGray, 2, 9)) << k;
    // The lysimeter scale of the annual millimetre panels.
    if (p.kind == P12) {
        EXPECT_TRUE(Glyphs(f, 4, HH - 4, "  0", LightGray, 6));
        EXPECT_TRUE(Glyphs(f, 4, HH + 28, " 20", LightGray));
        EXPECT_TRUE(Glyphs(f, 4, HH + 60, " 40", LightGray));
        if (HH + 92 + 16 <= dk::kHeight) {
            EXPECT_TRUE(Glyphs(f, 4, HH + 92, " 60 ton/lysimeter", LightGray, 7));
        }
    }
}

struct HeadText {
    int x, y;
    const char* text;
    int r1;  // rows checked, from the top of the cells
};
struct FrameCase {
    std::int16_t kk3;
    std::vector<PanelAt> panels;
    std::vector<HeadText> head;  // yellow texts; a title is given per language below
    int titleY;                  // -1: no title
    bool indented;
};

std::string TitleFor(const FrameCase& c, int taal) { return (c.indented ? "    " : "") + std::string(kTitle[taal - 1]); }

const std::vector<FrameCase>& FrameCases() {
    static const std::vector<FrameCase> cases = {
        {0, {{P2P, 70, 2}, {P2P, 170, 4}, {P2P, 270, 3}, {P2P, 370, 5}}, {}, 30, false},
        {1, {{P2V, 70, 2}, {P2V, 170, 4}, {P2V, 270, 3}, {P2V, 370, 5}}, {}, 30, false},
        {2,
         {{P2P, 160, 8}, {P2V, 260, 8}, {P12, 360, 8}},
         {{46, 72, "Termijnwaarnemingen (betere sneeuwmeting).", 12},
          {46, 88, "Regenmeter 40cm", 12},
          {424, 104, "+Nipher", 12}},
         -1,
         false},
        {3,
         {{P2P, 140, 8}, {P2V, 260, 8}, {P12, 380, 8}},
         {{46, 0, "Station 235 (KNMI: Pompgebouw en Lysimeterterrein).", 12},
          {0, 16, "Pgb-1", 12},
          {142, 32, "Pgb-2", 12},
          {282, 48, "Pgb-3", 12},
          {345, 64, "Lys.terr.", 12},
          {424, 80, "Id. met Nipherschirm", 12},
          {598, 96, "Pgb-4", 12}},
         -1,
         false},
        {4,
         {{P2P, 120, 8}, {P2V, 240, 8}, {P12, 360, 8}},
         {{48, 16, "Station 232 (KNMI: Duinmeertje te Bakkum).", 12},
          {39, 32, "          Regenmeter in Engelse opstelling       ", 12}},
         -1,
         false},
        {5, {{P12, 120, 4}, {P12, 250, 2}, {P12, 380, 1}}, {}, 80, true},
        {6, {{P12P, 170, 4}, {P12P, 270, 2}, {P12P, 370, 1}}, {}, 130, true},
        {7, {{P12P, 170, 4}, {P12P, 270, 2}, {P12P, 370, 1}}, {}, 130, true},
    };
    return cases;
}

// One record: nothing ends, so the picture is the frame alone.
const Frame& FrameOf(std::int16_t kk3, std::int16_t taal) {
    static std::unique_ptr<Frame> cache[8][3];
    auto& f = cache[kk3][taal - 1];
    if (!f) {
        Pass p = RunPass(kk3, ts::Days(1941, 6, 1, 1), taal);
        EXPECT_EQ(p.run.status, 0);
        f = std::make_unique<Frame>(p.frame());
    }
    return *f;
}

TEST(CatchLossFrames, PanelsTitlesAndHeadingsAtTheirCoordinates) {
    for (const FrameCase& c : FrameCases())
        for (std::int16_t taal = 1; taal <= 3; ++taal) {
            SCOPED_TRACE("variant " + std::to_string(c.kk3) + ", language " + std::to_string(taal));
            const Frame& f = FrameOf(c.kk3, taal);
            if (c.titleY >= 0) {
                EXPECT_TRUE(Glyphs(f, 216, c.titleY, TitleFor(c, taal), Yellow));
            }
            for (const HeadText& h : c.head) EXPECT_TRUE(Glyphs(f, h.x, h.y, h.text, Yellow, 0, h.r1)) << h.text;
            for (const PanelAt& p : c.panels) CheckPanel(f, p, taal);
        }
}

TEST(CatchLossFrames, HistoryBarsAndDecadeLines) {
    {
        const Frame& f = FrameOf(2, 2);  // term observations, HH = 40
        EXPECT_EQ(Row(f, 84, 41, 421), "." + std::string(379, 'Y') + ".");
        EXPECT_EQ(Column(f, 42, 83, 101), "." + std::string(17, 'Y') + ".");
        EXPECT_EQ(Row(f, 116, 419, 486), "." + std::string(66, 'Y') + ".");
        EXPECT_EQ(Column(f, 485, 99, 117), "." + std::string(17, 'Y') + ".");
        EXPECT_TRUE(Glyphs(f, 493, 96, "(aanvullin", Yellow));  // the decade line at 575 crosses the "g"
        EXPECT_EQ(Column(f, 35, 67, 72), ".GG..G");
        EXPECT_EQ(Column(f, 215, 103, 108), ".GG..G");
        EXPECT_EQ(Column(f, 395, 103, 108), ".GG..G");
        EXPECT_EQ(Column(f, 575, 75, 80), ".GG..G");
        EXPECT_EQ(Code(At(f, 215, 140)), 'G');
        EXPECT_EQ(Code(At(f, 215, 141)), '.');
    }
    {
        const Frame& f = FrameOf(3, 1);  // station 235, HH = 0: bars stepping down
        EXPECT_EQ(Row(f, 12, 0, 138), std::string(139, 'Y'));  // from x = -4, clipped
        EXPECT_EQ(Column(f, 138, 11, 45), "." + std::string(33, 'Y') + ".");
        EXPECT_EQ(Row(f, 28, 0, 279), std::string(279, 'Y') + ".");
        EXPECT_EQ(Row(f, 92, 419, 639), "." + std::string(220, 'Y'));  // to x = 640, clipped
        EXPECT_EQ(Column(f, 594, 75, 109), "." + std::string(33, 'Y') + ".");
        EXPECT_EQ(Column(f, 35, 0, 9), "GG..GG..G.");
        EXPECT_EQ(Column(f, 575, 95, 100), ".GG..G");
    }
    {
        const Frame& f = FrameOf(4, 3);  // station 232, HH = 16
        EXPECT_EQ(Row(f, 28, 34, 450), "." + std::string(415, 'Y') + ".");
        EXPECT_EQ(Row(f, 44, 34, 450), "." + std::string(415, 'Y') + ".");
        EXPECT_EQ(Column(f, 35, 11, 25), ".GG..GG..GG..G.");
        EXPECT_EQ(Column(f, 575, 11, 16), ".GG..G");
        EXPECT_EQ(Column(f, 215, 47, 52), ".GG..G");
    }
}

TEST(CatchLossFrames, UnknownVariantDrawsNothingButTheBlueScreen) {
    const Pass p = RunPass(8, ts::Days(1941, 6, 1, 93, [](Day& d) { d.amounts[REF] = 10; }));
    EXPECT_EQ(p.run.status, 0);
    EXPECT_EQ(p.ends.size(), 2u);
    EXPECT_EQ(ts::CountColour(p.frame(), 0, 0, 639, 479, Blue), 640 * 480);
}

TEST(CatchLossFrames, HalfYearAndAnnualPerCentFramesAreTheSame) {
    for (std::int16_t taal = 1; taal <= 3; ++taal) EXPECT_TRUE(FrameOf(6, taal) == FrameOf(7, taal)) << taal;
}

}  // namespace
