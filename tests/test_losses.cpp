// morvelan-losses against the charts: every value it prints lands where the
// chart draws its mark, and the cases the charts leave out are left out.
#include <cmath>
#include <cstdio>
#include <map>

#include "UNTREGM3.h"
#include "losses.h"
#include "support.h"

namespace {

// Three years in which each gauge catches its own share of the reference;
// R4 has a dry period (a zero sum in July-August 1942) and R15 misses days in 1942.
std::string Fixture() {
    return ts::Days(1941, 6, 1, 3 * 365 + 31, [](ts::Day& d) {
        const int ref = (d.day * 13 + d.month * 7) % 60;
        d.amounts[0] = ref;
        for (int g = 1; g < 8; ++g) d.amounts[g] = ref * (100 - 3 * g - (d.month % 4)) / 100;
        if (d.year == 1942 && (d.month == 7 || d.month == 8)) d.amounts[2] = 0;
        if (d.year == 1942 && d.month == 3 && d.day < 5) d.flags[4] = '9';
        if (d.year == 1943 && d.month >= 9 && d.month <= 10) d.amounts[0] = 0;  // no reference rain
    });
}

int Round(double v) { return int(std::nearbyint(v)); }

TEST(Losses, AgreeWithTheDrawnMarks) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture());
    std::vector<LossRow> rows;
    std::string error;
    ASSERT_EQ(CollectLosses({}, rows, error), 0) << error;
    ASSERT_FALSE(rows.empty());

    // The x of each period end: 41, 44, ... in the order the ends come.
    std::map<std::string, int> xx;
    for (const LossRow& r : rows)
        if (!xx.count(r.until)) xx[r.until] = 41 + 3 * int(xx.size());

    auto mm = ts::ExecuteScreen(ts::Keys({}), [] { TOONVANGVERLIES(2, 1); });  // two-month mm
    auto pct = ts::ExecuteScreen(ts::Keys({}), [] { TOONVANGVERLIES(2, 0); });  // two-month per cent
    auto year = ts::ExecuteScreen(ts::Keys({}), [] { TOONVANGVERLIES(2, 6); });  // annual per cent
    const int panel2[8] = {0, 0, 70, 270, 170, 370, 0, 0};  // baselines of R4, R15, R4N, R15N
    const int panelYear[8] = {0, 370, 270, 0, 170, 0, 0, 0};  // R4t, R4, R15
    int checked = 0, noPercent = 0;
    auto onCanvas = [](int y) { return y >= 0 && y < dk::kHeight; };
    for (const LossRow& r : rows) {
        SCOPED_TRACE(std::string(LengthName(r.length)) + " " + r.until + " " + GaugeLabel(r.gauge));
        const int x = xx.at(r.until);
        if (r.length == PeriodLength::TwoMonth && panel2[r.gauge] != 0) {
            const int ymm = panel2[r.gauge] + Round(r.lossMm * 2);
            if (onCanvas(ymm)) {
                EXPECT_PIXEL(*mm.frames[0], x + 1, ymm, dk::Yellow);
            }
            if (r.hasPercent) {
                const int y = panel2[r.gauge] + Round(r.lossPercent * 2);
                if (onCanvas(y)) {
                EXPECT_PIXEL(*pct.frames[0], x + 1, y, dk::Yellow);
            }
            } else {
                ++noPercent;
            }
            ++checked;
        }
        if (r.length == PeriodLength::Year && panelYear[r.gauge] != 0 && r.hasPercent) {
            const int y = panelYear[r.gauge] + Round(r.lossPercent * 2);
            if (onCanvas(y)) {
                EXPECT_PIXEL(*year.frames[0], x - 7, y, dk::Yellow);
            }
            ++checked;
        }
        EXPECT_NEAR(r.lossMm, r.refSumMm - r.sumMm, 1e-9);
    }
    EXPECT_GT(checked, 40);
    EXPECT_GT(noPercent, 0) << "the fixture has a period without reference rain";

    // R15 missed days in 1942: no annual row for it that year. R4's dry
    // July-August is drawn at a 100 % loss, and its days run on into the
    // next period.
    int r4Rows = 0;
    for (const LossRow& r : rows) {
        EXPECT_FALSE(r.length == PeriodLength::Year && r.gauge == 4 && r.until == "19430101");
        if (r.length != PeriodLength::TwoMonth || r.gauge != 2) continue;
        if (r.until == "19420901") {
            EXPECT_EQ(r.sumMm, 0);
            EXPECT_DOUBLE_EQ(r.lossPercent, 100);
            ++r4Rows;
        }
        if (r.until == "19421101") {
            EXPECT_EQ(r.days, 62 + 61);
            ++r4Rows;
        }
    }
    EXPECT_EQ(r4Rows, 2);
}

TEST(Losses, OptionsSelectOneGaugeOrOnePeriodLength) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Fixture());
    std::vector<LossRow> all, one;
    std::string error;
    ASSERT_EQ(CollectLosses({}, all, error), 0);
    ASSERT_EQ(CollectLosses({GaugeColumn("r15"), int(PeriodLength::HalfYear)}, one, error), 0);
    ASSERT_FALSE(one.empty());
    std::size_t want = 0;
    for (const LossRow& r : all) want += r.gauge == 4 && r.length == PeriodLength::HalfYear;
    EXPECT_EQ(one.size(), want);
    for (const LossRow& r : one) {
        EXPECT_EQ(r.gauge, 4);
        EXPECT_EQ(r.length, PeriodLength::HalfYear);
    }
}

TEST(Losses, TheToolsCommandLine) {
    ts::TempDir dir;
    const std::string tool = std::string(TOOLS_DIR) + "/morvelan-losses";
    auto run = [&](const std::string& args) {
        const int st = std::system((tool + " " + args + " >out.txt 2>err.txt").c_str());
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    };
    auto text = [](const char* f) {
        std::FILE* in = std::fopen(f, "r");
        std::string s;
        for (int c; in && (c = std::fgetc(in)) != EOF;) s += char(c);
        if (in) std::fclose(in);
        return s;
    };
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(text("out.txt").find("usage: morvelan-losses"), std::string::npos);
    EXPECT_EQ(run(""), 2);  // no file here
    EXPECT_NE(text("err.txt").find("Runtime error 2: cannot open MORVELAN.VSs in " + dir.path()), std::string::npos);
    dir.Write("MORVELAN.VSs", Fixture());
    EXPECT_EQ(run("--gauge R99"), 2);
    EXPECT_NE(text("err.txt").find("unknown gauge"), std::string::npos);
    EXPECT_EQ(run("--period decade"), 2);
    EXPECT_EQ(run("--gauge"), 2);
    EXPECT_EQ(run("--period year --gauge R4"), 0);
    const std::string csv = text("out.txt");
    EXPECT_EQ(csv.rfind("period,from,until,gauge,days,ref_days,sum_mm,ref_sum_mm,loss_mm,loss_percent\n", 0), 0u);
    EXPECT_NE(csv.find("\nyear,19410601,19420101,R4,214,214,"), std::string::npos) << csv;
}

}  // namespace
