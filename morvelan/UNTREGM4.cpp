// The scatter comparison: one white point per day, across by the amount of
// the ground-level gauge, up by the chosen gauge's deviation from it, each
// gauge over its own period of observation. A command bar of eight cells
// picks the next gauge; its first cell leaves the screen.
#include "UNTREGM4.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "UNTGRAPHICS.h"
#include "UNTPROGDELEN.h"
#include "UNTREGM0.h"
#include "graph.h"
#include "text.h"

using namespace dk;

namespace {

constexpr int YCOMM = 446;
constexpr Text SCOMM = "  QUIT     R4t     R4      R4N     R15    R15N    R235    R232  ";
static_assert(SCOMM.size() == 64, "eight cells of eight characters");
constexpr int FNT = 0;

constexpr Text ANAVIGATIE[3] = {
    " navigeren met pijltoetsen,  bevestigen met KEY ",
    "navigation with arrow-key, confirmation with KEY",
    "navigation mit Pfeiltasten,  accordieren mit KEY",
};

// Caption of each gauge set-up, by gauge number and language.
constexpr Text SOPSTELL[8][3] = {
    {"Grondregenmeter ", "Surface equal gauge", "Bodengleiche Regenfanger"},
    {"40cm, 3xdaags   ", "40cm, 3 obs.p.day ", "40cm, Dreimaltags Beob. "},
    {"40cm, standaard ", "40cm, normal      ", "40cm, Standart          "},
    {"40cm, Nipher    ", "40cm, Nipherscr.  ", "40cm mit Nipherschirm   "},
    {"150cm, Standaard", "150cm, normal     ", "150cm, Standart         "},
    {"150cm, Nipher   ", "150cm, Nipherscr. ", "150cm mit Nipherschirm  "},
    {"Regenstation 235", "Rainstation 235   ", "Regenstaion 235         "},
    {"Regenstation 232", "Rainstation 232   ", "Regenstaion 232         "},
};

// A string of at most 30 characters, as the period texts are kept: longer
// contents are cut off at 30.
struct STR30 {
    char s[30] = {};
    std::size_t n = 0;
    void Zet(std::initializer_list<std::string_view> delen) {
        n = 0;
        for (std::string_view d : delen) {
            const std::size_t k = std::min(d.size(), sizeof s - n);
            std::memcpy(s + n, d.data(), k);
            n += k;
        }
    }
    std::string_view sv() const { return {s, n}; }
};

}  // namespace

void PUNTENWOLKEN(std::int16_t TAAL) {
    std::int16_t NRH = 1;
    std::int16_t NRV = 5;
    std::int16_t KMM = 5;
    bool UIT = false;
    std::int16_t PSH = 62, PSV = 82;
    std::string_view SN, SX;
    STR30 SNX;
    std::int32_t RECVN = 0, RECVX = 0;
    double GGH = 0, GGV = 0;
    std::int32_t PPH = 0, PPV = 0;
    std::int16_t AS = 220;

    auto LICHTDOOPCEEL = [&](std::int16_t OPSTELL) {
        // Cell 1 ("QUIT") has no row in the period table and keeps the dates
        // it had.
        if (OPSTELL >= 2 && OPSTELL <= 8) {
            SN = APERIODEN[OPSTELL - 2].SN;
            SX = APERIODEN[OPSTELL - 2].SX;
        }
        PSH = 62;
        PSV = static_cast<std::int16_t>(5 * OPSTELL + 57);
        RECVN = DAGNUMMER(SN) - AANV;
        RECVX = DAGNUMMER(SX) - AANV;
    };

    auto INITIEER3 = [&] {
        OPENVS();
        AANV = DAGNUMMER("410601");
        NRH = 1;
        NRV = 5;
        LICHTDOOPCEEL(NRV);
    };

    auto MAAKKADER = [&] {
        GRSCHERM(LightGray, Blue);
        AS = 220;
        SetLineStyle(SolidLn, 0, NormWidth);
        Line(40, 220, 620, 220);
        SetLineStyle(DottedLn, 0, NormWidth);
        for (int i = 0; i <= 5; ++i) Line(40 + 100 * i, 120, 40 + 100 * i, 400);
        GRKLEUR(Yellow);
        OutTextXY(36, 110, "0");
        OutTextXY(136, 110, "5");
        OutTextXY(232, 110, "10");
        OutTextXY(332, 110, "15");
        OutTextXY(432, 110, "20");
        OutTextXY(532, 110, "25mm");
        OutTextXY(0, 16, "10mm");
        OutTextXY(0, 56, "+8mm");
        OutTextXY(0, 96, "+6mm");
        OutTextXY(0, 136, "+4mm");
        OutTextXY(0, 176, "+2mm");
        OutTextXY(0, 216, " 0mm");
        OutTextXY(0, 256, "-2mm");
        OutTextXY(0, 296, "-4mm");
        OutTextXY(0, 336, "-6mm");
        OutTextXY(0, 376, "-8mm");
        SetLineStyle(SolidLn, 0, NormWidth);
        GRETIKET(64, 438, 575, 462, Red, Red);
        GRKLEUR(Yellow);
        OutTextXY(64, YCOMM, SCOMM);
        Rectangle(64 * NRV, 438, 64 * NRV + 63, 462);
        // The lowest rows of the hint fall below the window.
        OutTextXY(130, 470, ANAVIGATIE[TAAL - 1]);
    };

    auto KIES = [&](std::int16_t& KK, std::int16_t NN, std::int16_t NX) {
        LEESKEY(KR);
        UIT = false;
        switch (static_cast<unsigned char>(KR)) {
            case 72:
            case 75:
                if (KK > NN) KK = static_cast<std::int16_t>(KK - 1);
                else KK = NX;
                break;
            case 77:
            case 80:
                if (KK < NX) KK = static_cast<std::int16_t>(KK + 1);
                else KK = NN;
                break;
            default: UIT = true;
        }
    };

    INITIEER3();
    for (;;) {
        // STARTPUNT: the whole screen, then the points of gauge NRV.
        MAAKKADER();
        GRKLEUR(Yellow);
        STR30 KOP;
        char HKOP[64];
        const std::string_view HTEKST = "Horizontaal:   ";
        const std::string_view HOPST = SOPSTELL[NRH - 1][TAAL - 1];
        std::memcpy(HKOP, HTEKST.data(), HTEKST.size());
        std::memcpy(HKOP + HTEKST.size(), HOPST.data(), HOPST.size());
        OutTextXY(300, 46, std::string_view(HKOP, HTEKST.size() + HOPST.size()));
        OutTextXY(11, 406, "Vertikaal: afwijking in mm");
        OutTextXY(11, 422, SOPSTELL[NRV - 1][TAAL - 1]);

        SetTextStyle(FNT, 0, 4);
        KOP.Zet({SN, "-"});
        OutTextXY(410, 10, KOP.sv());
        SetTextStyle(FNT, 0, 2);

        RECNR = RECVN;
        ZOEKVS(RECVN);
        do {
            // A file that ends before the period does ends the plot there.
            if (EINDEVS()) break;
            LEESVS();
            RECNR = RECNR + 1;
            GGH = REEELGETAL(SREC.DEEL(PSH, 4));
            GGV = REEELGETAL(SREC.DEEL(PSV, 4));
            const double XH = std::nearbyint(2 * GGH + 40);
            const double YV = std::nearbyint(2 * (GGH - GGV) + AS);
            // Only absurd amounts ("9E99") give a point beyond the range of
            // the drawing coordinates; such a day is left out.
            if (!Fits16(XH) || !Fits16(YV)) continue;
            PPH = static_cast<std::int32_t>(XH);
            PPV = static_cast<std::int32_t>(YV);
            PutPixel(PPH, PPV, White);
        } while (RECNR != RECVX);

        SetTextStyle(FNT, 0, 4);
        KOP.Zet({"       ", SX});
        OutTextXY(410, 10, KOP.sv());
        SetTextStyle(FNT, 0, 2);
        SNX.Zet({SN, "-", SX});
        BROM();

        do {
            KMM = NRV;
            KIES(NRV, 1, 8);
            LICHTDOOPCEEL(NRV);
            GRKLEUR(Red);
            Rectangle(64 * KMM, 438, 64 * KMM + 63, 462);
            GRKLEUR(Blue);
            SetTextStyle(FNT, 0, 4);
            OutTextXY(410, 10, SNX.sv());
            SetTextStyle(FNT, 0, 2);
            GRKLEUR(Yellow);
            Rectangle(64 * NRV, 438, 64 * NRV + 63, 462);
        } while (!UIT);
        if (NRV == 1) return;
    }
}
