#include "UNTREGM1.h"

// Not built yet: the menu entry returns to the menu.
void SCHERMLISTING(std::int16_t) {}
