// The main program's body: start-up, language screen, main menu, farewell.
#pragma once

void MORVELAN();
