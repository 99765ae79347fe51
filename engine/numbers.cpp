#include "engine/numbers.h"

#include <cmath>
#include <limits>

namespace vn {

namespace {
// The product is formed in extended precision so that the sine of a whole
// angle such as 30 degrees comes out as close to the exact value as it can.
constexpr long double kRadiansPerDegree = 0.017453292519943295L;
constexpr double kDegreesPerRadian = 57.29577951308232;
}  // namespace

double SinDeg(double degrees) { return double(std::sin(degrees * kRadiansPerDegree)); }

double CosDeg(double degrees) { return double(std::cos(degrees * kRadiansPerDegree)); }

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
