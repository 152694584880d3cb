#include "UNTREGM4.h"

// Not built yet: the menu entry returns to the menu.
void PUNTENWOLKEN(std::int16_t) {}
