// The documentation diagrams: a side view of the six gauge set-ups, the
// chart of the measurement programme and the chart of the two rain
// stations' history. Each is drawn once and waits for one key.
#include "UNTREGM2.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "UNTGRAPHICS.h"
#include "UNTPROGDELEN.h"
#include "graph.h"
#include "text.h"

using namespace dk;

namespace {

// Explanation lines under the set-ups; every non-empty line is filled up
// with blanks to 56 characters, the third line is empty.
constexpr Text ATOELICHTING1[3][6] = {
    {
        "REGENMETER VERGELIJKING                                 ",
        "Het vangoppervlak van alle regenmeters was 4 sqdm.      ",
        "",
        "In 1941 was de standaard meethoogte in Nederland 150cm. ",
        "Eind veertiger jaren verlaagde het KNMI de standaard    ",
        "meethoogte naar 40 cm. Dit verminderde de windverliezen.",
    },
    {
        "RAINGAUGE COMPARISON                                    ",
        "The catching area of the used raingauges was 4 sqdm.    ",
        "",
        "In 1941 the standard observation hight was 150cm.       ",
        "At the end of the fourties, this hight was lowered to   ",
        "40cm. These did decrease the wind caused catch losses.  ",
    },
    {
        "REGENMESSER VERGLEICH                                   ",
        "Die Fangöffnung der Regenmesser ist 4qdm in Querschnitt.",
        "",
        "In 1941 war die Standart Afstellungshöhe der Regenfanger",
        "150cm. Am ende der vierziger Jahre stellte man die Höhe ",
        "um nach 40cm. Diese Massnahme minderte Windverlussten.  ",
    },
};

constexpr bool toelichtingGevuld() {
    for (const auto& taal : ATOELICHTING1)
        for (const Text& t : taal)
            if (t.size() != 0 && t.size() != 56) return false;
    return true;
}
static_assert(toelichtingGevuld(), "explanation lines are 56 characters or empty");

// One period bar of a chart: an outlined rectangle from D1 to D2 with its
// caption inside at the left end, the caption's top at HH.
void BALK(std::int16_t D1, std::int16_t D2, std::int16_t HH, std::string_view STR) {
    SetLineStyle(SolidLn, 0, NormWidth);
    Rectangle(D1, HH - 4, D2, HH + 12);
    OutTextXY(D1 + 4, HH, STR);
}

// One dotted segment of a year line at x = DD from H1 down to H2.
void JLN(std::int16_t DD, std::int16_t H1, std::int16_t H2) {
    SetLineStyle(DottedLn, 0, NormWidth);
    Line(DD, H1, DD, H2);
}

// The decade labels "41", "51", "61", "71" of the year axis, at y = HH,
// one pixel right of each decade's x.
void JAARTALLEN(std::int16_t HH) {
    char STAL[8];
    for (std::int16_t XX = 0; XX <= 3; ++XX) {
        const int n = std::snprintf(STAL, sizeof STAL, "%2d", 41 + 10 * XX);
        OutTextXY(36 + 180 * XX, HH, std::string_view(STAL, static_cast<std::size_t>(n)));
    }
}

// The year axis of a chart whose labels stand at y = HH: 18 pixels per year
// from x = 35 at the start of 1941, a tick under each decade label, then the
// labels. Drawn in the current colour and line style.
void JAARAS(std::int16_t HH) {
    for (std::int16_t XX = 0; XX <= 3; ++XX) Line(35 + 180 * XX, HH + 8, 35 + 180 * XX, HH + 24);
    JAARTALLEN(HH);
}

}  // namespace

void OPSTELLINGEN(std::int16_t TAAL) {
    constexpr bool VOL = true;    // gauge drawn with solid lines
    constexpr bool STIP = false;  // gauge drawn dotted: it stands in a Nipher shield
    std::int16_t HH;
    std::int16_t XX;

    // One rain gauge: rim top at HH, axis at DD, stand down to HH+40.
    auto REGM = [](std::int16_t DD, std::int16_t HH, bool VOL) {
        SetLineStyle(VOL ? SolidLn : DottedLn, 0, NormWidth);
        Rectangle(DD - 13, HH, DD + 13, HH + 10);
        MoveTo(DD - 12, HH + 10);
        LineTo(DD - 12, HH + 20);
        LineTo(DD, HH + 32);
        LineTo(DD + 22, HH + 10);
        LineTo(DD + 20, HH + 10);
        LineTo(DD + 12, HH + 18);
        LineTo(DD + 12, HH + 10);
        Line(DD - 12, HH + 20, DD + 12, HH + 20);
        // The stand; thick lines come out solid in either style.
        SetLineStyle(VOL ? SolidLn : DottedLn, 0, ThickWidth);
        Line(DD - 6, HH + 11, DD + 6, HH + 11);
        Line(DD, HH + 11, DD, HH + 40);
    };

    // The Nipher shield around the gauge at DD with its rim top at HH.
    auto NIPH = [](std::int16_t DD, std::int16_t HH) {
        SetLineStyle(SolidLn, 0, NormWidth);
        MoveTo(DD - 40, HH);
        LineTo(DD + 40, HH);
        LineTo(DD + 30, HH + 10);
        LineTo(DD + 1, HH + 65);
        LineTo(DD - 1, HH + 65);
        LineTo(DD - 30, HH + 10);
        LineTo(DD - 40, HH);
        Line(DD - 30, HH + 10, DD + 30, HH + 10);
        // The stand runs on down to the shield's tip.
        SetLineStyle(DottedLn, 0, ThickWidth);
        Line(DD, HH + 39, DD, HH + 65);
    };

    // A post at x = DD from y = H1 down to H2: a filled bar 5 pixels wide.
    auto PAAL = [](std::int16_t DD, std::int16_t H1, std::int16_t H2) {
        GRKLEUR(Yellow);
        Bar(DD - 2, H1, DD + 2, H2);
    };

    // The pit of the ground-level gauge at DD, ground at HH, with the brush
    // ring around the rim.
    auto GRONDREGENMETER = [](std::int16_t DD, std::int16_t HH) {
        SetLineStyle(SolidLn, 0, ThickWidth);
        Rectangle(DD - 100, HH + 1, DD - 78, HH + 46);
        Rectangle(DD + 78, HH + 1, DD + 100, HH + 46);
        Line(DD - 78, HH + 40, DD + 78, HH + 40);
        SetLineStyle(DottedLn, 0, NormWidth);
        Rectangle(DD - 74, HH, DD - 30, HH + 5);
        Rectangle(DD + 30, HH, DD + 74, HH + 5);
        SetLineStyle(SolidLn, 0, ThickWidth);
        Line(DD - 29, HH + 7, DD - 15, HH + 7);
        Line(DD + 15, HH + 7, DD + 29, HH + 7);
        SetLineStyle(SolidLn, 0, NormWidth);
        for (std::int16_t PP = 8; PP <= 14; ++PP) {
            Line(DD - 2 * PP, HH, DD - 2 * PP, HH + 6);
            Line(DD + 2 * PP, HH, DD + 2 * PP, HH + 6);
        }
    };

    GRSCHERM(Yellow, Blue);
    GRVOLLEVULLING(Yellow);
    HH = 220;
    SetLineStyle(SolidLn, 0, NormWidth);
    // The ground line, open over the pit.
    Line(0, HH, 20, HH);
    Line(220, HH, 620, HH);

    REGM(120, HH, VOL);
    GRONDREGENMETER(120, HH);
    REGM(270, 180, VOL);
    OutTextXY(242, 228, "3xdaags");
    REGM(350, 180, STIP);
    NIPH(350, 180);
    REGM(430, 180, VOL);
    REGM(510, 70, STIP);
    NIPH(510, 70);
    PAAL(510, 135, HH);
    REGM(590, 70, VOL);
    PAAL(590, 110, HH);

    // The R4N shield's cone reaches below the ground: wipe that part, then
    // take the whole window back, without clipping.
    SetViewPort(310, 221, 390, 260, false);
    ClearViewPort();
    SetViewPort(0, 0, 639, 479, false);

    OutTextXY(108, 150, "RKEL               R4t       R4N       R4");
    OutTextXY(494, 40, "R15N       R15");

    for (XX = 1; XX <= 6; ++XX) {
        if (TAAL < 1 || TAAL > 3) RunError(kRangeCheck, "language index out of range");
        OutTextXY(90, 320 + 16 * XX, ATOELICHTING1[TAAL - 1][XX - 1]);
    }

    LEESKEY(KR);
}

void MEETPROGRAMMA() {
    std::int16_t HH;

    HH = 40;
    GRSCHERM(LightGray, Blue);
    SetLineStyle(DottedLn, 0, NormWidth);
    JAARAS(HH);

    GRKLEUR(Yellow);
    BALK(42, 593, 60, "Grondregenmeter");
    BALK(42, 420, 85, "Regenmeter  40cm");
    BALK(42, 341, 110, "Regenmeter 150cm");
    BALK(258, 593, 135, "Regenmeter  40cm met Nipherscherm");
    BALK(42, 305, 160, "Regenmeter 150cm met Niphersch.");

    // Year lines only where no bar or caption stands.
    GRKLEUR(LightGray);
    JLN(35, 48, 190);
    JLN(215, 136, 152);
    JLN(215, 186, 190);
    JLN(395, 111, 127);
    JLN(395, 161, 190);
    JLN(575, 86, 127);
    JLN(575, 161, 190);

    HH = 280;
    SetLineStyle(DottedLn, 0, NormWidth);
    JAARAS(HH);

    GRKLEUR(Yellow);
    OutTextXY(46, 312, "betere sneeuwmeting");
    OutTextXY(498, 344, "(aanvulling)");
    BALK(42, 420, 328, "Regenmeter 40cm (termijnwaarneming)");
    BALK(420, 485, 344, "+Nipher");
    BALK(485, 593, 360, "Grondregenm.");

    GRKLEUR(LightGray);
    JLN(35, 288, 372);
    JLN(215, 344, 372);
    JLN(395, 344, 372);
    JLN(575, 304, 332);

    LEESKEY(KR);
}

void KNMISTATIONS() {
    std::int16_t HH;

    GRSCHERM(Yellow, Blue);
    HH = 10;
    GRKLEUR(LightGray);
    SetLineStyle(DottedLn, 0, NormWidth);
    JAARAS(HH);

    // Station 235. The first and the last bar reach past the window's
    // edges; the window clips them.
    HH = 40;
    GRKLEUR(Yellow);
    OutTextXY(46, HH, "Station 235 (KNMI: Pompgebouw en Lysimeterterrein).");
    BALK(-4, 138, 56, "Pgb-1");
    BALK(138, 278, 72, "Pgb-2");
    BALK(278, 341, 88, "Pgb-3");
    BALK(341, 420, 104, "Lys.terr.");
    BALK(420, 591, 120, "Id. met Nipherscherm");
    BALK(591, 640, 136, "Pgb-4");

    GRKLEUR(LightGray);
    SetLineStyle(DottedLn, 0, NormWidth);
    JLN(35, 28, 48);
    JLN(35, 72, 148);
    JLN(215, 88, 148);
    JLN(395, 120, 148);
    JLN(575, 30, 110);
    JLN(575, 136, 148);

    // Station 232.
    HH = 344;
    GRKLEUR(Yellow);
    OutTextXY(48, HH, "Station 232 (KNMI: Duinmeertje te Bakkum).");
    BALK(35, 449, 360, "           Regenmeter in Engelse opstelling");

    GRKLEUR(LightGray);
    SetLineStyle(DottedLn, 0, NormWidth);
    JLN(35, 332, 352);
    JLN(35, 376, 408);
    JLN(215, 376, 408);
    JLN(395, 376, 408);
    JLN(575, 332, 408);

    // The year labels again below the chart, without ticks.
    HH = 414;
    JAARTALLEN(HH);

    LEESKEY(KR);
}
