// Walking, jumping, falling, ledges, ladders, water and the hazards of the map.
#include <gtest/gtest.h>

#include <algorithm>

#include "play/movement.h"
#include "play/play_loop.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/map.h"

namespace vn::test {
namespace {

class Movement : public GameTest {
 protected:
  LevelBuilder Arena() {
    LevelBuilder level(40, 20);
    level.Floor(kFloorRow);
    return level;
  }
};

TEST_F(Movement, JumpRisesThreeTilesAndComesBackDown) {
  Arena().Player(128, kStandY).Start();
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  ReleaseKey(kJump);
  int32_t highest = kStandY;
  int frames = 1;
  while (Player()->y < kStandY && frames < 200) {
    highest = std::min(highest, Player()->y);
    ASSERT_TRUE(StepFrames(1));
    ++frames;
  }
  // -7.8 px/frame against 0.34 px/frame^2, positions truncated after adding:
  // 106 px up, back on the floor after 50 frames.
  EXPECT_EQ(kStandY - highest, 106);
  EXPECT_EQ(frames, 50);
  ASSERT_TRUE(StepFrames(30));
  EXPECT_EQ(Player()->y, kStandY);
  EXPECT_EQ(Player()->jump, 0);
  EXPECT_EQ(Player()->power, 100);
}

TEST_F(Movement, HoldingJumpJumpsAgainOnEveryLanding) {
  Arena().Player(128, kStandY).Start();
  HoldKey(kJump);
  int takeoffs = 0;
  for (int i = 0; i < 160; ++i) {
    ASSERT_TRUE(StepFrames(1));
    if (Player()->tempy == kJumpSpeed) ++takeoffs;
  }
  EXPECT_EQ(takeoffs, 4);  // one every 50 frames
}

TEST_F(Movement, FallAtTerminalSpeedKillsAndLeavesDebris) {
  LevelBuilder level(20, 40);
  level.Floor(35).Player(128, 0).Start();
  ASSERT_TRUE(StepUntil([] { return Player() == nullptr; }, 200));
  EXPECT_EQ(fragment_list.Count(), 6u);
  EXPECT_EQ(player_x, 0);
  EXPECT_EQ(player_y, 0);

  // From rest, a drop of nine cells is survived and one of ten is not.
  for (const int cells : {9, 10}) {
    Arena().Player(128, kStandY - cells * 32).Start();
    ASSERT_TRUE(StepFrames(120));
    EXPECT_EQ(Player() != nullptr, cells == 9) << cells << " cells";
  }
}

TEST_F(Movement, WalkingAcceleratesToFourAndFrictionStopsBelowHalf) {
  Arena().Player(128, kStandY).Start();
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_NEAR(Player()->speed, 1.5f, 1e-4);
  ASSERT_TRUE(StepFrames(30));
  EXPECT_FLOAT_EQ(Player()->speed, 4.0f);
  ReleaseKey(kRight);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_NEAR(Player()->speed, 0.7f, 1e-4) << "0.33 per frame";
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(Player()->speed, 0.0f) << "0.37 lies within the stop band";
}

TEST_F(Movement, ShortFallBouncesAndComesToRest) {
  Arena().Player(128, kStandY - 96).Start();
  bool bounced = false;
  for (int i = 0; i < 120; ++i) {
    ASSERT_TRUE(StepFrames(1));
    if (Player()->tempy < 0) bounced = true;
  }
  EXPECT_TRUE(bounced);
  EXPECT_EQ(Player()->jump, 0);
  EXPECT_EQ(Player()->y, kStandY);
  EXPECT_EQ(Player()->power, 100);
}

TEST_F(Movement, LedgesOnEitherSideHoldTheFallingPlayerWhoClimbsOnTop) {
  // A block of columns 5..8 from row 9 down; the player falls beside it, left
  // of it (a ledge on the right) or right of it (a ledge on the left).
  struct Side { int32_t x; int key; uint8_t mode; };
  for (const Side side : {Side{128, kRight, 9}, Side{288, kLeft, 10}}) {
    SCOPED_TRACE(side.x);
    ReleaseAllKeys();
    Arena().Fill(0, 5, 9, 8, 14, 1).Player(side.x, 288).Start();
    HoldKey(kAction);
    ASSERT_TRUE(StepFrames(30));
    EXPECT_EQ(Player()->mode, side.mode);
    EXPECT_EQ(Player()->y, 288);
    HoldKey(side.key);
    ASSERT_TRUE(StepFrames(30));
    ReleaseAllKeys();
    ASSERT_TRUE(StepFrames(30));
    EXPECT_TRUE(Player()->x >= 150 && Player()->x <= 266) << Player()->x;
    EXPECT_EQ(Player()->y, 256);  // standing on the wall's top cell
    EXPECT_EQ(Player()->jump, 0);
  }
}

TEST_F(Movement, CeilingHoldsThePlayerUntilTheActionKeyIsLetGo) {
  Arena().Fill(0, 0, 10, 39, 10, 1).Player(128, kStandY).Start();
  HoldKey(kAction);
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  ReleaseKey(kJump);
  ASSERT_TRUE(StepFrames(60));
  EXPECT_EQ(Player()->mode, 11);
  EXPECT_EQ(Player()->y, 11 * 32) << "hanging right under the ceiling";
  EXPECT_FLOAT_EQ(Player()->speed_max, 2.0f);
  ReleaseKey(kAction);
  ASSERT_TRUE(StepFrames(60));
  EXPECT_EQ(Player()->mode, 1);
  EXPECT_EQ(Player()->y, kStandY);
}

TEST_F(Movement, LadderClimbsTwoPixelsPerFrameBothWays) {
  Arena().Fill(1, 4, 8, 4, 14, 3).Player(128, kStandY).Start();
  HoldKey(kAction);
  HoldKey(kUp);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(Player()->y, kStandY - 20);
  EXPECT_EQ(Player()->mode, 4);
  ReleaseKey(kUp);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(Player()->y, kStandY - 20);  // holding on without falling
  HoldKey(kDown);
  ASSERT_TRUE(StepFrames(4));
  EXPECT_EQ(Player()->y, kStandY - 12);
}

class Water : public Movement {
 protected:
  // A pool of foreground value `water` over columns 2..10, rows 8..14.
  void Pool(uint16_t water) { Arena().Fill(2, 2, 8, 10, 14, water).Player(128, 352).Start(); }
};

TEST_F(Water, SwimmingLosesOneBreathEveryHundredMilliseconds) {
  Pool(1);
  ASSERT_TRUE(StepFrames(70));  // 70 frames of 16 ms
  EXPECT_EQ(Player()->mode == 13 || Player()->mode == 14, true);
  EXPECT_NEAR(Player()->breath, 90, 1);
  EXPECT_EQ(Player()->y, 352);  // no sinking while swimming
  HoldKey(kDown);
  ASSERT_TRUE(StepFrames(5));
  EXPECT_EQ(Player()->y, 357);
}

TEST_F(Water, BreathRefillsOnLandAndDrownsAtZero) {
  Arena().Player(128, kStandY).Start();
  Player()->breath = 50;
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(Player()->breath, 60) << "one unit per frame on land";
  Pool(1);
  Player()->breath = 3;
  ASSERT_TRUE(StepUntil([] { return Player() == nullptr; }, 40));
  EXPECT_EQ(fragment_list.Count(), 6u);
}

TEST_F(Water, HarmfulWaterCostsOnePowerPerFrame) {
  Pool(5);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(Player()->power, 90);
}

TEST_F(Water, NoJumpingOffTheBottom) {
  Arena().Fill(2, 2, 12, 10, 14, 1).Player(128, kStandY).Start();
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(Player()->y, kStandY);
}

struct SlideCase {
  uint16_t tile;
  int direction;  // -1 left, +1 right
};
class Slides : public Movement, public ::testing::WithParamInterface<SlideCase> {};

TEST_P(Slides, CarryThePlayerDownhill) {
  Arena().Tile(1, 10, 14, GetParam().tile).Player(320, kStandY).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FLOAT_EQ(Player()->speed, 3.0f * float(GetParam().direction));
  EXPECT_EQ(Player()->x, 320 + 3 * GetParam().direction);
  EXPECT_EQ(Player()->mode, GetParam().direction < 0 ? 2 : 1);
}
INSTANTIATE_TEST_SUITE_P(Movement, Slides,
                         ::testing::Values(SlideCase{660, -1}, SlideCase{679, -1}, SlideCase{680, 1},
                                           SlideCase{699, 1}));

struct HazardCase {
  int layer;
  uint16_t tile;
};
class Hazards : public Movement, public ::testing::WithParamInterface<HazardCase> {};

TEST_P(Hazards, KillOnContact) {
  Arena().Tile(GetParam().layer, 4, 14, GetParam().tile).Player(128, kStandY).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(Player(), nullptr);
  EXPECT_EQ(fragment_list.Count(), 6u);
}
INSTANTIATE_TEST_SUITE_P(Movement, Hazards,
                         ::testing::Values(HazardCase{1, 11}, HazardCase{1, 40}, HazardCase{2, 600},
                                           HazardCase{2, 700}));

}  // namespace
}  // namespace vn::test
