// Explosions (blast and animation) and the debris of dead characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/timing.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "play/shots.h"
#include "tests/support/harness.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

class CombatEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetGameState();
    ResizeMap(40, 30);
  }
  static bool Alive(const FragmentRef& f) {
    const std::vector<FragmentRef> all = world.fragment_list.Snapshot();
    return std::find(all.begin(), all.end(), f) != all.end();
  }
};

TEST(BlastDamage, FallsLinearlyToNothingAtHundredPixels) {
  struct Case { int32_t damage, dx, expected; };
  for (const Case c : {Case{100, 0, 100}, Case{100, 50, 50}, Case{100, -50, 50}, Case{100, 99, 1},
                       Case{100, -100, 0}, Case{100, 250, 0}, Case{35, 10, 31}, Case{0, 0, 0},
                       Case{100, INT32_MIN, 0}}) {
    EXPECT_EQ(BlastDamage(c.damage, c.dx), c.expected) << c.damage << " at " << c.dx;
  }
}

// The blast window is 200 x 200 with open edges; only horizontal distance weakens it.
TEST_F(CombatEffects, ExplosionHurtsCharactersStrictlyInsideItsWindow) {
  struct Case { int32_t x, y, loss; };
  const std::vector<Case> cases = {{500, 500, 100}, {550, 500, 50}, {500, 599, 100}, {401, 401, 1},
                                   {400, 500, 0},   {500, 600, 0},  {600, 500, 0}};
  std::vector<PlayerRef> targets;
  for (const Case& c : cases) {
    Create_Player(c.x, c.y, 1, 0, 200, 0, 0);
    targets.push_back(world.character_list.Snapshot().back());
  }
  run.now_ms = 0;   // the picture timer follows the clock, not the frame's time
  Explosion_Create(500, 500, 100);

  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(targets[i]->power, 200 - cases[i].loss) << cases[i].x << "," << cases[i].y;
  ExplosionRef e = world.explosion_list.First();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->frame, 0);
  EXPECT_EQ(e->frame_timer, ClockMillis() + 26);
}

// With 16 ms frames: the first picture shows for three frames (it starts
// mid-frame), every later one for two, and the record goes after picture 17.
TEST_F(CombatEffects, ExplosionShowsEighteenPicturesAtTwentySixMillis) {
  Explosion_Create(100, 100, 0);
  ExplosionRef e = world.explosion_list.First();
  std::vector<int> shown;
  for (int frame = 0; frame < 60 && !world.explosion_list.IsEmpty(); ++frame) {
    shown.push_back(e->frame);
    UpdateExplosions();
    AdvanceVirtualClock(16);
  }
  std::vector<int> expected = {0};
  for (int picture = 0; picture < 18; ++picture) expected.insert(expected.end(), {picture, picture});
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(world.explosion_list.IsEmpty());
}

TEST_F(CombatEffects, FragmentMovesInWholePixelsWithFrictionAndGravity) {
  struct Case { float speedx, speedy; int32_t x, y; };
  for (const Case c : {Case{5.0f, -4.0f, 105, 96}, Case{-0.9f, 0.9f, 99, 100}}) {
    world.fragment_list.Clear();
    auto f = std::make_shared<Tfragment>();
    f->x = 100;
    f->y = 100;
    f->speedx = c.speedx;
    f->speedy = c.speedy;
    f->timeout = 1e9;
    world.fragment_list.AddLast(f);
    UpdateFragments();
    EXPECT_EQ(f->x, c.x);
    EXPECT_EQ(f->y, c.y);
    EXPECT_FLOAT_EQ(f->speedx, c.speedx * 0.98f);
    EXPECT_FLOAT_EQ(f->speedy, c.speedy + 0.14f);
  }
}

// Each piece disappears in the first frame after its own time-out, whatever
// lies below: the debris of a character on a floor falls through it.
TEST_F(CombatEffects, FragmentsLiveTheirTimeAndFallThroughFloors) {
  for (int col = 0; col < 40; ++col) SetTile(col, 10, 0, 1);
  run.now_ms = 5000;
  Fragment_Create(300, 288);
  const std::vector<FragmentRef> pieces = world.fragment_list.Snapshot();
  ASSERT_EQ(pieces.size(), 6u);

  int32_t deepest = 0;
  while (!world.fragment_list.IsEmpty() && run.now_ms < 9000) {
    run.now_ms += 16;
    UpdateFragments();
    for (const FragmentRef& f : pieces) {
      const bool alive = Alive(f);
      EXPECT_EQ(alive, run.now_ms <= f->timeout) << "at " << run.now_ms;
      if (alive) deepest = std::max(deepest, f->y);
    }
  }
  EXPECT_TRUE(world.fragment_list.IsEmpty());
  EXPECT_GT(deepest, 320 + 32);   // below the floor row
}

}  // namespace
}  // namespace vn
