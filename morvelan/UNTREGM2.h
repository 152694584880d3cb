// The documentation diagrams: gauge set-ups, measurement programme and the
// history of the two rain stations.
#pragma once

#include <cstdint>

void OPSTELLINGEN(std::int16_t TAAL);
void MEETPROGRAMMA();
void KNMISTATIONS();
