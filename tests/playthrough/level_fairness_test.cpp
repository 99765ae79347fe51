// No enemy may start its reaction time before the player can see it. An enemy
// watches half a window to each side, but the view follows the player with a
// slack box, so a player walking toward an enemy sees less far ahead than the
// enemy looks: in open ground the first shot would come from off screen. The
// levels are built so that terrain cuts every such line of sight. For every
// spot of every patrol and every place a figure can stand, an enemy that sees
// the player must be on screen (whatever the slack) and not behind opaque
// foreground.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "play/enemies.h"
#include "play/entities.h"
#include "play/tables.h"
#include "tests/playthrough/shipped_maps.h"
#include "tests/support/harness.h"
#include "tools/playtest/play_script.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int32_t kSlack = 100;   // the view lets the player drift this far from its centre

bool Solid(int col, int row) { return GetTile(col, row, 0) != 0; }
bool Deadly(int col, int row) {
  const uint16_t obj = GetTile(col, row, 1), fg = GetTile(col, row, 2);
  return (obj >= 11 && obj <= 40) || (fg >= 600 && fg <= 700);
}
bool Ladder(int col, int row) { const uint16_t obj = GetTile(col, row, 1); return obj >= 1 && obj <= 10; }
bool OpaqueForeground(int col, int row) { const uint16_t fg = GetTile(col, row, 2); return fg >= 100 && fg < 600; }

// A place the player can be: on a floor or on a ladder, not in a hazard.
bool PlayerCanBe(int col, int row) {
  return !Solid(col, row) && !Deadly(col, row) && (Solid(col, row + 1) || Ladder(col, row));
}

// Whether a point lies in the view along one axis for every place of the
// view that keeps the player's corner `p` within the slack box (the view
// stops at the map's edges).
// A figure cut by the view's edge is not seen: its whole box must be in view.
bool AlwaysInView(int32_t box, int32_t p, int32_t view, int32_t map) {
  for (int32_t from : {p - (view / 2 + kSlack), p - (view / 2 - kSlack)}) {
    from = std::clamp(from, 0, std::max(0, map - view));
    if (box < from || box + 32 > from + view) return false;
  }
  return true;
}

// Whether the enemy at (ex, ey) is in plain view for a player at (px, py).
bool InPlainView(int32_t ex, int32_t ey, int32_t px, int32_t py) {
  return AlwaysInView(ex, px, screen.screen_width, world.map_width * 32) &&
         AlwaysInView(ey, py, screen.screen_height, world.map_height * 32) &&
         !OpaqueForeground((ex + 16) / 32, (ey + 16) / 32);
}

bool Watches(int32_t ex, int32_t ey, int32_t px, int32_t py) {
  const int32_t w = screen.screen_width / 2, h = screen.screen_height / 2;
  return px + 32 < ex + w && px > ex - w && py + 32 < ey + h && py > ey - h;
}

class LevelFairness : public test::ShippedMaps, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ShippedMaps::SetUp();
    StartLevel(GetParam());
  }
};

TEST_P(LevelFairness, NoEnemySeesThePlayerFromOutOfView) {
  struct Enemy {
    int32_t home, radius, y;
  };
  std::vector<Enemy> enemies;
  world.character_list.ForEach([&](const PlayerRef& e) {
    if (e->typ != 0) enemies.push_back({e->source_x, e->action_radius, e->y});
  });

  std::ostringstream unfair;
  for (const Enemy& e : enemies) {
    std::set<std::pair<int, int>> cells;
    for (int32_t ex = e.home - e.radius; ex <= e.home + e.radius; ex += 8) {
      for (int row = 0; row < world.map_height; ++row)
        for (int col = 0; col < world.map_width; ++col) {
          const int32_t px = col * 32, py = row * 32;
          if (!PlayerCanBe(col, row) || !Watches(ex, e.y, px, py) || InPlainView(ex, e.y, px, py)) continue;
          if (LineOfSight(ex + 16, e.y + 16, ex, e.y, px, py)) cells.insert({col, row});
        }
    }
    if (cells.empty()) continue;
    unfair << "enemy at home " << e.home / 32 << "," << e.y / 32 << " (radius " << e.radius << ") sees unseen from";
    for (const auto& [col, row] : cells) unfair << " " << col << "," << row;
    unfair << "\n";
  }
  EXPECT_EQ(unfair.str(), "");
}

// An item, switch, lock or ladder drawn in a solid cell looks usable but can never be reached.
TEST_P(LevelFairness, NothingToUseLiesInsideTheGround) {
  for (int row = 0; row < world.map_height; ++row)
    for (int col = 0; col < world.map_width; ++col) {
      const uint16_t obj = GetTile(col, row, 1);
      const bool usable = Ladder(col, row) || (obj >= 230 && obj <= 264) || obj == 285 || obj == 286;
      EXPECT_FALSE(usable && Solid(col, row)) << "object " << obj << " at " << col << "," << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelFairness, ::testing::Values(1, 2, 3),
                         [](const auto& p) { return std::string(p.param == 1 ? "Castle" : p.param == 2 ? "Jungle" : "Wooden"); });

}  // namespace
}  // namespace vn
