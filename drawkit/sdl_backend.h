// The SDL2 backend: a real window of 640 x 480 client pixels, keys from the
// window system, a square-wave tone, and the message box of run-time errors.
#pragma once

#include "graph.h"

namespace dk::sdl {

const Backend& TheBackend();

}  // namespace dk::sdl
