#include <gtest/gtest.h>

#include <climits>

#include "engine/timing.h"
#include "play/entities.h"
#include "tests/support/harness.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/world.h"

namespace vn::test {
namespace {

class MapEffects : public GameTest {
 protected:
  std::shared_ptr<Tmap_effects> Start(uint8_t typ, int x, int y, uint16_t tile = 5, uint8_t layer = 0) {
    auto e = std::make_shared<Tmap_effects>();
    e->typ = typ;
    e->x = uint16_t(x);
    e->y = uint16_t(y);
    e->tile = tile;
    e->layer = layer;
    e->timeout = INT_MAX;
    if (typ == 2 || typ == 3) e->speedy = 1.0f;
    if (typ == 4 || typ == 5) {
      e->speedy = 0.05f;
      e->rotation_way = typ - 4;
    }
    world.map_effect_list.AddLast(e);
    return e;
  }
  bool Running(const std::shared_ptr<Tmap_effects>& e) {
    for (const auto& r : world.map_effect_list.Snapshot())
      if (r == e) return true;
    return false;
  }
  // Frames until e ends (its end frame included), at most limit.
  int FramesUntilEnd(const std::shared_ptr<Tmap_effects>& e, int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
      UpdateMapEffects();
      if (!Running(e)) return frame;
    }
    return -1;
  }
};

TEST_F(MapEffects, ThrownTileFrictionGravityAndSpin) {
  ResizeMap(10, 10);
  auto e = Start(1, 100, 100);
  e->speedx = 0.3f;
  e->speedy = 11.9f;
  e->rotation_way = -1;
  e->timeout = ClockMillis() + 1500;
  UpdateMapEffects();
  EXPECT_EQ(e->x, 100);            // trunc(100.3)
  EXPECT_FLOAT_EQ(e->speedx, 0);   // friction, then the dead band
  EXPECT_EQ(e->y, 111);
  EXPECT_FLOAT_EQ(e->speedy, 12);  // capped
  EXPECT_FLOAT_EQ(e->rotation, 348);

  e->rotation_way = 1;
  UpdateMapEffects();
  EXPECT_FLOAT_EQ(e->rotation, 0);  // 360 shows as 0
}

TEST_F(MapEffects, PositionsWrapAt16Bits) {
  ResizeMap(10, 10);
  auto e = Start(1, 2, 0);
  e->speedx = -5.7f;
  e->speedy = -4;
  e->timeout = ClockMillis() + 1500;
  UpdateMapEffects();
  EXPECT_EQ(e->x, 65533);   // trunc(-3.7) = -3
  EXPECT_EQ(e->y, 65532);
}

TEST_F(MapEffects, ThrownTileEndsAfterItsTime) {
  ResizeMap(10, 10);
  auto e = Start(1, 64, 64);
  e->timeout = ClockMillis() + 1500;
  AdvanceVirtualClock(1500);
  UpdateMapEffects();
  EXPECT_TRUE(Running(e));
  AdvanceVirtualClock(1);
  UpdateMapEffects();
  EXPECT_FALSE(Running(e));
  EXPECT_TRUE(progress.change_list.IsEmpty());
}

TEST_F(MapEffects, FallingTileAboveSolidLandsAtOnceInItsOwnCell) {
  ResizeMap(6, 6);
  SetTile(3, 3, 0, 1);
  auto e = Start(2, 96, 64, 42, 1);
  UpdateMapEffects();
  EXPECT_FALSE(Running(e));
  EXPECT_EQ(GetTile(3, 2, 1), 42);
  ASSERT_EQ(progress.change_list.Count(), 1u);
  const auto& c = *progress.change_list.First();
  EXPECT_EQ(std::tuple(c.x, c.y, c.layer, c.tile_new), std::tuple(3, 2, 1, 42));
}

TEST_F(MapEffects, FallingTileLandsOnACodeMarkAndAcceleratesUpToFifteen) {
  ResizeMap(4, 40);
  SetCode(1, 30, 1);
  auto e = Start(2, 32, 0, 7);
  int frames = 0;
  while (Running(e) && frames < 200) {
    UpdateMapEffects();
    ++frames;
    EXPECT_LE(e->speedy, 15.0f);
  }
  ASSERT_FALSE(Running(e));
  EXPECT_EQ(e->y / 32 + 1, 30);
  EXPECT_EQ(GetTile(1, e->y / 32, 0), 7);
}

struct CrushCase {
  int dx, dy;   // character position relative to the tile after its first move
  bool crushed;
};

class FallingTileCrush : public MapEffects, public ::testing::WithParamInterface<CrushCase> {};

TEST_P(FallingTileCrush, KillsOnlyInsideTheWindowBelow) {
  ResizeMap(20, 40);
  auto e = Start(2, 320, 100);   // moves to y 101 in its first frame
  Create_Player(320 + GetParam().dx, 101 + GetParam().dy, 1, 0, 100, 0, 0);
  UpdateMapEffects();
  EXPECT_EQ(world.character_list.First()->power, GetParam().crushed ? 0 : 100)
      << "dx " << GetParam().dx << " dy " << GetParam().dy;
}

INSTANTIATE_TEST_SUITE_P(MapEffects, FallingTileCrush,
                         ::testing::Values(CrushCase{0, 16, true}, CrushCase{24, 32, true}, CrushCase{-24, 20, true},
                                           CrushCase{25, 20, false}, CrushCase{-25, 20, false},
                                           CrushCase{0, 15, false}, CrushCase{0, 33, false}));

TEST_F(MapEffects, SinkingTileTestsSolidInItsOwnCell) {
  ResizeMap(6, 6);
  SetTile(2, 2, 0, 1);
  auto e = Start(3, 64, 64, 9, 2);
  UpdateMapEffects();
  EXPECT_FALSE(Running(e));
  EXPECT_EQ(GetTile(2, 2, 2), 9);
  EXPECT_EQ(progress.change_list.Count(), 1u);

  // Solid below is no reason to stop: the tile sinks into the solid cell.
  ResizeMap(6, 8);
  progress.change_list.Clear();
  SetTile(1, 3, 0, 1);
  auto s = Start(3, 32, 64, 9, 1);
  EXPECT_EQ(FramesUntilEnd(s, 100), 32);
  EXPECT_EQ(GetTile(1, 3, 1), 9);
  EXPECT_FLOAT_EQ(s->speedy, 1.0f);

  // A code mark stops it in the cell above the mark.
  SetCode(4, 6, 3);
  auto m = Start(3, 128, 64, 9, 1);
  EXPECT_EQ(FramesUntilEnd(m, 200), 96);
  EXPECT_EQ(GetTile(4, 5, 1), 9);
}

TEST_F(MapEffects, TileLeavingTheMapAtTheBottomEndsWithoutWriting) {
  ResizeMap(2, 2);
  const auto tiles = world.map_tiles;
  auto falling = Start(2, 0, 0, 5);
  auto sinking = Start(3, 32, 0, 5);
  EXPECT_GT(FramesUntilEnd(falling, 500), 0);
  EXPECT_GT(FramesUntilEnd(sinking, 500), 0);
  EXPECT_EQ(world.map_tiles, tiles);
  EXPECT_TRUE(progress.change_list.IsEmpty());
}

TEST_F(MapEffects, ColumnsEndPastNinetyDegrees) {
  ResizeMap(4, 4);
  auto left = Start(4, 0, 0);
  EXPECT_EQ(FramesUntilEnd(left, 200), 62);
  EXPECT_LE(left->rotation, -90);
  auto right = Start(5, 0, 0);
  EXPECT_EQ(FramesUntilEnd(right, 200), 60);
  EXPECT_GE(right->rotation, 90);
}

TEST_F(MapEffects, EndingColumnChainsItsActionInTheSameFrame) {
  LevelBuilder(8, 8).Tile(0, 3, 5, 1).Action(203, 1, 1, 99, 0).Effect(203, 3, 4, 0, 2).Load();
  auto column = Start(5, 0, 0, 0, 203);
  for (int frame = 1; frame < 60; ++frame) UpdateMapEffects();
  EXPECT_EQ(GetTile(1, 1, 0), 0);
  UpdateMapEffects();
  EXPECT_FALSE(Running(column));
  EXPECT_EQ(GetTile(1, 1, 0), 99);
  // The falling tile the chained action started was reached in the same walk:
  // it sat on solid ground and landed at once.
  EXPECT_TRUE(world.map_effect_list.IsEmpty());
  EXPECT_EQ(GetTile(3, 4, 0), 0);   // its copy was of an empty cell
  EXPECT_EQ(progress.change_list.Count(), 2u);
}

TEST_F(MapEffects, TileWithAnActionLayerLandsNowhereButChains) {
  LevelBuilder(6, 6).Tile(0, 2, 3, 1).Action(210, 0, 0, 77, 1).Load();
  auto e = Start(2, 64, 64, 5, 210);
  UpdateMapEffects();
  EXPECT_FALSE(Running(e));
  EXPECT_EQ(GetTile(0, 0, 1), 77);
  ASSERT_EQ(progress.change_list.Count(), 1u);   // only the chained action's change
  EXPECT_EQ(progress.change_list.First()->layer, 1);
}

}  // namespace
}  // namespace vn::test
