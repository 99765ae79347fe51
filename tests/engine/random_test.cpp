#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <set>
#include <thread>

#include "engine/random.h"

namespace vn {
namespace {

// The generator written the slow, obvious way with 64-bit arithmetic.
int64_t ReferenceStep(int64_t state) { return state * 48271 % 2147483647; }

class Random : public testing::Test {
 protected:
  void TearDown() override { SeedRandom(12345); }  // the seed every other test starts from
};

TEST_F(Random, StepsMatchTheMultiplicativeGeneratorExactly) {
  // Large seeds exercise the negative branch of the overflow-free step.
  for (const int32_t seed : {4660, 1, 12345, 44488, 2147483646, 1073741823}) {
    SeedRandom(seed);
    int64_t expected = seed;
    for (int i = 0; i < 2000; ++i) {
      expected = ReferenceStep(expected);
      ASSERT_EQ(RandomStep(), expected) << "seed " << seed << ", step " << i;
    }
    EXPECT_EQ(GetRandomState(), expected);
  }
  SeedRandom(4660);
  EXPECT_EQ(RandomStep(), int64_t{48271} * 4660 % 2147483647);
}

TEST_F(Random, UnitValueIsBuiltFromTwoMaskedSteps) {
  SeedRandom(987654);
  int64_t state = 987654;
  for (int i = 0; i < 500; ++i) {
    state = ReferenceStep(state);
    const double high = double(state & 0x1FFFFFFC);
    state = ReferenceStep(state);
    const double low = double(state & 0x1FFFFFF8);
    ASSERT_EQ(RandUnit(), (high + low / 134217728.0) / 536870912.0);
  }
}

TEST_F(Random, SeedingMasksToThirtyOneBitsAndAvoidsTheStuckStates) {
  struct Case {
    int32_t seed, state;
  };
  const Case cases[] = {
      {0, 4660}, {2147483647, 4660}, {-1, 4660}, {std::numeric_limits<int32_t>::min(), 4660},
      {-2, 2147483646}, {1, 1}, {12345, 12345},
  };
  for (const Case& c : cases) {
    SeedRandom(c.seed);
    EXPECT_EQ(GetRandomState(), c.state) << c.seed;
  }
}

TEST_F(Random, RandRangeIsInclusiveInEitherOrder) {
  SeedRandom(777);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(RandRange(5, 5), 5);
  for (const auto& [a, b] : {std::pair{1, 3}, std::pair{3, 1}, std::pair{-2, 2}, std::pair{2, -2}}) {
    std::set<int32_t> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(RandRange(a, b));
    const int32_t lo = std::min(a, b);
    const int32_t hi = std::max(a, b);
    EXPECT_EQ(int32_t(seen.size()), hi - lo + 1) << a << ".." << b;
    EXPECT_EQ(*seen.begin(), lo);
    EXPECT_EQ(*seen.rbegin(), hi);
  }
}

TEST_F(Random, RandRangeOfZeroAndOneIsFair) {
  SeedRandom(4242);
  constexpr int kDraws = 200000;
  int ones = 0;
  for (int i = 0; i < kDraws; ++i) ones += RandRange(0, 1);
  // Five standard deviations of a fair coin.
  EXPECT_NEAR(ones, kDraws / 2, 5 * 224);
}

TEST_F(Random, WideRangesDoNotOverflow) {
  SeedRandom(31337);
  for (int i = 0; i < 2000; ++i) {
    const int32_t value = RandRange(-2000000000, 2000000000);
    ASSERT_GE(value, -2000000000);
    ASSERT_LE(value, 2000000000);
  }
}

TEST_F(Random, RandRangeFloatRunsFromTheSmallerUpToTheLarger) {
  SeedRandom(99);
  const double unit = RandUnit();
  SeedRandom(99);
  EXPECT_EQ(RandRangeFloat(2.0, -1.0), -1.0 + unit * 3.0);
}

TEST_F(Random, EnvironmentSeedDiffersBetweenRuns) {
  const int32_t first = RandomSeedFromEnvironment();
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_NE(RandomSeedFromEnvironment(), first);
}

}  // namespace
}  // namespace vn
