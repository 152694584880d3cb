#include "UNTGRAPHICS.h"

using namespace dk;

std::int16_t GRMODE = 0;

void GRHAALDRIVER() {
    std::int16_t GRD = 2;
    std::int16_t GRMODE = 4;  // hides the unit variable
    InitGraph(GRD, GRMODE, "Kelvanoor data presentation");
}

void GRNAARGRAP() { SetGraphMode(::GRMODE); }

void GRWISDRIVER() { CloseGraph(); }

void GRSCHERM(Colour VOORG, Colour ACHTER) {
    SetViewPort(0, 0, GetMaxX(), GetMaxY(), true);
    SetColor(VOORG);
    SetBkColor(ACHTER);
    ClearViewPort();
}

void GRETIKET(int PX1, int PY1, int PX2, int PY2, Colour VOORG, Colour ACHTER) {
    SetColor(VOORG);
    SetFillStyle(SolidFill, ACHTER);
    Rectangle(PX1, PY1, PX2, PY2);
    FloodFill(PX1 + 2, PY1 + 2, VOORG);
    SetColor(VOORG);
}

void GRKLEUR(Colour VOORG) {
    SetColor(VOORG);
    SetFillStyle(SolidFill, VOORG);
}

void GRVOLLEVULLING(Colour VOORG) { SetFillStyle(SolidFill, VOORG); }
