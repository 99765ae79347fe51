#include "engine/numbers.h"

#include <array>
#include <cmath>
#include <limits>

namespace vn {

namespace {
// The product is formed in extended precision so that the sine of a whole
// angle such as 30 degrees comes out as close to the exact value as it can.
constexpr long double kRadiansPerDegree = 0.017453292519943295L;
constexpr double kDegreesPerRadian = 57.29577951308232;

double ExactSin(double degrees) { return double(std::sin(degrees * kRadiansPerDegree)); }
double ExactCos(double degrees) { return double(std::cos(degrees * kRadiansPerDegree)); }

// Play turns mostly by whole degrees (walking phases, gun angles, bullets), and
// the extended-precision sine costs about a microsecond, dozens of times per
// figure and frame. Whole degrees within two turns come from a table made by
// the same expressions, so every value is the one they would give.
constexpr int kTableReach = 720;
struct WholeDegrees {
  std::array<double, 2 * kTableReach + 1> sines{}, cosines{};
  WholeDegrees() {
    for (int d = -kTableReach; d <= kTableReach; ++d) {
      sines[size_t(d + kTableReach)] = ExactSin(d);
      cosines[size_t(d + kTableReach)] = ExactCos(d);
    }
  }
};
const WholeDegrees& Table() {
  static const WholeDegrees table;
  return table;
}

// The table's slot for a whole angle within reach, -1 for any other value.
// Minus zero is left out: its sine is minus zero, not the table's plus zero.
int Slot(double degrees) {
  if (!(degrees >= -kTableReach && degrees <= kTableReach)) return -1;
  const int whole = int(degrees);
  if (double(whole) != degrees || (whole == 0 && std::signbit(degrees))) return -1;
  return whole + kTableReach;
}
}  // namespace

double SinDeg(double degrees) {
  const int slot = Slot(degrees);
  return slot >= 0 ? Table().sines[size_t(slot)] : ExactSin(degrees);
}

double CosDeg(double degrees) {
  const int slot = Slot(degrees);
  return slot >= 0 ? Table().cosines[size_t(slot)] : ExactCos(degrees);
}

double Atan2Deg(double y, double x) { return std::atan2(y, x) * kDegreesPerRadian; }

double FloatMod(double a, double b) { return a - b * std::trunc(a / b); }

int32_t AbsInt(int32_t a) {
  // -INT32_MIN does not exist; the nearest representable magnitude is returned.
  if (a == std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::max();
  return a < 0 ? -a : a;
}

int32_t Trunc(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return int32_t(value);  // the built-in conversion truncates toward zero
}

}  // namespace vn
