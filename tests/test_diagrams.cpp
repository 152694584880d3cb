// The documentation diagrams: gauge set-ups, measurement programme and
// station history, checked pixel by pixel on the headless canvas.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "UNTPROGDELEN.h"
#include "UNTREGM2.h"
#include "morvelan.h"
#include "support.h"
#include "text.h"

using dk::Blue;
using dk::LightGray;
using dk::Yellow;
using ts::At;
using ts::Frame;

namespace {

// The picture a screen shows while it waits for its key.
std::unique_ptr<Frame> Picture(const std::function<void()>& screen) {
    auto run = ts::ExecuteScreen(ts::Keys({"Enter"}), screen);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.frames.size(), 1u);
    return run.frames.empty() ? std::make_unique<Frame>() : std::move(run.frames.front());
}

const Frame& SetUps(std::int16_t taal) {
    static std::unique_ptr<Frame> cache[3];
    auto& f = cache[taal - 1];
    if (!f) f = Picture([taal] { OPSTELLINGEN(taal); });
    return *f;
}
const Frame& Programme() {
    static const auto f = Picture(MEETPROGRAMMA);
    return *f;
}
const Frame& Stations() {
    static const auto f = Picture(KNMISTATIONS);
    return *f;
}

// The column x from y1 to y2 as a string: 'Y' yellow, 'G' light grey,
// '.' blue, '?' anything else.
std::string Column(const Frame& f, int x, int y1, int y2) {
    std::string s;
    for (int y = y1; y <= y2; ++y) {
        const dk::Colour c = At(f, x, y);
        s += c == Yellow ? 'Y' : c == LightGray ? 'G' : c == Blue ? '.' : '?';
    }
    return s;
}
std::string Row(const Frame& f, int y, int x1, int x2) {
    std::string s;
    for (int x = x1; x <= x2; ++x) {
        const dk::Colour c = At(f, x, y);
        s += c == Yellow ? 'Y' : c == LightGray ? 'G' : c == Blue ? '.' : '?';
    }
    return s;
}

// A run of pixels drawn dotted: gaps, and never more than two alike in a row.
bool LooksDotted(const std::string& run, char on) {
    if (run.find('.') == std::string::npos || run.find(on) == std::string::npos) return false;
    return run.find(std::string(3, on)) == std::string::npos && run.find("...") == std::string::npos;
}

// The outline of a rectangle, edges included.
struct Outline {
    int x1, y1, x2, y2;
    bool Holds(int x, int y) const {
        return ((x == x1 || x == x2) && y >= y1 && y <= y2) || ((y == y1 || y == y2) && x >= x1 && x <= x2);
    }
};

// A text drawn where bar outlines cross its cells: the cells match the
// glyphs exactly, except on the outlines, which must be yellow.
::testing::AssertionResult TextAmongBars(const Frame& f, int x, int y, std::string_view text, dk::Colour c,
                                         std::initializer_list<Outline> outlines) {
    static auto ref = std::make_unique<dk::Canvas>();
    ref->Reset();
    ref->SetColor(dk::White);
    ref->OutTextXY(x, y, text);
    for (int yy = y; yy < y + 16; ++yy)
        for (int xx = std::max(x, 0); xx < x + 8 * int(text.size()) && xx < dk::kWidth; ++xx) {
            bool onOutline = false;
            for (const Outline& o : outlines) onOutline = onOutline || o.Holds(xx, yy);
            if (onOutline ? At(f, xx, yy) != Yellow : (ref->At(xx, yy) == dk::White) != (At(f, xx, yy) == c))
                return ::testing::AssertionFailure()
                       << "text \"" << text << "\" differs at (" << xx << ", " << yy << "); picture "
                       << ts::SaveFrame("TextAmongBars", f);
        }
    return ::testing::AssertionSuccess();
}

}  // namespace

// --- Gauge set-ups -----------------------------------------------------------

TEST(SetUps, ExplanationLinesPerLanguage) {
    struct Case {
        std::int16_t taal;
        dk::Text lines[6];
    };
    static constexpr Case cases[] = {
        {1,
         {"REGENMETER VERGELIJKING", "Het vangoppervlak van alle regenmeters was 4 sqdm.", "",
          "In 1941 was de standaard meethoogte in Nederland 150cm.",
          "Eind veertiger jaren verlaagde het KNMI de standaard",
          "meethoogte naar 40 cm. Dit verminderde de windverliezen."}},
        {2,
         {"RAINGAUGE COMPARISON", "The catching area of the used raingauges was 4 sqdm.", "",
          "In 1941 the standard observation hight was 150cm.",
          "At the end of the fourties, this hight was lowered to",
          "40cm. These did decrease the wind caused catch losses."}},
        {3,
         {"REGENMESSER VERGLEICH", "Die Fangöffnung der Regenmesser ist 4qdm in Querschnitt.", "",
          "In 1941 war die Standart Afstellungshöhe der Regenfanger",
          "150cm. Am ende der vierziger Jahre stellte man die Höhe",
          "um nach 40cm. Diese Massnahme minderte Windverlussten."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taal);
        const Frame& f = SetUps(c.taal);
        for (int i = 0; i < 6; ++i) {
            if (i == 2) {
                // The empty third line: its row stays blue from edge to edge.
                EXPECT_EQ(ts::CountColour(f, 0, 368, 639, 383, Blue), 640 * 16);
                continue;
            }
            // Checked over the full 56 cells: the padding draws nothing.
            std::string padded(c.lines[i].sv());
            padded.resize(56, ' ');
            EXPECT_TRUE(ts::TextAt(f, 90, 336 + 16 * i, padded, Yellow)) << "line " << i + 1;
        }
        // Nothing after the sixth line, nothing left of the lines.
        EXPECT_EQ(ts::CountColour(f, 0, 432, 639, 479, Blue), 640 * 48);
        EXPECT_EQ(ts::CountColour(f, 0, 336, 89, 431, Blue), 90 * 96);
    }
}

TEST(SetUps, DrawingIsTheSameInEveryLanguage) {
    const Frame& nl = SetUps(1);
    for (std::int16_t taal : {2, 3}) {
        const Frame& f = SetUps(taal);
        EXPECT_TRUE(std::equal(nl.begin(), nl.begin() + 336 * dk::kWidth, f.begin())) << "language " << taal;
    }
}

TEST(SetUps, CodesAndTermNoteStandInTheirPlaces) {
    const Frame& f = SetUps(1);
    EXPECT_TRUE(ts::TextAt(f, 108, 150, "RKEL               R4t       R4N       R4", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 494, 40, "R15N       R15", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 242, 228, "3xdaags", Yellow));
}

TEST(SetUps, ShieldBelowGroundIsWipedAndGroundLineStaysWhole) {
    const Frame& f = SetUps(1);
    EXPECT_EQ(ts::CountColour(f, 310, 221, 390, 260, Yellow), 0);
    // The ground line right of the pit, 220 .. 620, through the shield.
    EXPECT_EQ(Row(f, 220, 220, 620), std::string(401, 'Y'));
    EXPECT_PIXEL(f, 621, 220, Blue);
    EXPECT_EQ(Row(f, 220, 0, 20), std::string(21, 'Y'));
    // The wipe stops at its rectangle: the 3xdaags note and the R4 stand
    // are untouched, the shield above ground too.
    EXPECT_PIXEL(f, 349, 200, Yellow);
    EXPECT_PIXEL(f, 320, 190, Yellow);
}

TEST(SetUps, WholeWindowWithoutClippingAfterwards) {
    (void)Picture([] { OPSTELLINGEN(2); });
    const dk::Canvas& c = dk::TheCanvas();
    EXPECT_EQ(c.vx1, 0);
    EXPECT_EQ(c.vy1, 0);
    EXPECT_EQ(c.vx2, 639);
    EXPECT_EQ(c.vy2, 479);
    EXPECT_FALSE(c.clip);
}

TEST(SetUps, GroundLineOpenOverThePit) {
    const Frame& f = SetUps(1);
    // Where only the ground line could draw at y = 220 between the pit
    // walls, the rim, the brush strokes and the dotted bands.
    for (int x : {43, 44, 45, 91, 93, 97, 103, 105, 106, 134, 135, 137, 141, 147, 149, 195, 196, 197})
        EXPECT_PIXEL(f, x, 220, Blue);
    // The dotted bands of the brush ring have gaps on the ground line.
    EXPECT_TRUE(LooksDotted(Row(f, 220, 47, 89), 'Y')) << Row(f, 220, 47, 89);
    EXPECT_TRUE(LooksDotted(Row(f, 220, 151, 193), 'Y')) << Row(f, 220, 151, 193);
    // The pit walls: 20 .. 42 and 198 .. 220, hollow.
    EXPECT_EQ(Row(f, 221, 20, 42), std::string(23, 'Y'));
    EXPECT_EQ(Row(f, 221, 198, 220), std::string(23, 'Y'));
    EXPECT_PIXEL(f, 31, 240, Blue);
    EXPECT_PIXEL(f, 209, 240, Blue);
    EXPECT_EQ(Row(f, 266, 20, 42), std::string(23, 'Y'));
    // The pit floor between the walls, at y = 260.
    EXPECT_EQ(Row(f, 260, 43, 197), std::string(155, 'Y'));
}

TEST(SetUps, StandsAndPosts) {
    const Frame& f = SetUps(1);
    // Each stand's column (3 pixels wide) is solid from below the cross-bar
    // down to its foot; below the foot the background shows.
    struct Stand {
        const char* name;
        int dd, from, foot;
    };
    static constexpr Stand stands[] = {
        {"RKEL", 120, 233, 261},  // on the pit floor (thick, 259 .. 261)
        {"R4t", 270, 193, 220},   // on the ground line
        {"R4N", 350, 193, 220},
        {"R4", 430, 193, 220},
        {"R15N", 510, 83, 220},  // stand, shield tip, post
        {"R15", 590, 83, 220},   // stand, post
    };
    for (const Stand& s : stands) {
        SCOPED_TRACE(s.name);
        for (int x = s.dd - 1; x <= s.dd + 1; ++x) {
            EXPECT_EQ(Column(f, x, s.from, s.foot), std::string(s.foot - s.from + 1, 'Y')) << "x " << x;
            EXPECT_PIXEL(f, x, s.foot + 1, Blue);
        }
    }
    // The posts are 5 pixels wide. R15's starts where its stand ends (110);
    // R15N's at the shield's tip (135), where the cone closes in above it.
    struct Post {
        const char* name;
        int dd, top, freeAbove;
    };
    static constexpr Post posts[] = {{"R15N", 510, 135, 132}, {"R15", 590, 110, 109}};
    for (const Post& p : posts) {
        SCOPED_TRACE(p.name);
        for (int y : {p.top, 180, 219}) EXPECT_EQ(Row(f, y, p.dd - 3, p.dd + 3), ".YYYYY.") << "y " << y;
        EXPECT_PIXEL(f, p.dd - 2, p.freeAbove, Blue);
        EXPECT_PIXEL(f, p.dd + 2, p.freeAbove, Blue);
        EXPECT_PIXEL(f, p.dd, 221, Blue);
        EXPECT_EQ(Row(f, 220, p.dd - 3, p.dd + 3), "YYYYYYY");  // on the ground line
    }
}

TEST(SetUps, ShieldedGaugesDottedWithSolidStandsAndShields) {
    const Frame& f = SetUps(1);
    struct Gauge {
        const char* name;
        int dd, hh;
        bool dotted;
    };
    static constexpr Gauge gauges[] = {
        {"RKEL", 120, 220, false}, {"R4t", 270, 180, false}, {"R4N", 350, 180, true},
        {"R4", 430, 180, false},   {"R15N", 510, 70, true},  {"R15", 590, 70, false},
    };
    for (const Gauge& g : gauges) {
        SCOPED_TRACE(g.name);
        const std::string rimSide = Column(f, g.dd - 13, g.hh + 1, g.hh + 9);
        const std::string bodyWall = Column(f, g.dd - 12, g.hh + 11, g.hh + 19);
        const std::string rightWall = Column(f, g.dd + 12, g.hh + 11, g.hh + 17);
        const std::string funnelFloor = Row(f, g.hh + 20, g.dd - 11, g.dd - 2);
        for (const std::string* run : {&rimSide, &bodyWall, &rightWall, &funnelFloor}) {
            if (g.dotted) EXPECT_TRUE(LooksDotted(*run, 'Y')) << *run;
            else EXPECT_EQ(*run, std::string(run->size(), 'Y'));
        }
        // The thick cross-bar of the stand is solid in both kinds.
        for (int y = g.hh + 10; y <= g.hh + 12; ++y)
            EXPECT_EQ(Row(f, y, g.dd - 6, g.dd + 6), std::string(13, 'Y')) << "y " << y;
        if (g.dotted) {
            // The shield: solid top, collar and cone.
            EXPECT_EQ(Row(f, g.hh, g.dd - 40, g.dd + 40), std::string(81, 'Y'));
            EXPECT_EQ(Row(f, g.hh + 10, g.dd - 30, g.dd - 14), std::string(17, 'Y'));
            EXPECT_EQ(Row(f, g.hh + 10, g.dd + 14, g.dd + 30), std::string(17, 'Y'));
            EXPECT_PIXEL(f, g.dd - 40, g.hh, Yellow);
            EXPECT_PIXEL(f, g.dd - 35, g.hh + 5, Yellow);
        }
    }
}

TEST(SetUps, LanguageOutsideTheTableIsARangeError) {
    for (std::int16_t taal : {0, 4, -1}) {
        auto run = ts::ExecuteScreen(ts::Keys({"Enter"}), [taal] { OPSTELLINGEN(taal); });
        EXPECT_EQ(run.status, dk::kRangeCheck) << "language " << taal;
    }
}

// --- The two charts ----------------------------------------------------------

namespace {

struct Axis {
    const char* chart;
    const Frame& (*frame)();
    int hh;
    bool ticks;
    int barTop;       // y of a bar's top edge drawn over the ticks right of x = 42, or 0
    int lineFrom[4];  // y where a year line starts on a decade's tick, or 0
};

const Axis kAxes[] = {
    {"programme, upper", Programme, 40, true, 56, {48, 0, 0, 0}},
    {"programme, lower", Programme, 280, true, 0, {288, 0, 0, 304}},
    {"stations, top", Stations, 10, true, 0, {28, 0, 0, 30}},
    {"stations, bottom", Stations, 414, false, 0, {0, 0, 0, 0}},
};

// The expected pixels of a dotted vertical line from y1 to y2: two on, two
// off, from its first pixel.
bool DotOn(int y, int y1, int y2) { return y >= y1 && y <= y2 && ((y - y1) & 3) < 2; }

}  // namespace

TEST(Charts, DecadeLabelsAndTicks) {
    static constexpr const char* labels[] = {"41", "51", "61", "71"};
    for (const Axis& a : kAxes) {
        SCOPED_TRACE(a.chart);
        const Frame& f = a.frame();
        for (int k = 0; k < 4; ++k) {
            const int x = 35 + 180 * k;
            EXPECT_TRUE(ts::TextAt(f, x + 1, a.hh, labels[k], LightGray));
            if (a.ticks) {
                std::string want;
                for (int y = a.hh + 8; y <= a.hh + 24; ++y) {
                    const bool line = a.lineFrom[k] != 0 && DotOn(y, a.lineFrom[k], 479);
                    want += DotOn(y, a.hh + 8, a.hh + 24) || line ? 'G' : '.';
                }
                if (a.barTop != 0 && x > 42) want[a.barTop - (a.hh + 8)] = 'Y';
                EXPECT_EQ(Column(f, x, a.hh + 8, a.hh + 24), want) << "x " << x;
                // Starting 8 pixels below the label's top; a free tick ends at HH + 24.
                EXPECT_NE(At(f, x, a.hh + 7), LightGray) << "x " << x;
                if (a.lineFrom[k] == 0) {
                    EXPECT_NE(At(f, x, a.hh + 25), LightGray) << "x " << x;
                }
            } else {
                EXPECT_EQ(ts::CountColour(f, x, a.hh - 5, x, 479, LightGray), 0) << "x " << x;
            }
        }
    }
}

TEST(Charts, YearLineSegments) {
    // Where a segment starts on a tick, the two dotted lines overlap.
    struct Segment {
        const Frame& (*frame)();
        int dd, h1, h2;
        int tick1, tick2;  // the tick the segment starts on, or 0, 0
    };
    static const Segment segments[] = {
        {Programme, 35, 48, 190, 48, 64},  {Programme, 215, 136, 152, 0, 0}, {Programme, 215, 186, 190, 0, 0},
        {Programme, 395, 111, 127, 0, 0},  {Programme, 395, 161, 190, 0, 0}, {Programme, 575, 86, 127, 0, 0},
        {Programme, 575, 161, 190, 0, 0},  {Programme, 35, 288, 372, 288, 304}, {Programme, 215, 344, 372, 0, 0},
        {Programme, 395, 344, 372, 0, 0},  {Programme, 575, 304, 332, 288, 304}, {Stations, 35, 28, 48, 18, 34},
        {Stations, 35, 72, 148, 0, 0},     {Stations, 215, 88, 148, 0, 0},    {Stations, 395, 120, 148, 0, 0},
        {Stations, 575, 30, 110, 18, 34},  {Stations, 575, 136, 148, 0, 0},   {Stations, 35, 332, 352, 0, 0},
        {Stations, 35, 376, 408, 0, 0},    {Stations, 215, 376, 408, 0, 0},   {Stations, 395, 376, 408, 0, 0},
        {Stations, 575, 332, 408, 0, 0},
    };
    for (const Segment& s : segments) {
        SCOPED_TRACE(std::string(s.frame == Programme ? "programme" : "stations") + " x " + std::to_string(s.dd) +
                     " from " + std::to_string(s.h1));
        const Frame& f = s.frame();
        std::string want;
        for (int y = s.h1; y <= s.h2; ++y) want += DotOn(y, s.h1, s.h2) || DotOn(y, s.tick1, s.tick2) ? 'G' : '.';
        EXPECT_EQ(Column(f, s.dd, s.h1, s.h2), want);
        if (s.tick1 == 0) {
            EXPECT_NE(At(f, s.dd, s.h1 - 1), LightGray);
        }
        // Any three pixels of a longer line would hold one that is on.
        for (int y = s.h2 + 1; y <= s.h2 + 3; ++y) EXPECT_NE(At(f, s.dd, y), LightGray) << "y " << y;
    }
}

TEST(Charts, PeriodBars) {
    struct Bar {
        const Frame& (*frame)();
        int d1, d2, hh;
        const char* caption;
    };
    static const Bar bars[] = {
        {Programme, 42, 593, 60, "Grondregenmeter"},
        {Programme, 42, 420, 85, "Regenmeter  40cm"},
        {Programme, 42, 341, 110, "Regenmeter 150cm"},
        {Programme, 258, 593, 135, "Regenmeter  40cm met Nipherscherm"},
        {Programme, 42, 305, 160, "Regenmeter 150cm met Niphersch."},
        {Programme, 42, 420, 328, "Regenmeter 40cm (termijnwaarneming)"},
        {Programme, 420, 485, 344, "+Nipher"},
        {Programme, 485, 593, 360, "Grondregenm."},
        {Stations, -4, 138, 56, "Pgb-1"},
        {Stations, 138, 278, 72, "Pgb-2"},
        {Stations, 278, 341, 88, "Pgb-3"},
        {Stations, 341, 420, 104, "Lys.terr."},
        {Stations, 420, 591, 120, "Id. met Nipherscherm"},
        {Stations, 591, 640, 136, "Pgb-4"},
        {Stations, 35, 449, 360, "           Regenmeter in Engelse opstelling"},
    };
    for (const Bar& b : bars) {
        SCOPED_TRACE(b.caption);
        const Frame& f = b.frame();
        const int x1 = std::max(b.d1, 0), x2 = std::min(b.d2, 639);
        EXPECT_EQ(Row(f, b.hh - 4, x1, x2), std::string(x2 - x1 + 1, 'Y'));
        EXPECT_EQ(Row(f, b.hh + 12, x1, x2), std::string(x2 - x1 + 1, 'Y'));
        for (int x : {b.d1, b.d2})
            if (x >= 0 && x <= 639) {
                EXPECT_EQ(Column(f, x, b.hh - 4, b.hh + 12), std::string(17, 'Y')) << "x " << x;
            }
        EXPECT_PIXEL(f, b.d1 + 6, b.hh - 2, Blue);  // outlined, not filled
        EXPECT_TRUE(TextAmongBars(f, b.d1 + 4, b.hh, b.caption, Yellow, {{b.d1, b.hh - 4, b.d2, b.hh + 12}}));
    }
}

TEST(Charts, BarsPastTheWindowAreCutAtItsEdges) {
    const Frame& f = Stations();
    // "Pgb-1" from x = -4: no left side at the window's edge, its caption
    // starting at x = 0.
    EXPECT_PIXEL(f, 0, 52, Yellow);
    EXPECT_PIXEL(f, 0, 68, Yellow);
    EXPECT_EQ(Column(f, 0, 53, 55), "...");
    EXPECT_TRUE(TextAmongBars(f, 0, 56, "Pgb-1", Yellow, {{-4, 52, 138, 68}}));
    // "Pgb-4" to x = 640: no right side.
    EXPECT_PIXEL(f, 639, 132, Yellow);
    EXPECT_PIXEL(f, 639, 148, Yellow);
    EXPECT_EQ(Column(f, 639, 133, 147), std::string(15, '.'));
}

TEST(Charts, FreeTextsAndTitles) {
    const Frame& p = Programme();
    EXPECT_TRUE(TextAmongBars(p, 46, 312, "betere sneeuwmeting", Yellow, {{42, 324, 420, 340}}));
    EXPECT_TRUE(TextAmongBars(p, 498, 344, "(aanvulling)", Yellow, {{485, 356, 593, 372}}));
    const Frame& s = Stations();
    EXPECT_TRUE(TextAmongBars(s, 46, 40, "Station 235 (KNMI: Pompgebouw en Lysimeterterrein).", Yellow,
                              {{-4, 52, 138, 68}, {138, 68, 278, 84}}));
    EXPECT_TRUE(TextAmongBars(s, 48, 344, "Station 232 (KNMI: Duinmeertje te Bakkum).", Yellow, {{35, 356, 449, 372}}));
}

TEST(Charts, EmptyBandsStayBlue) {
    // The band under station 235 (its last caption's cell reaches to 151,
    // the descender of "g" into it).
    EXPECT_EQ(ts::CountColour(Stations(), 0, 152, 639, 331, Blue), 640 * 180);
    EXPECT_EQ(ts::CountColour(Stations(), 0, 149, 590, 331, Blue), 591 * 183);
    EXPECT_EQ(ts::CountColour(Stations(), 0, 430, 639, 479, Blue), 640 * 50);
    // The programme chart: between the upper and lower chart, and below.
    EXPECT_EQ(ts::CountColour(Programme(), 0, 191, 639, 279, Blue), 640 * 89);
    EXPECT_EQ(ts::CountColour(Programme(), 0, 376, 639, 479, Blue), 640 * 104);
}

// --- Through the menu --------------------------------------------------------

namespace {

// The picture of menu entry `entry` (2, 3 or 4) with language `taal`.
std::unique_ptr<Frame> ViaMenu(int taal, int entry) {
    std::vector<ts::ScriptKey> keys;
    for (int i = 1; i < taal; ++i) keys.push_back(ts::Keys({"Right"})[0]);
    keys.push_back(ts::Keys({"Enter"})[0]);
    for (int i = 1; i < entry; ++i) keys.push_back(ts::Keys({"Down"})[0]);
    keys.push_back(ts::Keys({"Enter"})[0]);
    auto run = ts::Execute(keys, MORVELAN, false);
    EXPECT_TRUE(run.scriptEnded);
    return std::move(run.frames.back());
}

}  // namespace

TEST(DiagramsViaMenu, ChartsAreTheSameInEveryLanguage) {
    struct Case {
        int entry;
        const Frame& (*direct)();
    };
    for (const Case c : {Case{3, Programme}, Case{4, Stations}}) {
        SCOPED_TRACE(c.entry);
        for (int taal = 1; taal <= 3; ++taal) {
            const auto f = ViaMenu(taal, c.entry);
            EXPECT_TRUE(*f == c.direct()) << "language " << taal << "; picture "
                                          << ts::SaveFrame("ViaMenu_" + std::to_string(c.entry), *f);
        }
    }
}

TEST(DiagramsViaMenu, SetUpsInTheChosenLanguage) {
    for (std::int16_t taal = 1; taal <= 3; ++taal) EXPECT_TRUE(*ViaMenu(taal, 2) == SetUps(taal)) << taal;
}

// --- Keys ----------------------------------------------------------------------

namespace {
struct Screen {
    const char* name;
    void (*run)();
    int entry;
};
const Screen kScreens[] = {
    {"set-ups", [] { OPSTELLINGEN(1); }, 2},
    {"programme", MEETPROGRAMMA, 3},
    {"stations", KNMISTATIONS, 4},
};
}  // namespace

TEST(DiagramKeys, KeyWaitingBeforeTheWaitDoesNotEndTheScreen) {
    for (const Screen& s : kScreens) {
        SCOPED_TRACE(s.name);
        // A key already in the queue when the screen first looks.
        auto run = ts::ExecuteScreen({ts::KeyAtPoll("x", 1)}, s.run);
        EXPECT_TRUE(run.scriptEnded);
        EXPECT_EQ(run.frames.size(), 1u);

        // Typed ahead with the Enter that opened the screen from the menu:
        // the screen still shows when the keys run out.
        auto keys = ts::Keys({"Enter"});
        for (int i = 1; i < s.entry; ++i) keys.push_back(ts::Keys({"Down"})[0]);
        keys.push_back(ts::Keys({"Enter"})[0]);
        keys.push_back(ts::KeyAhead("Space"));
        auto menu = ts::Execute(keys, MORVELAN, false);
        EXPECT_TRUE(menu.scriptEnded);
        EXPECT_PIXEL(*menu.frames.back(), 5, 5, Blue);  // the menu would be black here
    }
}

TEST(DiagramKeys, AnyFreshKeyEndsTheScreen) {
    struct Key {
        const char* name;
        char code;
    };
    static constexpr Key keys[] = {{"Enter", 13}, {"Down", 80}, {"Left", 75}, {"F1", 59}, {"Close", 107}, {"q", 'q'}};
    for (const Screen& s : kScreens)
        for (const Key& k : keys) {
            SCOPED_TRACE(std::string(s.name) + " " + k.name);
            KR = 0;
            auto run = ts::ExecuteScreen({ts::KeyAtPoll("x", 1), ts::Keys({k.name})[0]}, s.run);
            EXPECT_FALSE(run.scriptEnded);
            EXPECT_EQ(run.status, 0);
            EXPECT_EQ(run.frames.size(), 1u);
            EXPECT_EQ(KR, k.code);
        }
}
