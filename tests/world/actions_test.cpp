#include <gtest/gtest.h>

#include <climits>

#include "engine/graphics.h"
#include "engine/timing.h"
#include "play/play_loop.h"
#include "play/save_load.h"
#include "tests/support/harness.h"
#include "tests/world/world_test_support.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn::test {
namespace {

class Actions : public GameTest {};

TEST_F(Actions, LaterActionOnACellWinsAndBothAreRecordedInOrder) {
  LevelBuilder(4, 4).Action(3, 1, 2, 40, 1).Action(5, 0, 0, 1, 0).Action(3, 1, 2, 41, 1).Load();
  TriggerAction(3);
  EXPECT_EQ(GetTile(1, 2, 1), 41);
  EXPECT_EQ(GetTile(0, 0, 0), 0);
  EXPECT_EQ(RecordedChanges(), (MapChanges{{1, 2, 1, 40}, {1, 2, 1, 41}}));

  // Actions stay in the list: firing again applies and records them again.
  SetTile(1, 2, 1, 0);
  TriggerAction(3);
  EXPECT_EQ(GetTile(1, 2, 1), 41);
  EXPECT_EQ(progress.change_list.Count(), 4u);
}

TEST_F(Actions, CodeLayerActionStoresTheLowByteAndRecordsTheFullValue) {
  LevelBuilder(3, 3).Action(201, 2, 2, 0x1FA, 200).Load();
  TriggerAction(201);
  EXPECT_EQ(GetCode(2, 2), 250);
  EXPECT_EQ(GetTile(2, 2, 0), 0);
  EXPECT_EQ(RecordedChanges(), (MapChanges{{2, 2, 200, 0x1FA}}));
}

// The arrays hold three spare columns and rows beside the map; the level files
// may fill them, and a saved game replays that.
TEST_F(Actions, ActionsMayWriteTheSpareColumnsAndRowsAndTheGameSavesThem) {
  LevelBuilder level(5, 4);
  level.Floor(3).Player(32, 64).Action(1, 5, 0, 9, 0).Action(1, 0, 5, 0x1FA, 200).Effect(2, 7, 6, 0, 2);
  level.Start();
  TriggerAction(1);
  ASSERT_TRUE(StepFrames(5));
  EXPECT_EQ(GetTile(5, 0, 0), 9);
  EXPECT_EQ(GetCode(0, 5), 250);
  ASSERT_TRUE(SaveGame(1));
  ResizeMap(5, 4);
  ASSERT_EQ(LoadGame(), 1) << run.last_save_error;
  EXPECT_EQ(GetTile(5, 0, 0), 9);
  EXPECT_EQ(GetCode(0, 5), 250);
}

// A change the map cannot take is not recorded: the save would hold a cell its
// own check refuses, and the player's save would never load again.
TEST_F(Actions, ChangesTheMapCannotTakeAreNotRecorded) {
  LevelBuilder(3, 2).Load();
  RecordMapChange(-1, 0, 1, 5);
  RecordMapChange(0, -1, 1, 5);
  RecordMapChange(6, 0, 0, 5);
  RecordMapChange(0, 5, 200, 5);
  RecordMapChange(1, 1, 7, 5);
  RecordMapChange(5, 4, 0, 5);
  RecordMapChange(1, 1, 200, 5);
  EXPECT_EQ(RecordedChanges(), (MapChanges{{5, 4, 0, 5}, {1, 1, 200, 5}}));
}

TEST_F(Actions, FiringAnUnknownNumberChangesNothing) {
  LevelBuilder(3, 3).Action(1, 0, 0, 7, 0).Effect(1, 1, 1, 0, 2).Effect(1, 2, 1, 0, 4).Load();
  const auto before = LevelSnapshot::Take();
  TriggerAction(2);
  TriggerAction(0);
  EXPECT_TRUE(LevelSnapshot::Take() == before);
  EXPECT_TRUE(world.map_effect_list.IsEmpty());
  EXPECT_FALSE(world.topple_image);
}

TEST_F(Actions, PreparedEffectsCopyTheCellBeforeTheActionsRun) {
  LevelBuilder b(6, 6);
  b.Tile(1, 2, 3, 240).Tile(0, 4, 1, 24).Effect(8, 2, 3, 1, 2).Effect(8, 4, 1, 0, 1).Action(8, 2, 3, 0, 1);
  b.Load();
  const int32_t now = ClockMillis();
  TriggerAction(8);
  const auto effects = world.map_effect_list.Snapshot();
  ASSERT_EQ(effects.size(), 2u);

  const auto& falling = *effects[0];
  EXPECT_EQ(falling.typ, 2);
  EXPECT_EQ(falling.x, 64);
  EXPECT_EQ(falling.y, 96);
  EXPECT_EQ(falling.tile, 240);   // taken before the action cleared the cell
  EXPECT_EQ(falling.layer, 1);
  EXPECT_FLOAT_EQ(falling.speedy, 1.0f);
  EXPECT_EQ(falling.timeout, INT_MAX);
  EXPECT_EQ(GetTile(2, 3, 1), 0);

  const auto& thrown = *effects[1];
  EXPECT_EQ(thrown.typ, 1);
  EXPECT_EQ(thrown.tile, 24);
  EXPECT_EQ(thrown.timeout, now + 1500);
  EXPECT_GE(thrown.speedx, -14.0f);
  EXPECT_LT(thrown.speedx, 14.0f);
  EXPECT_GE(thrown.speedy, -16.5f);
  EXPECT_LT(thrown.speedy, -4.5f);
  EXPECT_GE(thrown.rotation_way, -1);
  EXPECT_LE(thrown.rotation_way, 1);
  EXPECT_EQ(GetTile(4, 1, 0), 24);   // an effect copies; it does not clear

  // The prepared records stay: firing again starts them again.
  TriggerAction(8);
  EXPECT_EQ(world.map_effect_list.Count(), 4u);
}

TEST_F(Actions, ColumnRecordsOfOneNumberFormOneColumn) {
  // Five records, scattered: the first names the bottom cell, the last the kind and layer.
  LevelBuilder b(12, 12);
  b.Effect(6, 3, 8, 0, 4).Effect(6, 9, 1, 0, 5).Effect(6, 0, 0, 1, 4).Effect(6, 5, 5, 2, 4).Effect(6, 7, 7, 203, 5);
  b.Load();
  TriggerAction(6);
  ASSERT_EQ(world.map_effect_list.Count(), 1u);
  const auto& column = *world.map_effect_list.First();
  EXPECT_EQ(column.typ, 5);
  EXPECT_EQ(column.layer, 203);
  EXPECT_EQ(column.x, 3 * 32 + 32);   // a column falling right turns about its bottom-right corner
  EXPECT_EQ(column.y, 8 * 32 + 32);
  EXPECT_FLOAT_EQ(column.speedy, 0.05f);
  EXPECT_EQ(column.rotation_way, 1);
  EXPECT_EQ(column.timeout, INT_MAX);
  ASSERT_TRUE(world.topple_image);
  EXPECT_EQ(GetImageWidth(world.topple_image), 32);
  EXPECT_EQ(GetImageHeight(world.topple_image), 5 * 32);
  EXPECT_FLOAT_EQ(world.topple_image->handle_x, 32);
  EXPECT_FLOAT_EQ(world.topple_image->handle_y, 160);
}

TEST_F(Actions, ColumnPictureIsGrabbedFromTheFrameAtItsScreenPlace) {
  LevelBuilder(20, 20).Effect(2, 5, 6, 0, 4).Effect(2, 5, 5, 0, 4).Load();
  camera.cam_tile_x = 1;
  camera.cam_tile_y = 2;
  camera.cam_shift_x = -8;
  // Column cells (5, 5) and (5, 6): on screen from x 4*32-8 = 120, y 3*32 = 96, 64 tall.
  SetClsColor(255, 255, 255);
  Cls();
  SetColor(0, 200, 0);
  DrawRect(120, 96, 32, 32);
  SetColor(200, 0, 0);
  DrawRect(120, 128, 32, 32);
  SetColor(255, 255, 255);
  TriggerAction(2);
  ASSERT_TRUE(world.topple_image);
  ASSERT_FALSE(world.topple_image->pixmaps.empty());
  uint8_t top[4], bottom[4];
  GetPixelRGBA(*world.topple_image->pixmaps[0], 16, 16, top);
  GetPixelRGBA(*world.topple_image->pixmaps[0], 16, 48, bottom);
  EXPECT_NEAR(top[1], 200, 1);
  EXPECT_NEAR(bottom[0], 200, 1);
  EXPECT_FLOAT_EQ(world.topple_image->handle_x, 0);   // a left-falling column turns about its bottom-left corner
  EXPECT_EQ(world.map_effect_list.First()->x, 5 * 32);
}

}  // namespace
}  // namespace vn::test
