#include "engine/random.h"

#include <unistd.h>

#include <chrono>

namespace vn {

namespace {
constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr int32_t kMultiplier = 48271;
// Schrage's decomposition of the modulus: kModulus = kMultiplier * kQuotient + kRemainder.
constexpr int32_t kQuotient = 44488;
constexpr int32_t kRemainder = 3399;
constexpr int32_t kFallbackState = 4660;

// The generator may never hold 0 (it would stay 0) or the modulus itself.
int32_t random_state = kFallbackState;
}  // namespace

void SeedRandom(int32_t seed) {
  random_state = seed & 0x7FFFFFFF;
  if (random_state == 0 || random_state == kModulus) random_state = kFallbackState;
}

int32_t RandomSeedFromEnvironment() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  uint64_t mix = uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
  mix ^= uint64_t(::getpid()) << 32;
  // A 64-bit finaliser so that nearby times and process ids give unrelated seeds.
  mix ^= mix >> 33;
  mix *= 0xFF51AFD7ED558CCDull;
  mix ^= mix >> 33;
  mix *= 0xC4CEB9FE1A85EC53ull;
  mix ^= mix >> 33;
  return int32_t(uint32_t(mix & 0xFFFFFFFFu));
}

int32_t GetRandomState() { return random_state; }

int32_t RandomStep() {
  random_state = kMultiplier * (random_state % kQuotient) - kRemainder * (random_state / kQuotient);
  if (random_state < 0) random_state += kModulus;
  return random_state;
}

double RandUnit() {
  const int32_t high = RandomStep() & 0x1FFFFFFC;
  const int32_t low = RandomStep() & 0x1FFFFFF8;
  // Below 1 even for the largest masked values: (2^29 - 2^-24) / 2^29 = 1 - 2^-53.
  return (double(high) + double(low) / 134217728.0) / 536870912.0;
}

int32_t RandRange(int32_t a, int32_t b) {
  // 64-bit so that ranges spanning more than half the int32 range cannot overflow.
  const int64_t d = int64_t(b) - int64_t(a);
  const double unit = RandUnit();
  if (d > 0) return int32_t(a + int64_t(unit * double(d + 1)));
  return int32_t(b + int64_t(unit * double(1 - d)));
}

double RandRangeFloat(double a, double b) {
  const double lo = a < b ? a : b;
  const double hi = a < b ? b : a;
  return lo + RandUnit() * (hi - lo);
}

}  // namespace vn
