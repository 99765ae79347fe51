// Pick-ups, switches, locks, automatic cells and saving with F1.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <memory>

#include "app/resources.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/tables.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/map_effects.h"
#include "world/map.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn::test {
namespace {

constexpr int kCol = 4;
constexpr int kRow = kFloorRow - 1;

class Items : public GameTest {
 protected:
  // The player stands on cell (kCol, kRow), which holds `object` with `code`.
  LevelBuilder Room(uint16_t object, uint8_t code = 0) {
    LevelBuilder level(40, 20);
    level.Floor(kFloorRow).Tile(1, kCol, kRow, object).Code(kCol, kRow, code).Player(kCol * 32, kStandY);
    return level;
  }
  static bool ChangeRecorded(int x, int y, int layer, int tile) {
    const MapChanges all = RecordedChanges();
    return std::find(all.begin(), all.end(), std::array{x, y, layer, tile}) != all.end();
  }
};

struct PickUpCase {
  uint16_t object;
  uint8_t code;
  int slot;
  uint16_t count;
  const char* notice;   // how the notice starts: the item's name, or how to use a thing picking up does not use
};
class PickUps : public Items, public ::testing::WithParamInterface<PickUpCase> {};

TEST_P(PickUps, GoIntoTheBagAndLeaveAChangeRecord) {
  const PickUpCase c = GetParam();
  Room(c.object, c.code).Start();
  progress.inventory[size_t(c.slot)][1] = 3;
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(progress.inventory[size_t(c.slot)][0], 1);
  EXPECT_EQ(progress.inventory[size_t(c.slot)][1], 3 + c.count);
  EXPECT_EQ(GetTile(kCol, kRow, 1), 0);
  EXPECT_TRUE(ChangeRecorded(kCol, kRow, 1, 0));
  EXPECT_EQ(CurrentNotice().rfind(c.notice, 0), 0u) << CurrentNotice();
}
INSTANTIATE_TEST_SUITE_P(Items, PickUps,
                         ::testing::Values(PickUpCase{230, 25, 0, 25, "Geld"},   // money adds its code
                                           PickUpCase{232, 0, 2, 1, "Schlüssel"},
                                           PickUpCase{249, 0, 19, 1, "Kristallkugel"},
                                           PickUpCase{231, 0, 1, 1, "Heiltrank eingesteckt: bei Bedarf im Inventar"},
                                           PickUpCase{251, 0, 21, 40, "Maschinengewehr eingesteckt"},
                                           PickUpCase{252, 0, 22, 4, "Raketenwerfer eingesteckt"}));

// Ammunition for a gun already in the bag or in hand is only counted.
TEST_F(Items, AmmunitionForAKnownGunNamesOnlyTheAmmunition) {
  Room(251, 0).Start();
  progress.inventory[21] = {1, 5};
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Munition");
  Room(252, 0).Start();
  Player()->gun = 2;
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Raketen");
}

TEST_F(Items, MoneyCountStopsAtTheTopInsteadOfWrapping) {
  Room(230, 200).Start();
  progress.inventory[0][1] = 65500;
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(progress.inventory[0][1], 65535);
}

TEST_F(Items, SwitchFiresItsAction) {
  for (uint16_t sw : {uint16_t(260), uint16_t(262), uint16_t(264)}) {
    Room(sw, 7).Action(7, 20, 3, 99, 0).Start();
    TapKey(kAction);
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(GetTile(20, 3, 0), 99) << "switch " << sw;
    EXPECT_TRUE(ChangeRecorded(20, 3, 0, 99));
  }
}

TEST_F(Items, LockNeedsAKeyAndUsesItUp) {
  Room(285, 9).Action(9, 20, 3, 77, 0).Start();
  progress.inventory[2] = {1, 0};  // marked held with none left, as a damaged save may have it
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(20, 3, 0), 0) << "opened without a key";
  EXPECT_EQ(progress.inventory[2][1], 0) << "the count must not wrap";

  progress.inventory[2] = {1, 1};
  TapKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(20, 3, 0), 77);
  EXPECT_EQ(progress.inventory[2][0], 0);
  EXPECT_EQ(progress.inventory[2][1], 0);
}

TEST_F(Items, AutomaticCellFiresOnceOnTheGround) {
  LevelBuilder airborne(40, 20);
  airborne.Floor(kFloorRow).Code(kCol, 6, 210).Action(210, 20, 3, 55, 0).Player(kCol * 32, 6 * 32);
  airborne.Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(20, 3, 0), 0) << "fired in the air";

  Room(0, 210).Action(210, 20, 3, 55, 0).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(20, 3, 0), 55);
  EXPECT_EQ(GetCode(kCol, kRow), 0);
  ASSERT_EQ(progress.autoswitch_list.Count(), 1u);
  EXPECT_EQ(progress.autoswitch_list.First()->x, kCol);
  EXPECT_EQ(progress.autoswitch_list.First()->y, kRow);

  SetTile(20, 3, 0, 0);
  ASSERT_TRUE(StepFrames(5));
  EXPECT_EQ(GetTile(20, 3, 0), 0) << "fired a second time";
  EXPECT_EQ(progress.autoswitch_list.Count(), 1u);

  // 249 is the last automatic code; 200 is none, and 250 is the exit.
  Room(0, 249).Action(249, 20, 3, 56, 0).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(20, 3, 0), 56);
  Room(0, 200).Action(200, 20, 3, 57, 0).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(20, 3, 0), 0) << "200 fired";
  EXPECT_TRUE(progress.autoswitch_list.IsEmpty());
  Room(0, 250).Action(250, 20, 3, 58, 0).Start("Tutorial", 0);
  EXPECT_FALSE(StepFrames(1)) << "the exit ends the tutorial";
  EXPECT_EQ(GetTile(20, 3, 0), 0) << "250 fired";
}

TEST_F(Items, SignShowsTheTextBeforeItsCodeAndIgnoresNumbersOutsideTheTable) {
  // A short first text and a long second one tell the two apart by the box's width.
  // The player stands in the lower half, so the box is at the top, under the bars.
  constexpr int kBoxRow = 44 + 5;
  const auto shipped = tables.tutorial_texts;
  tables.tutorial_texts[0] = "i";
  tables.tutorial_texts[1] = std::string(60, 'W');
  Room(58, 2).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(PixelIs(240, kBoxRow, 30, 30, 30)) << "code 2 shows the long text";
  Room(58, 1).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(PixelIs(400, kBoxRow, 30, 30, 30)) << "the dark box above the text";
  EXPECT_TRUE(PixelIs(240, kBoxRow, 255, 255, 255)) << "code 1 shows the short text";
  tables.tutorial_texts = shipped;
  for (uint8_t code : {uint8_t(0), uint8_t(10), uint8_t(200)}) {
    Room(58, code).Start();
    ASSERT_TRUE(StepFrames(1));
    EXPECT_TRUE(PixelIs(400, kBoxRow, 255, 255, 255)) << "code " << int(code);
  }
}

class Saving : public Items {
 protected:
  bool Saved() { return std::filesystem::exists(kSaveGamePath); }
};

TEST_F(Saving, F1SavesOnlyStandingOutsideTheTutorialAndNotWhilePushingOrWhileSomethingFalls) {
  Room(0).Start("Tutorial", 0);
  ASSERT_TRUE(StepFrames(2));
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FALSE(Saved()) << "saved in the tutorial";

  Room(0).Start();
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(3));
  ASSERT_EQ(Player()->jump, 1);
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FALSE(Saved()) << "saved in a jump";
  ReleaseKey(kJump);

  Room(0).Tile(0, kCol + 1, kRow, 680).Start();
  HoldKey(kAction);
  TapKey(kRight);
  ASSERT_TRUE(StepFrames(2));
  ASSERT_EQ(push_vehicle.pushing, 1);
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FALSE(Saved()) << "saved while pushing";
  ReleaseAllKeys();

  // A save does not hold running effects: a toppling column saved mid-fall would be lost.
  Room(0).Start();
  auto falling = std::make_shared<Tmap_effects>();
  falling->typ = 2;
  falling->tile = 1;
  falling->x = 64;
  falling->timeout = std::numeric_limits<int32_t>::max();
  world.map_effect_list.AddLast(falling);
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FALSE(Saved()) << "saved while something falls";
  falling->timeout = 0;   // ends in the next frame
  ASSERT_TRUE(StepFrames(1));
  ASSERT_EQ(world.map_effect_list.Count(), 0u);

  Room(0).Start();
  ASSERT_TRUE(StepFrames(2));
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(Saved());
}

}  // namespace
}  // namespace vn::test
