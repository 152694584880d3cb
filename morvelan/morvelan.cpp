// The main program: opens the window, lets the user choose a language on
// the introduction screen, runs the main menu until its last entry and says
// farewell.
#include "morvelan.h"

#include <cstdint>

#include "UNTGRAPHICS.h"
#include "UNTPROGDELEN.h"
#include "UNTREGM1.h"
#include "UNTREGM2.h"
#include "UNTREGM3.h"
#include "UNTREGM4.h"
#include "graph.h"
#include "text.h"

using namespace dk;

namespace {

constexpr std::int16_t MXKEUS = 14;
constexpr int FNT = 0;
constexpr int YBALK = 460;

constexpr Text AOPSCHR[3] = {
    "   REGENMETER VERGELIJKING   ",
    "    COMPARANCE RAINGAUGES    ",
    "  VERGLEICHUNG REGENMESSERS  ",
};

constexpr Text ANAVIGATIE[3] = {
    " navigeren met pijltoetsen,  bevestigen met KEY ",
    "navigation with arrow-key, confirmation with KEY",
    "navigation mit Pfeiltasten,  accordieren mit KEY",
};

constexpr Text SBALK = " Nederlands   English     Deutsch";

constexpr Text ATEKST[3][16] = {
    {
        "Neerslag is één van de componenten van iedere waterbalans",
        "en het is daarom essentieel dat die correct wordt waarge-",
        "men. De beste regenmeteropstelling die voor handen was,  ",
        "was een in een kuil opgestelde standaardregenmeter met de",
        "opvangopening op maaiveldhoogte. De regenmeter was omge- ",
        "ven door een stel borstels, waarmee inspatten van buiten ",
        "de opening vallende neerslag effectief gesmoord werd.    ",
        "     Men wilde zo de windverliezen leren kennen van een  ",
        "aantal opstellingen. Voorts had het PWN al decennia lang ",
        "KNMI-regenstation 235 op zijn terrein staan omdat men we-",
        "weten wilde hoeveel neerslag op de wingebieden viel. Het ",
        "station werd representatief geacht voor het Kennemerland.",
        "Uit dien hoofde had men de kwaliteit van de waarnemingen ",
        "nooit durven betwijfelen. Het station werd meerdere malen",
        "verplaatst. Een tweede regenstation, R232, stond bij de  ",
        "PWN-boomkwekerij in Bakkum. Beide stations draaiden mee. ",
    },
    {
        "Precipitation is one of the components of waterbalances. ",
        "For that, correct observation is essential. The best rain",
        "observation available was a standard raingauge in a pit, ",
        "with the catching opening at surface level. The gauge was",
        "surrounded by brushes to strangle any splashing from rain",
        "falling outside the gauge.                               ",
        "     The aim was to investigate the wind losses of all   ",
        "courant mountings of the standard raingauges. Moreover,  ",
        "KNMI placed some ten years earlier rainstation-R235 near ",
        "the PWN-pumpingstation, to be informed with the amount of",
        "precipitation falling down in their dunes. The station   ",
        "was supposed to be representative for the whole Kennemer-",
        "land. For that, the quality of the observations was never",
        "distrusted. The station is moved several times. A second ",
        "rainstation, R232, was situated near the PWN-treenusery  ",
        "in Bakkum. Both stations shared in the investigations.   ",
    },
    {
        "Niederschlag ist eine der Komponenten jeder Wasserbilanz ",
        "und es ist darum essentiell sie korrekt zu beobachten.   ",
        "Das beste Messgerät das vor Handen war, ist ein in ein   ",
        "Loch aufgestellte Normal Regenfanger, mit die Fangöffnung",
        "gleich am umgebend Erdoberflach. Der Regenfanger is umge-",
        "ben durch Bürsten, womit das aufspritzen der aussen der  ",
        "Regenfanger fallende Regen effektiv verhindert wird.     ",
        "     Durch Vergleich hoffte man die Windverlusste anderer",
        "Regenfanger kennen zu lernen. Weiter, PWN hätte schon    ",
        "über zehn Jahre KNMI-Regenstation R235 auf sein Betriebs-",
        "gelände stehen, weil man wissen wollte wieviel Regen die ",
        "Dünen zufiel. Das Station wird representativ geachtet für",
        "ganz Kennemerland. Also hätte bisher keiner der Unmut die",
        "Qualität der Beobachtung zu bezweiflen. Das Station ist  ",
        "mehrere male umgestellt. Paralellstation R232 stand beim ",
        "PWN-Baumzüchterei in Bakkum. Beide sind hier beachtet.   ",
    },
};

constexpr Text ASHOWPR[3][14] = {
    {
        "Schermlisting van de waarnemingen",
        "Regenmetervergelijking: de opstellingen",
        "Regenmetervergelijking: Overzicht meetprogramma",
        "De KNMI-waarnemingsstations bij het PWN",
        "Regenmetervergelijking: 2mndl verliezen in mm",
        "Regenmetervergelijking: 2mndl verlies in procent",
        "Termijnwaarneming: 2mndl, betere sneeuwmeting",
        "Station 235: oude pompgebouw en lysimeterterrein",
        "Station 232: Engelse opstelling, Duinmeertje Bakkum",
        "Standaard regenmeters: jaarlijkse verliezen in mm",
        "Standaard regenmeters: jaarl. verliezen in procent",
        "Standaard regenmeters: halfjaarl. verliezen in mm",
        "Puntenwolken: vergelijking dagelijkse waarnemingen",
        "Stoppen",
    },
    {
        "Listing of the observations",
        "Raingauge comparison: gauge mountings",
        "Raingauge compsrison: Observational program",
        "KNMI-rainstations hosted by the PWN",
        "Raingauge comparison: bimonthly losses in mm",
        "Raingauge comparison: bimonthly losses in procent",
        "3-times a day observings: better snow observations",
        "Station 235: old PWN-pumpingstation",
        "Station 232: Engl. mounting, beach dunelake Bakkun",
        "Standard gauge mountings: annual losses in mm",
        "Standard gauge mountings: annual losses in procent",
        "Standard gauge mountings: halfannual losses, proc.",
        "Dot-clouds: comparing individual observations",
        "Quit",
    },
    {
        "Schirmpräsentation der Beobachtungen",
        "Regenmesservergleich: Die Aufstellungen.",
        "Regenmesservergleich: Beobachtungsprogramm",
        "KNMI-Regenstationen untergebracht bei PWN",
        "Regenmesservergleich: zweimonatliche Verlusst, mm",
        "Regenmesservergleich: zweimonatliche Verlusst, %",
        "Dreimaltagse Beobachtungen: bessere Schneebeob.",
        "Station 235: Alte Pumpstation PWN",
        "Station 232: Engl. Aufstellung Dunensee Bakkums",
        "Standart-Aufstellungen: Jahrliche Verlusste, mm",
        "Standart-Aufstellungen: Jahrliche Verlusste, %",
        "Standart-Aufstellungen: Halbjahrliche Verl., %",
        "Puktenwolken: Vergleich indviduelle Beobachtungen",
        "Abstellen",
    },

};

std::int16_t TAAL;
std::int16_t KTL;
std::int16_t KSP;
std::int16_t KMM;
bool UIT;
bool STOPPEN;
char KR;  // the main program's own last key

void INITIEER() {
    KTL = 1;
    TAAL = 1;
    KSP = 1;
    GRHAALDRIVER();
    GRNAARGRAP();
}

void KIES(std::int16_t& KK, std::int16_t NN, std::int16_t NX) {
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
}

void KIESTAAL() {
    auto cursor = [](std::int16_t k) { Rectangle(178 + 96 * (k - 1), 452, 177 + 96 * k, 476); };

    GRSCHERM(Yellow, Black);
    SetTextStyle(FNT, 0, 4);
    GRKLEUR(Yellow);
    OutTextXY(90, 10, AOPSCHR[TAAL - 1]);
    SetTextStyle(FNT, 0, 2);
    OutTextXY(244, 40, "Kelvanoor 1941-1961");
    GRETIKET(70, 80, 580, 370, Yellow, Red);
    for (int i = 1; i <= 16; ++i) OutTextXY(96, 88 + 16 * i, ATEKST[TAAL - 1][i - 1]);
    OutTextXY(130, 436, ANAVIGATIE[TAAL - 1]);
    for (;;) {
        GRETIKET(178, 452, 465, 476, Red, Red);
        GRKLEUR(Yellow);
        OutTextXY(178, YBALK, SBALK);
        SetLineStyle(SolidLn, 0, NormWidth);
        cursor(KTL);
        KMM = KTL;
        KIES(KTL, 1, 3);
        TAAL = KTL;
        if (UIT) return;
        // The cursor moved: wipe each old text by drawing it again in the
        // colour it stands on, then draw the new one.
        SetTextStyle(FNT, 0, 4);
        GRKLEUR(Black);
        OutTextXY(90, 10, AOPSCHR[KMM - 1]);
        GRKLEUR(Yellow);
        OutTextXY(90, 10, AOPSCHR[TAAL - 1]);
        SetTextStyle(FNT, 0, 2);
        for (int i = 1; i <= 16; ++i) {
            GRKLEUR(Red);
            OutTextXY(96, 88 + 16 * i, ATEKST[KMM - 1][i - 1]);
            GRKLEUR(Yellow);
            OutTextXY(96, 88 + 16 * i, ATEKST[TAAL - 1][i - 1]);
        }
        GRKLEUR(Black);
        OutTextXY(130, 436, ANAVIGATIE[KMM - 1]);
        GRKLEUR(Yellow);
        OutTextXY(130, 436, ANAVIGATIE[TAAL - 1]);
        GRKLEUR(Red);
        cursor(KMM);
        GRKLEUR(Yellow);
        cursor(KTL);
    }
}

void KEUZESCHERM() {
    auto cursor = [](std::int16_t k) { Rectangle(110, 104 + 16 * k, 530, 123 + 16 * k); };
    do {
        GRSCHERM(Yellow, Black);
        SetLineStyle(SolidLn, 0, NormWidth);
        GRETIKET(90, 90, 560, 360, Yellow, Blue);
        STOPPEN = false;
        SetTextStyle(FNT, 0, 4);
        OutTextXY(90, 10, AOPSCHR[TAAL - 1]);
        SetTextStyle(FNT, 0, 2);
        OutTextXY(244, 40, "Kelvanoor 1941-1971");
        for (int i = 1; i <= MXKEUS; ++i) OutTextXY(120, 108 + 16 * i, ASHOWPR[TAAL - 1][i - 1]);
        OutTextXY(130, 376, ANAVIGATIE[TAAL - 1]);
        do {
            GRKLEUR(Yellow);
            cursor(KSP);
            KMM = KSP;
            KIES(KSP, 1, MXKEUS);
            GRKLEUR(Blue);
            cursor(KMM);
        } while (!UIT);
        switch (KSP) {
            case 1: SCHERMLISTING(TAAL); break;
            case 2: OPSTELLINGEN(TAAL); break;
            case 3: MEETPROGRAMMA(); break;
            case 4: KNMISTATIONS(); break;
            case 5: TOONVANGVERLIES(TAAL, 1); break;
            case 6: TOONVANGVERLIES(TAAL, 0); break;
            case 7: TOONVANGVERLIES(TAAL, 2); break;
            case 8: TOONVANGVERLIES(TAAL, 3); break;
            case 9: TOONVANGVERLIES(TAAL, 4); break;
            case 10: TOONVANGVERLIES(TAAL, 5); break;
            case 11: TOONVANGVERLIES(TAAL, 6); break;
            case 12: TOONVANGVERLIES(TAAL, 7); break;
            case 13: PUNTENWOLKEN(TAAL); break;
            case 14: STOPPEN = true; break;
            default: break;
        }
    } while (!STOPPEN);
}

}  // namespace

void MORVELAN() {
    INITIEER();
    KIESTAAL();
    KEUZESCHERM();
    GRSCHERM(White, Black);
    OutTextXY(270, 200, "Dit was het");
    Delay(1000);
    GRWISDRIVER();
}
