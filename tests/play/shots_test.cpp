// Bullets: flight, the window margin, walls, breakable tiles and damage.
#include <gtest/gtest.h>

#include <vector>

#include "app/resources.h"
#include "engine/graphics.h"
#include "engine/sound.h"
#include "play/assets.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "play/shots.h"
#include "tests/support/harness.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

class Shots : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetGameState();
    ResizeMap(40, 30);
  }
  void TearDown() override { play_assets.effect_sounds[0].reset(); }

  static ShotRef Fire(float x, float y, float angle, uint8_t from = 0, uint8_t typ = 0) {
    shot_create(x, y, from, angle, typ);
    return world.shot_list.Snapshot().back();
  }
  static PlayerRef Character(int32_t x, int32_t y, uint8_t typ, int32_t power = 100) {
    Create_Player(x, y, typ, 0, 100, 0, 0);
    PlayerRef ch = world.character_list.Snapshot().back();
    ch->power = power;
    return ch;
  }
  static bool InFlight(const ShotRef& s) {
    for (const ShotRef& other : world.shot_list.Snapshot())
      if (other == s) return true;
    return false;
  }
};

// Flies 42 px per frame and ends in the frame whose starting point lies more
// than 50 px outside the 800 x 600 window, on any side.
TEST_F(Shots, FliesUntilItsStartingPointIsFarOutsideTheWindow) {
  struct Case { float angle; float limit; bool along_x; float sign; };
  for (const Case c : {Case{0, 850, true, 1}, Case{180, -50, true, -1}, Case{90, 650, false, 1},
                       Case{270, -50, false, -1}}) {
    SCOPED_TRACE(c.angle);
    world.shot_list.Clear();
    ShotRef s = Fire(400, 300, c.angle);
    for (int frame = 0; frame < 40; ++frame) {
      const float start = c.along_x ? s->x : s->y;
      UpdateShots();
      const float now = c.along_x ? s->x : s->y;
      EXPECT_NEAR(now - start, 42.0f * c.sign, 0.01f);
      const bool beyond = c.sign > 0 ? start > c.limit : start < c.limit;
      ASSERT_EQ(InFlight(s), !beyond) << "frame " << frame << " started at " << start;
      if (beyond) break;
    }
    EXPECT_FALSE(InFlight(s));
  }
}

TEST_F(Shots, IsDrawnRedWhereTheFrameFoundIt) {
  camera.cam_tile_x = 1;
  camera.cam_shift_x = -5;   // world x 237 is screen x 200
  Fire(237, 300, 0);
  SetColor(255, 255, 255);
  Cls();
  UpdateShots();
  PixmapRef shot = GrabPixmap(200, 300, 2, 2);
  PixmapRef beside = GrabPixmap(202, 300, 1, 1);
  uint8_t rgba[4];
  GetPixelRGBA(*shot, 1, 1, rgba);
  EXPECT_NEAR(rgba[0], 255, 1);
  EXPECT_NEAR(rgba[1], 0, 1);
  GetPixelRGBA(*beside, 0, 0, rgba);
  EXPECT_NEAR(rgba[1], 255, 1);
}

// Within 16 px of the map border the tiles are not looked at.
TEST_F(Shots, IgnoresTilesAlongTheMapBorder) {
  ResizeMap(25, 19);   // 800 x 608 pixels, all solid
  for (int col = 0; col < 25; ++col)
    for (int row = 0; row < 19; ++row) SetTile(col, row, 0, 1);
  struct Case { float x, y, angle; bool flies_on; };
  for (const Case c : {Case{10, 300, 90, true}, Case{20, 300, 90, false}, Case{790, 300, 90, true},
                       Case{780, 300, 90, false}, Case{300, 600, 0, true}, Case{300, 10, 0, true},
                       Case{300, 300, 0, false}}) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    world.shot_list.Clear();
    ShotRef s = Fire(c.x, c.y, c.angle);
    UpdateShots();
    EXPECT_EQ(InFlight(s), c.flies_on);
  }
}

TEST_F(Shots, BreaksTile24IntoRubbleAndRecordsBothChanges) {
  TAudioSample silence{std::vector<uint8_t>(8000, 128), 8000, 8000, 1};
  play_assets.effect_sounds[0] = CreateSound(silence, 0);
  StopAllSounds();
  SetTile(5, 5, 0, 24);
  // The third point (164, 176) breaks cell (5, 5). Broken in an earlier
  // sub-step, the cell would be clear by the third and the bullet fly on.
  ShotRef s = Fire(122, 176, 0);
  UpdateShots();

  EXPECT_FALSE(InFlight(s));
  EXPECT_EQ(GetTile(5, 5, 0), 0);
  EXPECT_EQ(GetTile(5, 5, 1), 57);
  EXPECT_EQ(ActiveVoiceCount(), 1);
  EXPECT_EQ(test::RecordedChanges(), (test::MapChanges{{5, 5, 1, 57}, {5, 5, 0, 0}}));
}

// Only the third sub-step decides whether a bullet ends; a character is hurt
// once for every sub-step point inside its cell.
TEST_F(Shots, HurtsOncePerSubStepPointAndOnlyTheLastPointEndsIt) {
  struct Case { float start_x; uint8_t typ; int hits; bool flies_on; };
  for (const Case c : {Case{190, 1, 3, false}, Case{190, 0, 3, false}, Case{180, 1, 2, false},
                       Case{205, 1, 1, true}}) {
    SCOPED_TRACE(testing::Message() << c.start_x << " typ " << int(c.typ));
    world.character_list.Clear();
    world.shot_list.Clear();
    PlayerRef target = Character(200, 100, c.typ, 200);   // points 14 px apart at y 116
    ShotRef s = Fire(c.start_x, 116, 0);
    UpdateShots();
    EXPECT_EQ(target->power, 200 - 35 * c.hits);
    EXPECT_EQ(InFlight(s), c.flies_on);
  }
}

TEST_F(Shots, FliesOnWhenOnlyEarlierSubStepsTouchedAWall) {
  SetTile(5, 5, 0, 1);
  ShotRef s = Fire(150, 176, 0);   // 164 and 178 are in the wall, 192 beyond it
  UpdateShots();
  EXPECT_TRUE(InFlight(s));
  EXPECT_EQ(GetTile(5, 5, 0), 1);
}

// Only the third point (202, 116) lies in the target's cell. A player's shot
// explodes at the hit and where it ends; an enemy's only where it ends, after
// taking 45 % of its power from the player.
TEST_F(Shots, ExplosiveShotExplodesAtTheHitOnlyWhenThePlayerFiredIt) {
  struct Case { uint8_t from; size_t explosions; int32_t power_left; };
  for (const Case c : {Case{0, 2, 100 - 100 - 2 * BlastDamage(100, -2)},
                       Case{1, 1, 55 - BlastDamage(100, -2)}}) {
    SCOPED_TRACE(int(c.from));
    SetUp();
    PlayerRef target = Character(200, 100, c.from == 0 ? 1 : 0);
    run.player_x = 200;
    run.player_y = 100;
    Fire(160, 116, 0, c.from, 2);
    UpdateShots();
    EXPECT_EQ(world.explosion_list.Count(), c.explosions);
    EXPECT_EQ(target->power, c.power_left);
  }
}

TEST_F(Shots, EnemyShotTakes45PercentTruncatedFromThePlayerOnly) {
  struct Case { uint8_t typ; int32_t power; int32_t left; };
  for (const Case c : {Case{0, 100, 84}, Case{1, 100, 95}, Case{1, 3, -1}}) {
    SCOPED_TRACE(int(c.typ));
    world.character_list.Clear();
    world.shot_list.Clear();
    PlayerRef player = Character(200, 100, 0, c.power);
    PlayerRef enemy = Character(200, 100, 1);
    run.player_x = 200;
    run.player_y = 100;
    ShotRef s = Fire(160, 116, 0, 1, c.typ);
    UpdateShots();
    EXPECT_EQ(player->power, c.left);
    EXPECT_EQ(enemy->power, 100);
    EXPECT_FALSE(InFlight(s));
  }
}

}  // namespace
}  // namespace vn
