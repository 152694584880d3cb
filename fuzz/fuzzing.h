// Shared pieces of the fuzz targets: a private working directory and a
// headless run of one screen on arbitrary bytes as the observation file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "headless.h"

namespace fz {

// Moves into a fresh temporary directory once per process.
void EnterScratchDir();
// Writes the bytes as MORVELAN.VSs in the working directory.
void WriteObservations(const std::uint8_t* data, std::size_t size);
// Runs `screen` headless as the menu calls it, with `keys`.
dk::headless::Run RunScreen(std::vector<dk::headless::ScriptKey> keys, void (*screen)());

}  // namespace fz
