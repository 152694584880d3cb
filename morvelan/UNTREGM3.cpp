#include "UNTREGM3.h"

// Not built yet: the menu entries return to the menu.
void TOONVANGVERLIES(std::int16_t, std::int16_t) {}
