// Creating characters and debris, firing, and the input flags of a frame.
#include <gtest/gtest.h>

#include <set>

#include "engine/input.h"
#include "app/resources.h"
#include "play/entities.h"
#include "play/movement.h"
#include "play/play_loop.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/inventory.h"
#include "world/map.h"

namespace vn::test {
namespace {

class Entities : public GameTest {};

TEST_F(Entities, CharactersFaceEitherWayWithFullBreath) {
  std::set<int> facings;
  for (int i = 0; i < 20; ++i) {
    Create_Player(10, 20, 0, 2, 255, 7, 233);
    const PlayerRef ch = character_list.Snapshot().back();
    EXPECT_EQ(ch->gunangle, ch->mode == 1 ? 0 : 180);
    EXPECT_EQ(ch->breath, 100);
    EXPECT_FLOAT_EQ(ch->speed_max, 4.0f);
    EXPECT_EQ(ch->power, 255);
    facings.insert(ch->mode);
  }
  EXPECT_EQ(facings, (std::set<int>{1, 2}));
}

TEST_F(Entities, DebrisIsSixPiecesThrownUpwards) {
  now_ms = 5000;
  Fragment_Create(64, 96);
  const auto pieces = fragment_list.Snapshot();
  ASSERT_EQ(pieces.size(), 6u);
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i]->typ, i);
    EXPECT_EQ(pieces[i]->x, 64);
    EXPECT_LT(pieces[i]->speedy, -3.19f);
    EXPECT_GE(pieces[i]->timeout, 6500);
    EXPECT_LE(pieces[i]->timeout, 7850);
  }
}

TEST_F(Entities, GunsFireFromTheMuzzleAndUseTheirAmmunition) {
  PlayerRef ch = AddCharacter(100, 100);
  now_ms = 10000;
  PlayerFire(*ch);
  ASSERT_EQ(shot_list.Count(), 1u);
  EXPECT_FLOAT_EQ(shot_list.First()->x, 148);  // 32 px right of the centre
  EXPECT_FLOAT_EQ(shot_list.First()->y, 116);
  EXPECT_EQ(ch->shot_timer, 10900);

  ch->gun = 1;
  ch->shot_timer = 0;
  PlayerFire(*ch);
  EXPECT_EQ(shot_list.Count(), 1u) << "no ammunition, no shot";
  EXPECT_EQ(ch->shot_timer, 0);
  inventory[21] = {1, 2};
  PlayerFire(*ch);
  EXPECT_EQ(shot_list.Count(), 2u);
  EXPECT_EQ(inventory[21][1], 1);
  EXPECT_EQ(ch->shot_timer, 10065);
}

TEST_F(Entities, DrawnGunAimsAtTheEnemyWithACrosshairAndFiresWhileTheActionKeyIsHeld) {
  const ImageRef shipped = crosshair_image;
  crosshair_image = SolidImage(8, 8, 0, 200, 0);
  SetImageHandlePoint(crosshair_image, 4, 4);
  LevelBuilder level(40, 20);
  // The enemy stands on a block up and to the right of the player.
  level.Floor(kFloorRow).Tile(0, 10, 9, 1).Player(128, kStandY).Enemy(320, 256);
  level.Start();
  TapKey(kDrawWeapon);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(Player()->gun_active, 1);
  EXPECT_EQ(Player()->gunangle, 315);
  EXPECT_TRUE(PixelIs(ScreenX(320) + 16, ScreenY(256) - 5, 0, 200, 0)) << "the crosshair over the enemy";
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  bool fired = false;
  for (const auto& shot : shot_list.Snapshot()) fired = fired || (shot->from == 0 && shot->angle == 315.0f);
  EXPECT_TRUE(fired);
  crosshair_image = shipped;
}

TEST_F(Entities, InputFlagsTakeKeysThenTheStickAndButtons) {
  TapKey(kJump);
  HoldKey(kRight);
  ReadInputFlags();
  EXPECT_EQ(hit_jump, 1);
  EXPECT_EQ(held_jump, 0);
  EXPECT_EQ(held_right, 1);
  ReadInputFlags();
  EXPECT_EQ(hit_jump, 0) << "presses are taken once";
  ReleaseAllKeys();

  InjectPadAxis(0, -1.0f);
  InjectPadButton(2, true);
  ReadInputFlags();
  ReadInputFlags();
  EXPECT_EQ(hit_left, 1) << "a stick at its end presses every frame";
  EXPECT_EQ(held_action, 1);
  InjectPadAxis(0, -0.99f);
  ReadInputFlags();
  EXPECT_EQ(held_left, 0);
}

}  // namespace
}  // namespace vn::test
