#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/numbers.h"

namespace vn {
namespace {

TEST(Numbers, Atan2DegTakesYFirstAndCoversEveryQuadrant) {
  struct Case {
    double y, x, degrees;
  };
  const Case cases[] = {
      {0, 1, 0}, {1, 1, 45}, {1, 0, 90}, {1, -1, 135}, {0, -1, 180}, {-1, -1, -135}, {-1, 0, -90},
  };
  for (const Case& c : cases) EXPECT_NEAR(Atan2Deg(c.y, c.x), c.degrees, 1e-12) << c.y << ", " << c.x;
}

TEST(Numbers, SineAndCosineWorkInDegreesWithNinetyPointingDown) {
  struct Case {
    double degrees, sin, cos;
  };
  const Case cases[] = {{0, 0, 1}, {30, 0.5, std::sqrt(3.0) / 2}, {90, 1, 0}, {180, 0, -1}, {-90, -1, 0}};
  for (const Case& c : cases) {
    EXPECT_NEAR(SinDeg(c.degrees), c.sin, 1e-12) << c.degrees;
    EXPECT_NEAR(CosDeg(c.degrees), c.cos, 1e-12) << c.degrees;
  }
}

// Whole degrees may come from a table; movement relies on every value being
// exactly the one the extended-precision expression gives, minus zero included.
TEST(Numbers, SineAndCosineOfEveryAngleAreTheExtendedPrecisionValues) {
  constexpr long double kRadiansPerDegree = 0.017453292519943295L;
  for (double d = -800; d <= 800; d += 0.5) {
    ASSERT_EQ(SinDeg(d), double(std::sin(d * kRadiansPerDegree))) << d;
    ASSERT_EQ(CosDeg(d), double(std::cos(d * kRadiansPerDegree))) << d;
  }
  EXPECT_TRUE(std::signbit(SinDeg(-0.0)));
  EXPECT_TRUE(std::isnan(SinDeg(std::nan(""))));
}

TEST(Numbers, FloatModKeepsTheSignOfTheDividend) {
  struct Case {
    double a, b, result;
  };
  const Case cases[] = {{-7, 3, -1}, {7, 3, 1}, {7, -3, 1}, {-7, -3, -1}, {370, 360, 10}, {5.5, 2, 1.5}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(FloatMod(c.a, c.b), c.result) << c.a << " mod " << c.b;
}

TEST(Numbers, TruncCutsTowardZeroAndSaturatesOutsideTheIntRange) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  struct Case {
    double value;
    int32_t result;
  };
  const Case cases[] = {
      {2.9, 2}, {-2.9, -2}, {-0.5, 0}, {-1.0, -1}, {-31.999, -31}, {2147483647.9, kMax},
      {-2147483648.9, kMin}, {-1e10, kMin}, {std::numeric_limits<double>::infinity(), kMax}, {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Trunc(c.value), c.result) << c.value;
}

TEST(Numbers, AbsIntHasNoOverflowAtTheBottom) {
  EXPECT_EQ(AbsInt(-5), 5);
  EXPECT_EQ(AbsInt(5), 5);
  EXPECT_EQ(AbsInt(std::numeric_limits<int32_t>::min()), std::numeric_limits<int32_t>::max());
}

}  // namespace
}  // namespace vn
