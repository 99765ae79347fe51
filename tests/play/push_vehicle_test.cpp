// Rolling blocks and riding vehicles.
#include <gtest/gtest.h>

#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/save_load.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn::test {
namespace {

constexpr int kRow = kFloorRow - 1;

class Pushing : public GameTest {
 protected:
  // Player in column 4, a block of `tile` in column `block_col` on the floor row.
  LevelBuilder Room(int block_col, uint16_t tile = 680) {
    LevelBuilder level(30, 20);
    level.Floor(kFloorRow).Tile(0, block_col, kRow, tile).Player(128, kStandY);
    return level;
  }
  void Push(int direction_key) {
    HoldKey(kAction);
    TapKey(direction_key);
    ASSERT_TRUE(StepFrames(1));
    ASSERT_EQ(push_vehicle.pushing, 1);
  }
};

TEST_F(Pushing, BlockRollsOneCellInThirtyTwoFramesWithAFullTurn) {
  Room(5).Start();
  Push(kRight);
  EXPECT_EQ(GetTile(5, kRow, 0), 0);
  ASSERT_TRUE(StepFrames(30));
  EXPECT_EQ(push_vehicle.pushing, 1) << "still rolling after 31 frames";
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.pushing, 0);
  EXPECT_EQ(GetTile(6, kRow, 0), 680);
  EXPECT_EQ(Player()->x, 160);
  EXPECT_FLOAT_EQ(push_vehicle.push_angle, 360.0f);
  EXPECT_EQ(RecordedChanges(), (MapChanges{{5, kRow, 0, 0}, {6, kRow, 0, 680}}));
}

TEST_F(Pushing, BlockCanBePulledAlong) {
  Room(5).Start();
  Push(kLeft);
  ASSERT_TRUE(StepUntil([] { return push_vehicle.pushing == 0; }, 40));
  EXPECT_EQ(GetTile(4, kRow, 0), 680);
  EXPECT_EQ(GetTile(5, kRow, 0), 0);
  EXPECT_EQ(Player()->x, 96);
  EXPECT_EQ(Player()->mode, 2);
}

TEST_F(Pushing, BlockedBeyondOrNotPushableStaysPut) {
  Room(5).Tile(0, 6, kRow, 1).Start();
  HoldKey(kAction);
  TapKey(kRight);
  ASSERT_TRUE(StepFrames(3));
  EXPECT_EQ(push_vehicle.pushing, 0);
  ReleaseAllKeys();

  // 700 is pushable only from its right side, also when a block on the
  // player's left could start a push.
  for (const uint16_t left : {uint16_t(0), uint16_t(680)}) {
    ReleaseAllKeys();
    Room(5, 700).Tile(0, 3, kRow, left).Start();
    HoldKey(kAction);
    TapKey(kRight);
    ASSERT_TRUE(StepFrames(3));
    EXPECT_EQ(push_vehicle.pushing, 0) << left;
    EXPECT_EQ(GetTile(5, kRow, 0), 700) << left;
  }
}

TEST_F(Pushing, BlockOverAGapFallsAsAMapEffect) {
  Room(5).Tile(0, 6, kFloorRow, 0).Start();
  Push(kRight);
  ASSERT_TRUE(StepUntil([] { return push_vehicle.pushing == 0; }, 40));
  EXPECT_EQ(GetTile(6, kRow, 0), 0);
  EXPECT_EQ(RecordedChanges(), (MapChanges{{5, kRow, 0, 0}, {6, kRow, 0, 680}, {6, kRow, 0, 0}}));
  bool falling = false;
  for (const auto& e : world.map_effect_list.Snapshot())
    if (e->typ == 2 && e->tile == 680 && e->x == 192 && e->layer == 0) falling = true;
  EXPECT_TRUE(falling);
}

TEST_F(Pushing, LoadingAGameStopsABlockInFlight) {
  Room(5).Start();
  ASSERT_TRUE(StepFrames(2));
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  Push(kRight);
  ReleaseAllKeys();
  TapKey(kF3);
  ASSERT_TRUE(StepFrames(40));
  EXPECT_EQ(push_vehicle.pushing, 0);
  EXPECT_EQ(GetTile(5, kRow, 0), 680) << "the loaded map keeps its block";
  EXPECT_EQ(GetTile(6, kRow, 0), 0) << "the block rolling before the load must not land in the loaded map";
}

class Vehicles : public GameTest {
 protected:
  LevelBuilder Boat(uint16_t tile) {
    LevelBuilder level(40, 20);
    level.Floor(kFloorRow).Tile(1, 4, kRow, tile).Player(128, kStandY);
    return level;
  }
};

TEST_F(Vehicles, EnterRideAndLeave) {
  Boat(651).Tile(0, 8, kFloorRow, 0).Tile(0, 9, kFloorRow, 0).Start();
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.in_vehicle, 1);
  EXPECT_EQ(push_vehicle.vehicle_tile, 651);
  EXPECT_EQ(GetTile(4, kRow, 1), 0);
  ASSERT_EQ(progress.change_list.Count(), 1u);
  EXPECT_EQ(progress.change_list.First()->tile_new, 0);
  EXPECT_EQ(Player()->mode == 5 || Player()->mode == 6, true);

  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(40));
  EXPECT_FLOAT_EQ(Player()->speed_max, 7.0f);
  EXPECT_EQ(Player()->y, kStandY) << "a vehicle keeps its height over the gap";
  ReleaseKey(kRight);
  ASSERT_TRUE(StepFrames(30));
  EXPECT_EQ(Player()->mode, 5) << "keeps facing right with the keys released";

  const int32_t col = (Player()->x + 16) / 32;
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.in_vehicle, 0);
  EXPECT_EQ(GetTile(col, kRow, 1), 651);
  EXPECT_EQ(Player()->mode, 1);
  EXPECT_LT(Player()->tempy, 0.0f);
  EXPECT_EQ(progress.change_list.Snapshot().back()->tile_new, 651);
}

TEST_F(Vehicles, LeftBeyondTheMapsArraysNothingIsRecordedAndTheSaveLoads) {
  LevelBuilder level(20, 20);
  level.Floor(kFloorRow).Tile(1, 4, kRow, 651).Player(128, kStandY);
  level.Start();
  TapKey(kJump);
  HoldKey(kRight);
  ASSERT_TRUE(StepUntil([] { return Player()->x + 16 >= 23 * 32; }, 200)) << "past the three spare columns";
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.in_vehicle, 0);
  EXPECT_EQ(RecordedChanges(), (MapChanges{{4, kRow, 1, 0}}));
  ASSERT_TRUE(SaveGame(1));
  EXPECT_EQ(LoadGame(), 1) << run.last_save_error;
}

TEST_F(Vehicles, EnteringFromBelowLiftsThePlayerIntoTheVehicle) {
  LevelBuilder level(40, 20);
  level.Floor(kFloorRow).Tile(1, 4, kRow - 1, 652).Player(128, kStandY);
  level.Start();
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.in_vehicle, 1);
  EXPECT_EQ(push_vehicle.vehicle_tile, 652);
  EXPECT_EQ(Player()->y, kStandY - 32);
  EXPECT_EQ(GetTile(4, kRow - 1, 1), 0);
}

TEST_F(Vehicles, TheCrashingVehicleKillsOnGround) {
  Boat(650).Start();
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(Player(), nullptr);
  EXPECT_EQ(push_vehicle.in_vehicle, 0);
  bool wreck = false;
  for (const auto& e : world.map_effect_list.Snapshot())
    if (e->typ == 1 && e->layer == 1 && (e->tile == 650 || e->tile == 651)) wreck = true;
  EXPECT_TRUE(wreck);
}

TEST_F(Vehicles, WithVehiclesHereAndAboveOnlyTheOneHereIsTaken) {
  Boat(651).Tile(1, 4, kRow - 1, 653).Start();
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.vehicle_tile, 651);
  EXPECT_EQ(GetTile(4, kRow - 1, 1), 653);
  EXPECT_EQ(progress.change_list.Count(), 1u);
}

TEST_F(Vehicles, ANewRunStartsOnFoot) {
  push_vehicle.in_vehicle = 1;  // left riding when the previous run ended with Escape
  push_vehicle.vehicle_tile = 651;
  Boat(0).Start();
  EXPECT_EQ(push_vehicle.in_vehicle, 0);
}

}  // namespace
}  // namespace vn::test
