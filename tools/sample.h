// The synthetic sample observation file: one record per day from 1 June 1941
// to 31 December 1971, made from a fixed seed, so every run makes the same bytes.
#pragma once

#include <string>

// The whole file's bytes (11 171 records of 101 bytes).
std::string SampleObservations();
