// The catch-loss charts: one pass over the observation file that draws the
// losses against the ground-level gauge while it reads.
#pragma once

#include <cstdint>

void TOONVANGVERLIES(std::int16_t TAAL, std::int16_t KK3);
