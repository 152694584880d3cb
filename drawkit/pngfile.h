// Pictures of the canvas as PNG files.
#pragma once

#include <string>

#include "canvas.h"

namespace dk {

// Writes 640 x 480 pixels (0x00RRGGBB, row by row) as an RGB PNG, each pixel
// enlarged to scale x scale (nearest neighbour). Returns false and sets
// `error` when the file cannot be written.
bool WritePng(const std::string& path, const Colour* pixels, int scale, std::string& error);

}  // namespace dk
