// Jungle and Wooden stay finishable whatever blows up or dies in them: rockets
// and blasts at every cell the way depends on, and every enemy killed at every
// spot of its patrol, leave those cells as they were.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/entities.h"
#include "tests/playthrough/shipped_maps.h"
#include "tests/support/harness.h"
#include "tools/playtest/play_script.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

// Layer-1 things the route needs (ladders, switches, locks, vehicles, slides),
// pushable blocks and the exit.
bool WayNeeds(int col, int row) {
  const uint16_t obj = GetTile(col, row, 1), solid = GetTile(col, row, 0);
  return (obj >= 1 && obj <= 10) || obj == 260 || obj == 262 || obj == 264 || obj == 285 || obj == 286 ||
         (obj >= 650 && obj <= 699) || (solid >= 670 && solid <= 699) || GetCode(col, row) == 250;
}

test::WayCells WayCells() { return test::CellsWhere(WayNeeds); }

class LevelSafetyUnderFire : public test::ShippedMaps, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ShippedMaps::SetUp();
    StartLevel(GetParam());
    // Park the player out of the way with power to spare, so the blasts never end the run.
    test::Player()->power = 1000000;
  }
};

TEST_P(LevelSafetyUnderFire, BlastsAndDeathsLeaveTheWayIntact) {
  const test::WayCells before = WayCells();
  ASSERT_FALSE(before.empty());

  for (const auto& [cell, tiles] : before) {
    const float cx = float(cell.first * 32 + 16), cy = float(cell.second * 32 + 16);
    shot_create(cx - 40, cy, 0, 0, 2);    // a player's rocket flying into the cell
    shot_create(cx + 40, cy, 1, 180, 2);  // and an enemy's from the other side
    Explosion_Create(static_cast<int32_t>(cx), static_cast<int32_t>(cy), 100);
    test::StepFrames(2);
  }

  // Every enemy carrying something dies at every spot of its patrol, in the air and on the ground.
  struct Carrier {
    int32_t x, y, radius;
    uint16_t item;
  };
  std::vector<Carrier> carriers;
  world.character_list.ForEach([&](const PlayerRef& e) {
    if (e->typ != 0 && e->item != 0) carriers.push_back({e->source_x, e->y, e->action_radius, e->item});
  });
  for (const Carrier& c : carriers)
    for (int32_t x = c.x - c.radius - 16; x <= c.x + c.radius + 16; x += 8)
      for (int32_t dy : {0, -24}) {
        PlayerRef dying = test::AddCharacter(x, c.y + dy, 1, 1, 0);
        dying->item = c.item;
        test::StepFrames(1);
      }

  for (const auto& [cell, tiles] : before) {
    EXPECT_EQ(GetTile(cell.first, cell.second, 0), tiles.first) << "solid tile at " << cell.first << "," << cell.second;
    EXPECT_EQ(GetTile(cell.first, cell.second, 1), tiles.second) << "object at " << cell.first << "," << cell.second;
  }
  EXPECT_EQ(WayCells().size(), before.size());
}

INSTANTIATE_TEST_SUITE_P(JungleAndWooden, LevelSafetyUnderFire, ::testing::Values(2, 3),
                         [](const auto& p) { return std::string(p.param == 2 ? "Jungle" : "Wooden"); });

}  // namespace
}  // namespace vn
