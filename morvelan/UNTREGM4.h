// The scatter comparison: dot clouds of each gauge's daily deviation from the
// ground-level gauge.
#pragma once

#include <cstdint>

void PUNTENWOLKEN(std::int16_t TAAL);
