// Screen helpers: open, prepare and close the window, clear the screen to a
// pair of colours, draw a bordered label box, set colours in one step.
#pragma once

#include <cstdint>

#include "graph.h"

extern std::int16_t GRMODE;  // handed to SetGraphMode; holds 0 for the whole run

void GRHAALDRIVER();
void GRNAARGRAP();
void GRWISDRIVER();
void GRSCHERM(dk::Colour VOORG, dk::Colour ACHTER);
void GRETIKET(int PX1, int PY1, int PX2, int PY2, dk::Colour VOORG, dk::Colour ACHTER);
void GRKLEUR(dk::Colour VOORG);
void GRVOLLEVULLING(dk::Colour VOORG);
