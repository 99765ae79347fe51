// Enemies: line of sight, target choice of the aimed gun, reaction, firing and patrol.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "engine/numbers.h"
#include "play/enemies.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "tests/support/harness.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int kFloorRow = 10;     // enemies stand at y 288
constexpr int32_t kStandY = 288;

class Enemies : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetGameState();
    ResizeMap(40, 20);
    for (int col = 0; col < 40; ++col) SetTile(col, kFloorRow, 0, 1);
    run.now_ms = 10000;
    run.player_x = run.player_y = 5000;   // far out of every window until a test places the player
  }

  static PlayerRef Spawn(int32_t x, int32_t y, uint8_t typ = 1) {
    Create_Player(x, y, typ, 0, 100, 0, 0);
    return world.character_list.Snapshot().back();
  }
  static void PlacePlayer(int32_t x, int32_t y) {
    Spawn(x, y, 0);
    run.player_x = x;
    run.player_y = y;
  }
  // The walls are all the enemy step reads from the probes.
  static TileProbes Walls(const Tplayer& e) {
    TileProbes p;
    p.wall_left = TileAtPixel(e.x - 1, e.y + 16, 0);
    p.wall_right = TileAtPixel(e.x + 32, e.y + 16, 0);
    return p;
  }
  static void Step(Tplayer& e) { EnemyStep(e, Walls(e)); }
  static void Wall(int col, int cells) {
    for (int i = 0; i < cells; ++i) SetTile(col, kFloorRow - 1 - i, 0, 1);
  }
  // Steps e on a 16 ms clock from now until it fires: the first shot comes in
  // the frame that passes 320 ms of sight, not before.
  static void ExpectFirstShotAfterTheReactionTime(Tplayer& e) {
    const int32_t since = run.now_ms;
    while (world.shot_list.IsEmpty() && run.now_ms < since + 1000) {
      Step(e);
      if (world.shot_list.IsEmpty()) run.now_ms += 16;
    }
    EXPECT_GT(run.now_ms, since + 320);
    EXPECT_LE(run.now_ms, since + 320 + 16);
  }
};

// The ray from (80, 80) runs at 20 degrees with sample points 30 px across and
// 10 px down: (110, 90), (140, 100), ... reaching the target at (380, 180).
// Cell (3, 3) lies on the line but holds no sample point.
TEST_F(Enemies, LineOfSightIsBlockedOnlyWhereASamplePointFallsIntoAWall) {
  struct Case { int col, row; bool seen; };
  for (const Case c : {Case{-1, -1, true}, Case{3, 3, true}, Case{3, 2, false}, Case{4, 3, false},
                       Case{11, 5, true}}) {
    SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
    ResizeMap(40, 20);
    if (c.col >= 0) SetTile(c.col, c.row, 0, 1);
    EXPECT_EQ(LineOfSight(80, 80, 64, 64, 364, 174), c.seen);
  }
  ResizeMap(10, 10);   // a target beyond the map's edge is never reached
  EXPECT_FALSE(LineOfSight(80, 80, 64, 64, 400, 64));
}

TEST_F(Enemies, AimedGunPicksTheFirstVisibleEnemyInListOrderNotTheNearest) {
  SetTile(1, kFloorRow - 1, 0, 1);
  Spawn(0, kStandY);     // behind the wall in column 1
  PlayerRef far = Spawn(400, kStandY);
  PlayerRef near = Spawn(200, kStandY);
  Spawn(470, kStandY);   // right edge beyond the half window
  Spawn(100, kStandY, 0);
  EXPECT_EQ(FindVisibleEnemy(100, kStandY, 400, 300), far);
  world.character_list.Remove(far);
  EXPECT_EQ(FindVisibleEnemy(100, kStandY, 400, 300), near);
  world.character_list.Remove(near);
  EXPECT_EQ(FindVisibleEnemy(100, kStandY, 400, 300), nullptr);
}

// Sight must be held for more than 320 ms; then it fires at once with a
// spread of -2..2 degrees around the aim and the gun's delay between shots.
TEST_F(Enemies, ReactsAfter320MillisAndSpreadsItsShots) {
  PlacePlayer(200, kStandY);
  PlayerRef e = Spawn(400, kStandY);
  ExpectFirstShotAfterTheReactionTime(*e);
  EXPECT_EQ(e->gunangle, 180);
  EXPECT_EQ(e->gun_active, 1);
  ShotRef s = world.shot_list.First();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->from, 1);
  EXPECT_NEAR(s->x, 384, 0.01);
  EXPECT_NEAR(s->y, 304, 0.01);
  EXPECT_EQ(e->shot_timer, run.now_ms + 900);

  std::set<int> spreads;
  for (int i = 0; i < 200; ++i) {
    e->shot_timer = 0;
    Step(*e);
    spreads.insert(Trunc(world.shot_list.Snapshot().back()->angle) - 180);
  }
  EXPECT_EQ(spreads, (std::set<int>{-2, -1, 0, 1, 2}));
}

TEST_F(Enemies, BrakesWhileShootingWithAnInclusiveDeadBand) {
  PlacePlayer(200, kStandY);
  PlayerRef e = Spawn(400, kStandY);
  struct Case { float speed, after; };
  for (const Case c : {Case{3.0f, 2.67f}, Case{-3.0f, -2.67f}, Case{0.8f, 0}, Case{-0.6f, 0}}) {
    e->on_sight = 1;
    e->on_sight_timer = run.now_ms - 1000;
    e->speed = c.speed;
    Step(*e);
    EXPECT_NEAR(e->speed, c.after, 1e-5) << c.speed;
    EXPECT_EQ(e->anim, 0);
  }
}

TEST_F(Enemies, LosingSightRestartsTheReactionTime) {
  PlacePlayer(200, kStandY);
  PlayerRef e = Spawn(400, kStandY);
  for (int i = 0; i < 15; ++i, run.now_ms += 16) Step(*e);   // 240 ms in sight
  SetTile(9, kFloorRow - 1, 0, 1);   // a wall on the ray for one frame
  Step(*e);
  EXPECT_EQ(e->on_sight, 0);
  SetTile(9, kFloorRow - 1, 0, 0);
  run.now_ms += 16;
  ExpectFirstShotAfterTheReactionTime(*e);
}

TEST_F(Enemies, WithoutAnActionRadiusAnEnemyStaysHome) {
  test::TempGameDir dir;
  test::LevelBuilder(30, 15).Floor(kFloorRow).Enemy(320, kStandY).Enemy(640, kStandY, 100, 0, 160).Load();
  const auto enemies = world.character_list.Snapshot();
  int32_t farthest = 0;
  for (int i = 0; i < 300; ++i) {
    test::StepFrames(1);
    ASSERT_EQ(enemies[0]->x, 320) << "frame " << i;
    farthest = std::max(farthest, std::abs(enemies[1]->x - 640));
  }
  EXPECT_GT(farthest, 32) << "the enemy with a radius does patrol";
}

// The dead player's position reads 0, 0: enemies stop firing. A live player
// who has left the window stays in sight and is still shot at.
TEST_F(Enemies, HoldsFireAtADeadPlayerButNotAtOneOutOfItsWindow) {
  PlayerRef e = Spawn(400, kStandY);
  e->on_sight = 1;
  e->on_sight_timer = run.now_ms - 1000;
  run.player_x = run.player_y = 0;
  Step(*e);
  EXPECT_TRUE(world.shot_list.IsEmpty());

  run.player_x = 1000;   // beyond the half window of 400 px, behind nothing
  run.player_y = kStandY;
  Step(*e);
  EXPECT_EQ(e->on_sight, 1);
  EXPECT_EQ(world.shot_list.Count(), 1u);
}

// Through the real frame loop: the enemy reacts, fires across 284 px and the
// bullet takes 45 % of 35 (15.75, truncated) from the player for each of the
// one to three sub-step points that land in the player's cell. What the screen
// shows of it (camera at 0, so screen = world): the mark over the enemy while
// it reacts, the flash at its gun and the bullet's warm trail in the frame it
// fires, then the player's figure flashing white on and off after the hit.
TEST_F(Enemies, ShootsThePlayerInAPlayedLevelAndTheFightReadsOnScreen) {
  test::TempGameDir dir;
  test::LevelBuilder(30, 15).Floor(kFloorRow).Player(100, kStandY).Enemy(400, kStandY).Load();
  PlayerRef player = FindPlayer();
  PlayerRef enemy = world.character_list.Snapshot().back();
  ASSERT_TRUE(player);
  test::StepFrames(2);
  EXPECT_TRUE(EnemyReacting(*enemy));
  EXPECT_TRUE(test::PixelIs(416, kStandY - 12, 255, 220, 40)) << "the mark above its head";

  ASSERT_TRUE(test::StepUntil([] { return !world.shot_list.IsEmpty(); }, 30));
  EXPECT_EQ(player->power, 100);
  EXPECT_FALSE(EnemyReacting(*enemy));
  EXPECT_FALSE(test::PixelIs(416, kStandY - 12, 255, 220, 40));
  EXPECT_TRUE(test::PixelIs(394, 304, 255, 250, 210)) << "muzzle flash at the gun's end";
  // The enemy's aim spread tilts the trail by up to 2 degrees: a warm colour, not an exact one.
  const test::Rgb trail = test::PixelAt(362, 304);
  EXPECT_TRUE(trail.r > 240 && trail.g > 150 && trail.g < 240 && trail.b < 200) << "a warm trail behind the shot";
  EXPECT_TRUE(test::PixelIs(362, 308, 255, 255, 255)) << "the trail is thin";

  ASSERT_TRUE(test::StepUntil([&] { return player->power < 100; }, 30));
  EXPECT_LT(player->power, 100 - 14);
  EXPECT_GE(player->power, 100 - 3 * 16);
  test::StepFrames(1);
  EXPECT_TRUE(test::PixelIs(115, kStandY + 19, 255, 255, 255)) << "flash on";
  test::StepFrames(3);
  EXPECT_TRUE(test::PixelIs(115, kStandY + 19, 0, 0, 0)) << "flash off";
  test::StepFrames(20);
  EXPECT_TRUE(test::PixelIs(115, kStandY + 19, 0, 0, 0)) << "flash over";
}

// A wall whose top probe has four solid cells above it is given up; a lower
// one is jumped. Giving up leaves dest_x 0, so the enemy turns left at once.
TEST_F(Enemies, JumpsWallsUpToFourCellsAndGivesUpOnHigherOnes) {
  struct Case { bool right; int cells; bool jumps; };
  for (const Case c : {Case{true, 1, true}, Case{true, 4, true}, Case{true, 5, false},
                       Case{false, 3, true}, Case{false, 5, false}}) {
    SCOPED_TRACE(testing::Message() << (c.right ? "right " : "left ") << c.cells);
    SetUp();
    PlayerRef e = Spawn(320, kStandY);
    e->dest_x = c.right ? 600 : 100;
    Wall(c.right ? 11 : 9, c.cells);
    Step(*e);
    EXPECT_EQ(e->jump, c.jumps ? 1 : 0);
    EXPECT_FLOAT_EQ(e->tempy, c.jumps ? -7.8f : 0.0f);
    EXPECT_EQ(e->dest_x != 0, c.jumps);
    EXPECT_EQ(e->mode, c.jumps && c.right ? 1 : 2);
  }
}

TEST_F(Enemies, ClimbsOverAWallTopWhileFallingBesideIt) {
  Wall(11, 1);
  PlayerRef e = Spawn(320, 280);
  e->dest_x = 600;
  e->jump = 1;
  e->tempy = 2.0f;
  e->frame = 0;
  Step(*e);
  EXPECT_EQ(e->mode, 9);
  EXPECT_EQ(e->x, 323);
  EXPECT_FLOAT_EQ(e->tempy, -3.2f);
}

// At the edge of the floor the gap test decides: floor across the gap is
// jumped, a floor further down is walked off, nothing at all turns it away.
TEST_F(Enemies, GapAheadIsJumpedDroppedOrAvoided) {
  enum Outcome { kJump, kDrop, kTurn };
  struct Case { int gap_cols; bool lower_floor; Outcome outcome; };
  for (const Case c : {Case{2, false, kJump}, Case{4, false, kJump}, Case{29, true, kDrop},
                       Case{29, false, kTurn}}) {
    SCOPED_TRACE(testing::Message() << c.gap_cols << (c.lower_floor ? " lower floor" : ""));
    SetUp();
    for (int col = 11; col < 11 + c.gap_cols; ++col) SetTile(col, kFloorRow, 0, 0);
    if (c.lower_floor)
      for (int col = 0; col < 40; ++col) SetTile(col, kFloorRow + 2, 0, 1);
    PlayerRef e = Spawn(320, kStandY);
    e->dest_x = 600;
    Step(*e);
    EXPECT_EQ(e->jump, c.outcome == kJump ? 1 : 0);
    EXPECT_EQ(e->dest_x, c.outcome == kTurn ? 0 : 600);
    EXPECT_EQ(e->mode, c.outcome == kTurn ? 2 : 1);
  }
}

// Targets within 40 px of the left edge or 64 px of the right are rejected:
// dest_x stays 0, the enemy walks left for that frame and draws again next frame.
TEST_F(Enemies, RejectedTargetIsRedrawnNextFrame) {
  struct Case { int32_t source, lowest, highest; };
  for (const Case c : {Case{60, 40, 260}, Case{1200, 1000, 40 * 32 - 64}}) {
    SCOPED_TRACE(c.source);
    SetUp();
    PlayerRef e = Spawn(c.source, kStandY);
    e->action_radius = 200;
    e->x = 600;   // far from every possible target, so none counts as reached
    int rejections = 0;
    for (int frame = 0; frame < 200; ++frame) {
      Step(*e);
      if (e->dest_x == 0) {
        ++rejections;
        EXPECT_EQ(e->mode, 2);
        continue;
      }
      EXPECT_GE(e->dest_x, c.lowest);
      EXPECT_LE(e->dest_x, c.highest);
      if (rejections > 0) break;   // drawn anew after a rejection
      e->dest_x = 0;               // no rejection yet: make it draw again
    }
    EXPECT_GT(rejections, 0);
    EXPECT_NE(e->dest_x, 0);
  }
}

}  // namespace
}  // namespace vn
