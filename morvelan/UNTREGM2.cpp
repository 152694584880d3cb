#include "UNTREGM2.h"

// Not built yet: the menu entries return to the menu.
void OPSTELLINGEN(std::int16_t) {}
void MEETPROGRAMMA() {}
void KNMISTATIONS() {}
