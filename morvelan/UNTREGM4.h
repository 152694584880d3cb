// The scatter comparison: dot clouds of each gauge's daily deviation from the
// ground-level gauge.
#pragma once

#include <cstdint>

#include "text.h"

// First and last date (yymmdd) of each gauge's plot, for the command-bar
// cells and gauge numbers 2 to 8 (row g - 2 for gauge number g).
struct PERIODE {
    dk::Text SN, SX;
};
inline constexpr PERIODE APERIODEN[7] = {
    {"410601", "651231"},  // 2 R4t
    {"410601", "620531"},  // 3 R4
    {"530701", "711231"},  // 4 R4N
    {"410601", "571231"},  // 5 R15
    {"410601", "551231"},  // 6 R15N
    {"410601", "571231"},  // 7 R235
    {"410701", "631231"},  // 8 R232
};

void PUNTENWOLKEN(std::int16_t TAAL);
