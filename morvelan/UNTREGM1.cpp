// The observation listing: 24 records (days) at a time as text lines, in the
// back view (date and the eight gauge cells) or the front view (date and the
// term columns), with a command bar for jumps of fixed numbers of days, the
// switch between the views, and leaving.
#include "UNTREGM1.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "UNTGRAPHICS.h"
#include "UNTPROGDELEN.h"
#include "UNTREGM0.h"
#include "graph.h"
#include "text.h"

using namespace dk;

namespace {

constexpr int YCOMM = 446;
constexpr Text SCOMM = " -4jr  -1jr -3mnd -23dg  voor  QUIT  acht +23dg +3mnd  +1jr  +4jr ";
static_assert(SCOMM.size() == 66, "eleven cells of six characters");

constexpr Text ANAVIGATIE[3] = {
    " navigeren met pijltoetsen,  bevestigen met KEY ",
    "navigation with arrow-key, confirmation with KEY",
    "navigation mit Pfeiltasten,  accordieren mit KEY",
};

constexpr Text SPIJL = "  >>>";  // joins the two halves of a line in the back view

constexpr int REGELS = 24;  // lines on a page

// Jump of each command-bar cell in records (days); cells 5, 6 and 7 do not jump.
constexpr std::int32_t ASPRONG[11] = {-1461, -365, -93, -23, 0, 0, 0, 23, 93, 365, 1461};

}  // namespace

void SCHERMLISTING(std::int16_t TAAL) {
    std::int16_t KLIST = 6;
    std::int16_t KLMM = 6;
    bool VOOR = false;
    bool STOP = false;
    bool UIT = false;
    char SLISTREC[61];

    auto KOPPEN = [&] {
        GRSCHERM(Yellow, Blue);
        OutTextXY(76, 4, VOOR ? SKOP1 : SKOP2);
        OutTextXY(76, 20, VOOR ? SFOR1 : SFOR2);
    };

    // Keeps the page inside the file and draws its lines. A file of fewer
    // than 24 records shows the records there are, from record 0.
    auto LISTEN = [&](std::int32_t& RECNR) {
        const std::int32_t AANTAL = AANTALVS();
        if (RECNR < 0) RECNR = 0;
        if (std::int64_t(RECNR) + REGELS > AANTAL) RECNR = AANTAL - REGELS;
        if (RECNR < 0) RECNR = 0;
        ZOEKVS(RECNR);
        for (int REG = 1; REG <= REGELS && std::int64_t(RECNR) + REG <= AANTAL; ++REG) {
            LEESVS();
            if (VOOR) {
                std::memcpy(SLISTREC, SREC.s, 61);
            } else {
                std::memcpy(SLISTREC, SREC.s, 16);
                std::memcpy(SLISTREC + 16, SPIJL.b, 5);
                std::memcpy(SLISTREC + 21, SREC.s + 61, 40);
            }
            OutTextXY(76, 30 + 16 * REG, std::string_view(SLISTREC, sizeof SLISTREC));
        }
    };

    auto CURSOR = [](std::int16_t k) { Rectangle(56 + 48 * (k - 1), 442, 55 + 48 * k, 458); };

    auto COMMANDOBALK = [&](std::int16_t KLIST) {
        GRETIKET(56, 442, 583, 458, Red, Red);
        GRKLEUR(Yellow);
        OutTextXY(56, YCOMM, SCOMM);
        OutTextXY(130, 466, ANAVIGATIE[TAAL - 1]);
        CURSOR(KLIST);
    };

    auto KIES = [&](std::int16_t& KK, std::int16_t NN, std::int16_t NX) {
        LEESKEY(KR);
        UIT = false;
        switch (static_cast<unsigned char>(KR)) {
            case 72:
            case 75:
                if (KK > NN) KK = KK - 1;
                else KK = NX;
                break;
            case 77:
            case 80:
                if (KK < NX) KK = KK + 1;
                else KK = NN;
                break;
            default: UIT = true;
        }
    };

    OPENVS();
    RECNR = 0;
    KLIST = 6;
    VOOR = false;
    STOP = false;
    do {
        KOPPEN();
        LISTEN(RECNR);
        COMMANDOBALK(KLIST);
        do {
            KLMM = KLIST;
            KIES(KLIST, 1, 11);
            GRKLEUR(Red);
            CURSOR(KLMM);
            GRKLEUR(Yellow);
            CURSOR(KLIST);
        } while (!UIT);
        switch (KLIST) {
            case 5: VOOR = true; break;
            case 6: STOP = true; break;
            case 7: VOOR = false; break;
            default: {
                // The page start stays within the file (LISTEN clamps it), so
                // the sum cannot leave 32 bits for any file that fits 32 bits.
                const std::int64_t NIEUW = std::int64_t(RECNR) + ASPRONG[KLIST - 1];
                RECNR = NIEUW < 0 ? 0 : NIEUW > INT32_MAX ? INT32_MAX : std::int32_t(NIEUW);
            }
        }
    } while (!STOP);
}
