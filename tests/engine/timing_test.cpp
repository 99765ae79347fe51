#include <gtest/gtest.h>

#include "engine/input.h"
#include "engine/timing.h"

namespace vn {
namespace {

TEST(Timing, SixtyHertzTicksEverySixteenMilliseconds) {
  const TimerRef timer = TTimer::Create(60);
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->PeriodMillis(), 16);
  EXPECT_EQ(TTimer::Create(30)->PeriodMillis(), 33);
  EXPECT_EQ(TTimer::Create(5000)->PeriodMillis(), 1) << "never a zero period";
  EXPECT_FALSE(TTimer::Create(0));
  EXPECT_FALSE(TTimer::Create(-60));
}

TEST(Timing, VirtualClockMovesOnlyWhenTold) {
  ASSERT_TRUE(IsVirtualClock());
  const TimerRef timer = TTimer::Create(60);
  const int32_t start = ClockMillis();
  for (int i = 0; i < 100; ++i) ASSERT_EQ(timer->Wait(), 1);
  EXPECT_EQ(ClockMillis() - start, 1600);

  DelayMillis(50);
  AdvanceVirtualClock(7);
  EXPECT_EQ(ClockMillis() - start, 1657);
  DelayMillis(-10);
  AdvanceVirtualClock(-10);
  EXPECT_EQ(ClockMillis() - start, 1657) << "time never runs backwards";

  UseVirtualClock(true, 1000);
  EXPECT_EQ(ClockMillis(), 1000);
}

class RealClock : public testing::Test {
 protected:
  void SetUp() override { UseVirtualClock(false); }
  void TearDown() override { UseVirtualClock(true); }
};

// The only test on the real clock: it waits a few real ticks.
TEST_F(RealClock, TimerWaitsForTicksThatInputQueriesMayHaveTaken) {
  const TimerRef timer = TTimer::Create(60);
  ASSERT_TRUE(timer);
  ASSERT_NE(timer->handle_, 0);
  const int32_t start = ClockMillis();
  EXPECT_GE(start, 0);
  EXPECT_GE(timer->Wait(), 1);
  EXPECT_GE(timer->Wait(), 1);
  const int32_t after_two = ClockMillis();
  EXPECT_GE(after_two - start, 10) << "the second Wait blocked for about a period";

  // A long frame whose input queries drained the tick messages: the ticks still
  // count and Wait returns without blocking.
  DelayMillis(120);  // several periods, so a busy machine still delivers two ticks
  IsKeyDown(65);
  EXPECT_GE(timer->Wait(), 2);
}

// Ticks follow an absolute schedule: Wait never returns before its tick, and
// the time lost waking up does not add up over many frames.
TEST_F(RealClock, TicksKeepTheirScheduleOverManyFrames) {
  const TimerRef timer = TTimer::Create(60);
  ASSERT_TRUE(timer);
  timer->Wait();
  const int32_t start = ClockMillis();
  int ticks = 0;
  for (int i = 0; i < 30; ++i) ticks += timer->Wait();
  const int32_t elapsed = ClockMillis() - start;
  EXPECT_GE(elapsed, (ticks - 1) * 16) << "no tick came early";
  // Generous: a busy machine may wake the test late, but never by whole periods.
  EXPECT_LE(elapsed, ticks * 16 + 100) << "the ticks counted are the time that passed";
}

}  // namespace
}  // namespace vn
