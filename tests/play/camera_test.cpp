// The view following the player and the look key.
#include <gtest/gtest.h>

#include "app/resources.h"
#include "play/play_loop.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/map.h"

namespace vn::test {
namespace {

class Camera : public GameTest {
 protected:
  void WideLevel(int32_t player_x_start = 128) {
    LevelBuilder level(120, 60);
    level.Floor(kFloorRow).Player(player_x_start, kStandY);
    level.Start();
  }
  static bool ShiftsInRange() {
    return cam_shift_x >= -32 && cam_shift_x <= 0 && cam_shift_y >= -32 && cam_shift_y <= 0;
  }
};

TEST_F(Camera, FollowKeepsThePlayerInTheBoxAndTheShiftsInRange) {
  WideLevel();
  HoldKey(kRight);
  for (int i = 0; i < 400; ++i) {
    ASSERT_TRUE(StepFrames(1));
    ASSERT_TRUE(ShiftsInRange()) << "frame " << i << ": " << cam_shift_x << ", " << cam_shift_y;
    // The box edge is 500; the view follows a frame late, so allow one frame's walk.
    ASSERT_LE(ScreenX(Player()->x), 500 + 8) << "frame " << i;
  }
  EXPECT_GT(cam_tile_x, 20);
  ReleaseKey(kRight);
  HoldKey(kLeft);
  for (int i = 0; i < 250; ++i) {
    ASSERT_TRUE(StepFrames(1));
    ASSERT_TRUE(ShiftsInRange()) << "frame " << i;
    ASSERT_GE(ScreenX(Player()->x), 300 - 8) << "frame " << i;
  }
  EXPECT_LT(cam_tile_x, 20);
}

TEST_F(Camera, ForegroundFollowsThePlayersSpeedOnlyWhileScrolling) {
  WideLevel();
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(5));
  EXPECT_EQ(fg_offset, 0.0f) << "the player is still inside the box";
  ASSERT_TRUE(StepUntil([] { return cam_tile_x > 0; }, 200));
  EXPECT_FLOAT_EQ(fg_offset, Player()->speed);
}

TEST_F(Camera, LookModeStopsTenTilesOutAndJumpsBackExactly) {
  // A home away from the map's corner, with the player in the middle of the box.
  WideLevel(544);
  cam_tile_x = 5;
  cam_tile_y = 3;
  HoldKey(kLook);
  HoldKey(kRight);
  HoldKey(kDown);
  ASSERT_TRUE(StepFrames(4));
  EXPECT_EQ(cam_tile_x * 32 - cam_shift_x, 5 * 32 + 24) << "6 px per frame";
  ASSERT_TRUE(StepFrames(200));  // far more than 10 tiles at 6 px per frame
  EXPECT_EQ(cam_tile_x, 15);
  EXPECT_EQ(cam_tile_y, 13);
  EXPECT_EQ(Player()->x, 544) << "the direction keys must not walk while looking";
  EXPECT_TRUE(ShiftsInRange());
  ReleaseAllKeys();
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(cam_tile_x, 5) << "frame " << frame << " after the release";
    EXPECT_EQ(cam_tile_y, 3) << "frame " << frame << " after the release";
  }
  EXPECT_EQ(look_home_x, -1);
}

}  // namespace
}  // namespace vn::test
