// Exits, level changes, the end of a run, death and the frame's bookkeeping.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/gamepad.h"
#include "engine/input.h"
#include "engine/stream.h"
#include "engine/timing.h"
#include "play/bindings.h"
#include "play/input_flags.h"
#include "play/level_reload.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/tables.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/world.h"

namespace vn::test {
namespace {

class LevelFlow : public GameTest {
 protected:
  // Level "First" (index 1) with the player on the exit when `on_exit`, and
  // level "Second" (index 2) whose player starts at x 320.
  void TwoLevels(bool on_exit, uint8_t gun = 1) {
    LevelBuilder second(30, 20);
    second.Floor(kFloorRow).Player(320, kStandY);
    second.Write("Second");
    tables.level_names[2] = "Second";
    LevelBuilder first(30, 20);
    first.Floor(kFloorRow).Player(128, kStandY, 100, gun).Enemy(600, kStandY);
    if (on_exit) first.Code(4, kFloorRow - 1, 250);
    first.Start("First", 1);
  }
};

TEST_F(LevelFlow, ExitLoadsTheNextLevelWithTheGunInTheBag) {
  TwoLevels(false, 1);
  progress.inventory[20][0] = 1;
  RecordMapChange(1, 1, 0, 5);
  SetCode(4, kFloorRow - 1, 250);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(run.level_index, 2);
  EXPECT_EQ(progress.inventory[21][0], 1);
  EXPECT_EQ(progress.inventory[20][0], 0);
  EXPECT_TRUE(progress.change_list.IsEmpty());
  EXPECT_TRUE(progress.autoswitch_list.IsEmpty());
  ASSERT_NE(Player(), nullptr);
  EXPECT_EQ(Player()->x, 320) << "the new level's characters do not move in the frame of the change";
  EXPECT_TRUE(run.level_changed_this_frame);
  EXPECT_EQ(world.character_list.Count(), 1u);
}

TEST_F(LevelFlow, APlayerRidingIntoTheExitStartsTheNextLevelOnFoot) {
  TwoLevels(true);
  push_vehicle.in_vehicle = 1;
  push_vehicle.vehicle_tile = 651;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(run.level_index, 2);
  EXPECT_EQ(push_vehicle.in_vehicle, 0);
}

TEST_F(LevelFlow, AnEnemyReachingTheExitEndsTheLevelToo) {
  TwoLevels(false);
  SetCode(19, kFloorRow - 1, 250);  // the centre cell of the enemy at x 600
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(run.level_index, 2);
}

TEST_F(LevelFlow, CheatChordFinishesTheLevel) {
  TwoLevels(false);
  HoldKey(kAction);
  HoldKey(kLeftAlt);
  HoldKey(kPad5);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(run.level_index, 2);
}

TEST_F(LevelFlow, TutorialExitEndsTheRunAtOnce) {
  LevelBuilder level(30, 20);
  level.Floor(kFloorRow).Code(4, kFloorRow - 1, 250).Player(128, kStandY);
  level.Start("Tutorial", 0);
  EXPECT_FALSE(StepFrames(1));
  EXPECT_EQ(run.level_index, 0);
}

TEST_F(LevelFlow, AfterTheLastLevelTheRunEnds) {
  TwoLevels(true);
  tables.level_names[2].clear();
  EXPECT_FALSE(StepFrames(1));
  // The exit of the table's last entry must not read a name past the table.
  LevelBuilder last(30, 20);
  last.Floor(kFloorRow).Code(4, kFloorRow - 1, 250).Player(128, kStandY);
  last.Start("Last", 9);
  EXPECT_FALSE(StepFrames(1));
}

TEST_F(LevelFlow, LevelsThatFailToLoadEndTheRunWithAMessage) {
  TwoLevels(true);
  tables.level_names[2] = "Missing";
  EXPECT_FALSE(StepFrames(1));
  EXPECT_EQ(CurrentMenuMessage(), "Level konnte nicht geladen werden: map/Missing.vnm");
  run.level_index = 1;
  tables.level_names[1] = "Nowhere";
  EXPECT_FALSE(BeginLevelRun());
  EXPECT_EQ(CurrentMenuMessage(), "Level konnte nicht geladen werden: map/Nowhere.vnm");
}

TEST_F(LevelFlow, DeadEnemyDropsItsItemAndTheLevelRunsOn) {
  LevelBuilder level(30, 20);
  level.Floor(kFloorRow).Player(128, kStandY).Enemy(320, kStandY, 100, 0, 0, 233);
  level.Start();
  world.character_list.Snapshot().back()->power = 0;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(world.character_list.Count(), 1u);
  EXPECT_EQ(GetTile(10, kFloorRow - 1, 1), 233);
  ASSERT_EQ(progress.change_list.Count(), 1u);
  EXPECT_EQ(progress.change_list.First()->tile_new, 233);
  EXPECT_EQ(world.fragment_list.Count(), 6u);
}

// A floor over columns 0..9 of the last row only: whoever falls through the
// open part, or past the left edge, dies the ordinary death below the map.
TEST_F(LevelFlow, FallingOutOfTheMapIsAnOrdinaryDeathAndTheSaveStillLoads) {
  LevelBuilder level(20, 10);
  level.Fill(0, 0, 9, 9, 9, 1).Player(128, 256);
  level.Enemy(12 * 32, 0, 100, 0, 0, 233);   // over the open floor: its item stays in the spare row
  level.Enemy(-400, 0, 100, 0, 0, 234);      // past the left edge: its item has no cell to go to
  level.Start();
  ASSERT_TRUE(StepUntil([] { return world.character_list.Count() == 1; }, 120)) << "the enemies fell for ever";
  EXPECT_EQ(GetTile(12, 10, 1), 233);
  ASSERT_EQ(progress.change_list.Count(), 1u) << "only the drop inside the arrays is recorded";

  ASSERT_TRUE(StepFrames(2));
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  TapKey(kF3);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Gespeichert") << "the player's own save must load";
  EXPECT_EQ(world.character_list.Count(), 1u) << "the fallen enemies are not in the save";
  EXPECT_EQ(GetTile(12, 10, 1), 233);

  HoldKey(kLeft);   // off the map's left edge
  ASSERT_TRUE(StepUntil([] { return Player() == nullptr; }, 200)) << "the player fell for ever";
  EXPECT_EQ(run.player_x, 0);
  EXPECT_EQ(run.player_y, 0);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FALSE(PixelIs(30, 26, 255, 102, 102)) << "the health bar is still drawn";
  TapKey(kEscape);
  EXPECT_FALSE(StepFrames(1));
}

TEST_F(LevelFlow, AfterThePlayerDiesTheLevelRunsUntilEscapeWhichClearsTheInput) {
  TwoLevels(false);
  Player()->power = 0;
  ASSERT_TRUE(StepFrames(30));
  EXPECT_EQ(Player(), nullptr);
  EXPECT_EQ(run.player_x, 0);
  HoldKey(kRight);
  TapKey(kEscape);
  EXPECT_FALSE(StepFrames(1));
  EXPECT_EQ(IsKeyDown(kRight), 0);
}

TEST_F(LevelFlow, WithoutTheFocusTheLevelAndItsClockStandStill) {
  TwoLevels(false);
  ASSERT_TRUE(StepFrames(2));
  const int32_t clock = ClockMillis();
  const int32_t x = Player()->x;
  HoldKey(kRight);
  InjectFocusChange(false);
  ASSERT_TRUE(StepFrames(100));
  EXPECT_EQ(ClockMillis(), clock);
  EXPECT_EQ(Player()->x, x);
  InjectFocusChange(true);
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(run.now_ms, clock) << "the clock goes on from where it stood";
  ASSERT_TRUE(StepFrames(10));
  EXPECT_GT(Player()->x, x);
}

TEST_F(LevelFlow, ThePadReachesEveryPlayKeyAndTheFixedKeys) {
  TwoLevels(false);
  const int pad = AttachVirtualPad(true);
  ASSERT_GE(pad, 0);
  struct Case {
    int button;
    uint8_t* flag;
  };
  for (const Case& c : {Case{PAD_BUTTON_SOUTH, &input_flags.hit_jump}, Case{PAD_BUTTON_WEST, &input_flags.hit_action},
                        Case{PAD_BUTTON_EAST, &input_flags.hit_draw_weapon}, Case{PAD_BUTTON_DPAD_RIGHT, &input_flags.hit_right},
                        Case{PAD_BUTTON_DPAD_DOWN, &input_flags.hit_down}}) {
    TapPadButton(pad, c.button);
    ReadInputFlags();
    EXPECT_NE(*c.flag, 0) << "button " << c.button;
  }
  SetVirtualPadButton(pad, PAD_BUTTON_LEFT_SHOULDER, true);
  ReadInputFlags();
  EXPECT_NE(input_flags.held_look, 0);
  SetVirtualPadButton(pad, PAD_BUTTON_LEFT_SHOULDER, false);

  TapPadButton(pad, PAD_BUTTON_BACK);    // save, as F1
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetFileKind("data/savegame.sg"), 1);
  TapPadButton(pad, PAD_BUTTON_NORTH);   // the bag opens ...
  TapPadButton(pad, PAD_BUTTON_START);   // ... and Start closes it, not the level
  ASSERT_TRUE(StepFrames(1));
  TapPadButton(pad, PAD_BUTTON_START);
  EXPECT_FALSE(StepFrames(1)) << "Start returns to the menu";
  DetachVirtualPad(pad);
}

// The bag takes one frame per call like play, so whoever drives the frames (a
// script, a test) can open, page, use and close it, and play goes on after.
TEST_F(LevelFlow, TheBagIsBrowsedFrameByFrameAndPlayGoesOnAfterIt) {
  TwoLevels(false);
  progress.inventory[1] = {1, 1};   // one potion
  Player()->power = 40;
  const int32_t x = Player()->x;
  TapKey(bindings.key_inventory);
  ASSERT_TRUE(StepFrames(1));
  HoldKey(kRight);   // a press in the open bag pages once
  ASSERT_TRUE(StepFrames(1));
  ReleaseKey(kRight);
  ASSERT_TRUE(StepFrames(60));
  EXPECT_EQ(Player()->x, x) << "play stands still while the bag is open";
  EXPECT_EQ(run.inventory_slot, 1) << "paged to the potion";
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(Player()->power, 90);
  TapKey(bindings.key_inventory);
  ASSERT_TRUE(StepFrames(1));
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(20));
  EXPECT_GT(Player()->x, x) << "the bag closed and play went on";
}

// The level's files as a compiler leaves them after a save: new contents, a later time.
void SaveAgain(const LevelBuilder& level, const std::string& name, int seconds_later) {
  level.Write(name);
  for (const char* ext : {".vnm", ".vnd", ".eff"}) {
    const std::filesystem::path file = "map/" + name + ext;
    if (std::filesystem::exists(file))
      std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(seconds_later));
  }
}

TEST_F(LevelFlow, AWatchedLevelReloadsWhenItsFilesChangeWithThePlayerInPlace) {
  LevelBuilder level(30, 20);
  level.Floor(kFloorRow).Player(128, kStandY);
  level.Start("Watched", 1);
  ASSERT_TRUE(StepFrames(2));
  level.Tile(0, 5, kFloorRow - 1, 100);
  SaveAgain(level, "Watched", 2);
  ASSERT_TRUE(StepFrames(90));
  EXPECT_EQ(GetTile(5, kFloorRow - 1, 0), 0) << "without the watch no file is looked at";

  SetLevelReload(true);
  ASSERT_TRUE(StepFrames(2));
  Player()->x = 400;
  level.Tile(1, 8, kFloorRow - 1, 1);
  SaveAgain(level, "Watched", 4);
  EXPECT_TRUE(StepUntil([] { return GetTile(8, kFloorRow - 1, 1) == 1; }, 62)) << "reloaded within a second";
  EXPECT_EQ(GetTile(5, kFloorRow - 1, 0), 100);
  ASSERT_NE(Player(), nullptr);
  EXPECT_EQ(Player()->x, 400);
  EXPECT_EQ(Player()->y, kStandY);

  // A wall where the player stands: back to the level's start.
  level.Fill(0, 12, kFloorRow - 3, 13, kFloorRow - 1, 100);
  SaveAgain(level, "Watched", 6);
  EXPECT_TRUE(StepUntil([] { return GetTile(12, kFloorRow - 1, 0) == 100; }, 62));
  ASSERT_NE(Player(), nullptr);
  EXPECT_EQ(Player()->x, 128);

  // A damaged map file keeps the running level and says so.
  std::filesystem::resize_file("map/Watched.vnm", 9);
  std::filesystem::last_write_time("map/Watched.vnm", std::filesystem::last_write_time("map/Watched.vnm") +
                                                          std::chrono::seconds(8));
  EXPECT_TRUE(StepUntil([] { return !CurrentNotice().empty(); }, 62));
  EXPECT_EQ(CurrentNotice(), "Level konnte nicht geladen werden: map/Watched.vnm");
  EXPECT_EQ(GetTile(12, kFloorRow - 1, 0), 100);
  EXPECT_EQ(world.map_width, 30);
  EXPECT_NE(Player(), nullptr);
}

}  // namespace
}  // namespace vn::test
