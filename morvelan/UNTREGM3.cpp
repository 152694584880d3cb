#include "UNTREGM3.h"

#include <cmath>
#include <cstring>

#include "UNTGRAPHICS.h"
#include "UNTPROGDELEN.h"
#include "UNTREGM0.h"
#include "graph.h"
#include "text.h"

using namespace dk;

void (*PERIODEEINDE)(const VANGVERLIESSTAND& STAND) = nullptr;

long double VERLIESPROCENT(double SQ, double S0) {
    if (S0 == 0) return NAN;
    return (1.0L - static_cast<long double>(SQ) / S0) * 200.0L;
}

long double VERLIES2MM(double SQ, double S0) { return (static_cast<long double>(S0) - SQ) * 0.2L; }

long double VERLIES12MM(double SQ, double S0) { return (static_cast<long double>(S0) - SQ) * 0.1L; }

long double AFRONDEN(long double X) {
    if (!std::isfinite(X)) return X;
    long double R = std::round(X);  // halves away from zero
    if (std::fabs(R - X) == 0.5L) R = 2.0L * std::round(X / 2.0L);
    return R;
}

namespace {

// Captions of the panels and the title, by language.
constexpr Text ASKD2P[3] = {"verlies-percentage", "per cent losses", "prozentual Verlust"};
constexpr Text ASKD2V[3] = {"gesommeerd verlies", "added losses", "summiertes Verlust"};
constexpr Text ASKD12[3] = {"verlies op jaarbasis", "annual losses", "Verlust pro Jahr"};
constexpr Text ASRGMV[3] = {"REGENMETERVERGELIJKING", " RAINGAUGE COMPARISON", " VERGLEICH REGENFANGER"};

// Gauge captions by gauge column 0..7 and language; 8 is the empty caption.
constexpr Text AREGM[9][3] = {
    {"           grondregenmeter", "    ground level raingauge", "  Bodengleiche Regenfanger"},
    {" 40cm, betere sneeuwmeting", " 40cm, better snow-observ.", " 40cm, bessere Schneebeob."},
    {"           regenmeter 40cm", "            raingauge 40cm", "          Regenfanger 40cm"},
    {"           40cm met Nipher", "   40cm with Nipher shield", "     40cm mit Nipherschirm"},
    {"          regenmeter 150cm", "           raingauge 150cm", "         Regenfanger 150cm"},
    {"          150cm met Nipher", "  150cm with Nipher shield", "    150cm mit Nipherschirm"},
    {" station 235 (pompstation)", " station 235 (pumpstation)", " Station 235 (Pumpenhalle)"},
    {" station 232 (Duinmeertje)", "    station 232 (Dunelake)", " Station 232 (Dünen Pfuhl)"},
    {"", "", ""},
};

constexpr bool ALLE26() {
    for (int R = 0; R < 8; ++R)
        for (int T = 0; T < 3; ++T)
            if (AREGM[R][T].size() != 26) return false;
    return true;
}
static_assert(ALLE26(), "gauge captions line up right at 26 characters");

// Value labels at the right edge of the panels, from the baseline down.
constexpr Text APROCENT[4] = {"  0%", " 10%", " 20%", " 30%"};
constexpr Text A2MM[4] = {"  0mm", "-10mm", "-20mm", "-30mm"};
constexpr Text A12MM[5] = {"  0mm", "-20mm", "-40mm", "-60mm", "-80mm"};
// The left scale of the annual millimetre panels, and its offsets from the baseline.
constexpr Text ALYSIMETER[4] = {"  0", " 20", " 40", " 60 ton/lysimeter"};
constexpr int HLYSIMETER[4] = {-4, 28, 60, 92};
// Decade labels of the year axis.
constexpr Text AJAAR[4] = {"41", "51", "61", "71"};

// The histories above the one-gauge charts.
constexpr Text STERMKOP = "Termijnwaarnemingen (betere sneeuwmeting).";
constexpr Text STERMAANV = "(aanvulling)";
constexpr Text STERM40 = "Regenmeter 40cm";
constexpr Text STERMNIPH = "+Nipher";
constexpr Text SR235KOP = "Station 235 (KNMI: Pompgebouw en Lysimeterterrein).";
constexpr Text SR235B[6] = {"Pgb-1", "Pgb-2", "Pgb-3", "Lys.terr.", "Id. met Nipherschirm", "Pgb-4"};
constexpr Text SR232KOP = "Station 232 (KNMI: Duinmeertje te Bakkum).";
constexpr Text SR232B = "          Regenmeter in Engelse opstelling       ";

constexpr double GEEN = -999;  // no previous period yet

// The scales of the marks.
enum SCHAAL { PROCENT, MM2, MM12 };

}  // namespace

void TOONVANGVERLIES(std::int16_t TAAL, std::int16_t KK3) {
    // Run state: per gauge column the valid days and amount sums of the
    // two-month period (rows 1-3), the year (4-6) and the half-year (7-9).
    double ATEL[9][8];
    std::int64_t XX;  // x where the current two-month period's mark starts
    char SDAT[4];     // "mmdd" of the current record
    std::int16_t MM;
    std::int16_t PP;
    std::int16_t POS;
    double GG;
    char CQ;
    char KR;
    std::string_view SKD2P, SKD2V, SKD12, SRGMV;

    auto A = [&](int R, int Q) -> double& { return ATEL[R - 1][Q]; };
    auto DATUM = [&](std::string_view S) { return std::string_view(SDAT, 4) == S; };
    const bool TAALOK = TAAL >= 1 && TAAL <= 3;

    // --- Frames and captions ------------------------------------------------

    auto MAAKOPSCHRIFTEN = [&] {
        SKD2P = TAALOK ? ASKD2P[TAAL - 1].sv() : std::string_view();
        SKD2V = TAALOK ? ASKD2V[TAAL - 1].sv() : std::string_view();
        SKD12 = TAALOK ? ASKD12[TAAL - 1].sv() : std::string_view();
        SRGMV = TAALOK ? ASRGMV[TAAL - 1].sv() : std::string_view();
    };

    auto SREGM = [&](std::int16_t R) -> std::string_view {
        if (!TAALOK || R < 0 || R > 8) return {};
        return AREGM[R][TAAL - 1];
    };

    auto JLN = [&](int DD, int H1, int H2) {
        GRKLEUR(LightGray);
        SetLineStyle(DottedLn, 0, NormWidth);
        Line(DD, H1, DD, H2);
    };

    auto BALK = [&](int D1, int D2, int HH, std::string_view STR) {
        GRKLEUR(Yellow);
        SetLineStyle(SolidLn, 0, NormWidth);
        Rectangle(D1, HH - 4, D2, HH + 12);
        OutTextXY(D1 + 4, HH, STR);
    };

    // One empty panel with its baseline at HH and depth D: the caption of the
    // gauge, the panel's caption, baseline, grid, decade lines, year ticks,
    // the value labels (NL of them, 20 pixels apart) each followed by a year
    // label, and the panel's further labels.
    auto PANEEL = [&](std::int16_t HH, std::int16_t R, std::string_view KOP, int D, const Text* LABELS, int NL,
                      bool LINKSOOK, bool LYSIMETER) {
        GRKLEUR(Yellow);
        OutTextXY(385, HH - 14, SREGM(R));
        GRKLEUR(LightGray);
        OutTextXY(4, HH - 14, KOP);
        SetLineStyle(SolidLn, 0, NormWidth);
        Line(35, HH, 593, HH);
        SetLineStyle(DottedLn, 0, NormWidth);
        for (int K = 1; K < NL; ++K) Line(35, HH + 20 * K, 593, HH + 20 * K);
        for (int K = 0; K <= 3; ++K) JLN(35 + 180 * K, HH - 4, HH + D);
        for (int K = 0; K <= 31; ++K) JLN(35 + 18 * K, HH + D, HH + D + 4);
        for (int K = 0; K < NL; ++K) {
            OutTextXY(597, HH - 4 + 20 * K, LABELS[K]);
            if (LINKSOOK) OutTextXY(0, HH - 4 + 20 * K, LABELS[K]);
            if (K <= 3) OutTextXY(38 + 180 * K, HH + D + 3, AJAAR[K]);
        }
        if (LYSIMETER)
            for (int K = 0; K <= 3; ++K) OutTextXY(4, HH + HLYSIMETER[K], ALYSIMETER[K]);
    };

    auto KAD2P = [&](std::int16_t HH, std::int16_t R) { PANEEL(HH, R, SKD2P, 60, APROCENT, 4, false, false); };
    auto KAD2V = [&](std::int16_t HH, std::int16_t R) { PANEEL(HH, R, SKD2V, 60, A2MM, 4, false, false); };
    auto KAD12 = [&](std::int16_t HH, std::int16_t R) { PANEEL(HH, R, SKD12, 80, A12MM, 5, false, true); };
    auto KAD12P = [&](std::int16_t HH, std::int16_t R) { PANEEL(HH, R, SKD2P, 60, APROCENT, 4, true, false); };

    auto TOONTERM = [&](std::int16_t HH) {
        GRKLEUR(Yellow);
        OutTextXY(46, HH + 32, STERMKOP);
        OutTextXY(493, HH + 56, STERMAANV);
        BALK(42, 420, HH + 48, STERM40);
        BALK(420, 485, HH + 64, STERMNIPH);
        GRKLEUR(LightGray);
        JLN(35, HH + 28, HH + 100);
        JLN(215, HH + 64, HH + 100);
        JLN(395, HH + 64, HH + 100);
        JLN(575, HH + 36, HH + 100);
    };

    auto TOONR235 = [&](std::int16_t HH) {
        GRKLEUR(Yellow);
        OutTextXY(46, HH, SR235KOP);
        BALK(-4, 138, HH + 16, SR235B[0]);
        BALK(138, 278, HH + 32, SR235B[1]);
        BALK(278, 341, HH + 48, SR235B[2]);
        BALK(341, 420, HH + 64, SR235B[3]);
        BALK(420, 594, HH + 80, SR235B[4]);
        BALK(594, 640, HH + 96, SR235B[5]);
        GRKLEUR(LightGray);
        JLN(35, HH - 4, HH + 8);
        JLN(35, HH + 32, HH + 120);
        JLN(215, HH + 48, HH + 120);
        JLN(395, HH + 80, HH + 120);
        JLN(575, HH + 96, HH + 120);
    };

    auto TOONR232 = [&](std::int16_t HH) {
        GRKLEUR(Yellow);
        OutTextXY(48, HH, SR232KOP);
        BALK(35, 449, HH + 16, SR232B);
        GRKLEUR(LightGray);
        SetLineStyle(DottedLn, 0, NormWidth);
        JLN(35, HH - 4, HH + 8);
        JLN(35, HH + 32, HH + 64);
        JLN(215, HH + 32, HH + 64);
        JLN(395, HH + 32, HH + 64);
        JLN(575, HH - 4, HH + 64);
    };

    // The title of variants 5 to 7: four blanks before the caption.
    auto INGESPRONGEN = [&](int Y) {
        char T[4 + 30];
        std::memcpy(T, "    ", 4);
        const std::size_t N = SRGMV.size() < 30 ? SRGMV.size() : 30;
        std::memcpy(T + 4, SRGMV.data(), N);
        OutTextXY(216, Y, std::string_view(T, 4 + N));
    };

    auto KADER = [&](std::int16_t KKX) {
        switch (KKX) {
            case 0:
                OutTextXY(216, 30, SRGMV);
                KAD2P(70, 2);
                KAD2P(170, 4);
                KAD2P(270, 3);
                KAD2P(370, 5);
                break;
            case 1:
                OutTextXY(216, 30, SRGMV);
                KAD2V(70, 2);
                KAD2V(170, 4);
                KAD2V(270, 3);
                KAD2V(370, 5);
                break;
            case 2:
                TOONTERM(40);
                KAD2P(160, 8);
                KAD2V(260, 8);
                KAD12(360, 8);
                break;
            case 3:
                TOONR235(0);
                KAD2P(140, 8);
                KAD2V(260, 8);
                KAD12(380, 8);
                break;
            case 4:
                TOONR232(16);
                KAD2P(120, 8);
                KAD2V(240, 8);
                KAD12(360, 8);
                break;
            case 5:
                INGESPRONGEN(80);
                KAD12(120, 4);
                KAD12(250, 2);
                KAD12(380, 1);
                break;
            case 6:
            case 7:
                INGESPRONGEN(130);
                KAD12P(170, 4);
                KAD12P(270, 2);
                KAD12P(370, 1);
                break;
            default: break;
        }
    };

    // --- Marks ------------------------------------------------------------------

    auto VERLIES = [&](SCHAAL S, int R, int Q) -> long double {
        switch (S) {
            case PROCENT: return VERLIESPROCENT(A(R, Q), A(R, 0));
            case MM2: return VERLIES2MM(A(R, Q), A(R, 0));
            case MM12: return VERLIES12MM(A(R, Q), A(R, 0));
        }
        return NAN;
    };

    // The y of a loss in the panel with its baseline at HH; false when the
    // loss is undefined or lies far beyond any coordinate (the caller checks
    // the 16-bit range of what it draws).
    auto YVAN = [&](std::int16_t HH, long double V, long long& Y) -> bool {
        const long double YY = HH + AFRONDEN(V);
        if (!(std::fabs(YY) <= 1e9L)) return false;  // NaN fails too
        Y = static_cast<long long>(YY);
        return true;
    };

    // The mark of gauge PP for one period length: the connector at CX from
    // the previous level (only when the gauge has a previous sum), then the
    // level of the ended period from X1 to XX + 3, a bar or, for DIK false, a
    // line. Anything undefined or outside 16 bits is left out.
    auto ZET = [&](std::int16_t HH, std::int16_t Q, SCHAAL S, int RVORIG, int RNU, std::int64_t CX, std::int64_t X1,
                   bool DIK) {
        long long YM = 0, YG = 0;
        const bool MOK = YVAN(HH, VERLIES(S, RVORIG, Q), YM);
        const bool GOK = YVAN(HH, VERLIES(S, RNU, Q), YG);
        GRKLEUR(Yellow);
        SetLineStyle(SolidLn, 0, NormWidth);
        const std::int64_t X2 = XX + 3;
        if (A(RVORIG, Q) != GEEN && MOK && GOK && Fits16(CX) && Fits16(YM) && Fits16(YG))
            Line(int(CX), int(YM), int(CX), int(YG));
        if (!GOK || !Fits16(X1) || !Fits16(X2)) return;
        if (DIK) {
            if (Fits16(YG - 1) && Fits16(YG + 1)) Bar(int(X1), int(YG - 1), int(X2), int(YG + 1));
        } else if (Fits16(YG)) {
            Line(int(X1), int(YG), int(X2), int(YG));
        }
    };

    auto ZET2P = [&](std::int16_t HH, std::int16_t PP) {
        if (A(1, PP) > 0) ZET(HH, PP, PROCENT, 2, 3, XX, XX, true);
    };
    auto ZET2V = [&](std::int16_t HH, std::int16_t PP) {
        if (A(1, PP) > 0) ZET(HH, PP, MM2, 2, 3, XX, XX, true);
    };
    auto ZET12 = [&](std::int16_t HH, std::int16_t PP) {
        if (DATUM("0101") && A(4, PP) == A(4, 0)) ZET(HH, PP, MM12, 5, 6, XX - 15, XX - 15, true);
    };
    auto ZET12P = [&](std::int16_t HH, std::int16_t PP) {
        if (DATUM("0101") && A(4, PP) == A(4, 0)) ZET(HH, PP, PROCENT, 5, 6, XX - 15, XX - 15, true);
    };
    auto ZET6P = [&](std::int16_t HH, std::int16_t PP) {
        if (!((DATUM("0501") || DATUM("1101")) && A(7, PP) == A(7, 0))) return;
        if (DATUM("1101")) ZET(HH, PP, PROCENT, 8, 9, XX - 6, XX - 6, true);
        else ZET(HH, PP, PROCENT, 8, 9, XX - 6, RECNR < 180 ? XX - 4 : XX - 6, false);
    };

    auto PLOTTEN = [&](std::int16_t KKX) {
        switch (KKX) {
            case 0: ZET2P(70, 2); ZET2P(170, 4); ZET2P(270, 3); ZET2P(370, 5); break;
            case 1: ZET2V(70, 2); ZET2V(170, 4); ZET2V(270, 3); ZET2V(370, 5); break;
            case 2: ZET2P(160, 1); ZET2V(260, 1); ZET12(360, 1); break;
            case 3: ZET2P(140, 6); ZET2V(260, 6); ZET12(380, 6); break;
            case 4: ZET2P(120, 7); ZET2V(240, 7); ZET12(360, 7); break;
            case 5: ZET12(120, 4); ZET12(250, 2); ZET12(380, 1); break;
            case 6: ZET12P(170, 4); ZET12P(270, 2); ZET12P(370, 1); break;
            case 7: ZET6P(170, 4); ZET6P(270, 2); ZET6P(370, 1); break;
            default: break;
        }
    };

    // --- The pass ------------------------------------------------------------------

    OPENVS();
    GRSCHERM(Yellow, Blue);
    MAAKOPSCHRIFTEN();
    KADER(KK3);
    OPENVS();
    std::memset(SDAT, ' ', sizeof SDAT);
    RECNR = -1;
    XX = 41;
    for (int Q = 0; Q <= 7; ++Q) {
        A(1, Q) = 0; A(3, Q) = 0; A(4, Q) = 0; A(6, Q) = 0; A(7, Q) = 0; A(9, Q) = 0;
        A(2, Q) = GEEN; A(5, Q) = GEEN; A(8, Q) = GEEN;
    }

    // An empty file has nothing to read: the frame stays as drawn.
    if (!EINDEVS()) {
        do {
            LEESVS();
            RECNR = RECNR + 1;
            std::memcpy(SDAT, &SREC.s[9], 4);  // record positions 10-13
            MM = static_cast<std::int16_t>(HEELGETAL(std::string_view(SDAT, 2)));

            if (SDAT[2] == '0' && SDAT[3] == '1' && MM % 2 == 1 && RECNR > 0) {
                if (PERIODEEINDE != nullptr) PERIODEEINDE(VANGVERLIESSTAND{ATEL, std::string_view(SDAT, 4), RECNR, XX});
                PLOTTEN(KK3);
                for (int Q = 0; Q <= 7; ++Q) {
                    if (A(3, Q) > 0) {
                        A(2, Q) = A(3, Q);
                        A(1, Q) = 0;
                        A(3, Q) = 0;
                    }
                    if (DATUM("0101")) {
                        A(5, Q) = A(6, Q);
                        A(4, Q) = 0;
                        A(6, Q) = 0;
                    }
                    if (DATUM("0501") || DATUM("1101")) {
                        A(8, Q) = A(9, Q);
                        A(7, Q) = 0;
                        A(9, Q) = 0;
                    }
                }
                XX = XX + 3;
            }

            for (PP = 0; PP <= 7; ++PP) {
                POS = static_cast<std::int16_t>(62 + 5 * PP);
                GG = REEELGETAL(SREC.DEEL(POS, 4));
                CQ = SREC[POS + 4];
                if (static_cast<unsigned char>(CQ) < static_cast<unsigned char>('9')) {
                    A(1, PP) += 1; A(4, PP) += 1; A(7, PP) += 1;
                    A(3, PP) += GG; A(6, PP) += GG; A(9, PP) += GG;
                }
            }
        } while (!(EINDEVS() || KeyPressed()));
    }

    BROM();
    LEESKEY(KR);
}
