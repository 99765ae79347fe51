#pragma once
// The game's random generator: a multiplicative congruential generator
// (modulus 2^31 - 1, multiplier 48271), so runs with the same seed repeat exactly.
#include <cstdint>

namespace vn {

// state = seed & 0x7FFFFFFF; 0 and 2147483647 become 4660.
void SeedRandom(int32_t seed);
// A seed that differs from run to run (time of day and process id mixed).
int32_t RandomSeedFromEnvironment();
int32_t GetRandomState();
// One generator step (Schrage's method, no overflow); returns the new state.
int32_t RandomStep();
// A double in [0, 1) built from two steps.
double RandUnit();
// Uniform integer between a and b inclusive, in either order.
int32_t RandRange(int32_t a, int32_t b);
// Uniform real from min(a, b) inclusive up to max(a, b) exclusive.
double RandRangeFloat(double a, double b);

}  // namespace vn
