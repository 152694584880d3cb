#include "graph.h"
#include "morvelan.h"
#include "sdl_backend.h"

int main() { return dk::RunProgram(dk::sdl::TheBackend(), MORVELAN); }
