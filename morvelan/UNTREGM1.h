// The observation listing: pages of 24 records in a front and a back view.
#pragma once

#include <cstdint>

void SCHERMLISTING(std::int16_t TAAL);
