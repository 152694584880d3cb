#include "sample.h"

// Placeholder until the generator is written: an empty file.
std::string SampleObservations() { return {}; }
