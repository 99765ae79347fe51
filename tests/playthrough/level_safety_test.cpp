// Nothing a fight can do may cost the Tutorial or the castle its way through:
// a dying character drops its item over the object in its centre cell, so no
// enemy may die where a ladder, key, lever, lock or boat lies; and with every
// enemy dead at home and a blast at each of those cells the route still ends
// at the exit. The Tutorial's boat is boarded the ways a new player tries.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "play/entities.h"
#include "play/push_vehicle.h"
#include "play/tables.h"
#include "tests/playthrough/shipped_maps.h"
#include "tests/support/harness.h"
#include "tools/playtest/play_script.h"
#include "world/map.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {
namespace {

using test::ShippedMaps;

bool WayDependsOn(uint16_t object) {
  return (object >= 1 && object <= 10) || object == 232 || object == 260 || object == 262 || object == 264 ||
         object == 285 || object == 286 || (object >= 650 && object <= 659);
}

test::WayCells WayCells() {
  return test::CellsWhere([](int column, int row) { return WayDependsOn(GetTile(column, row, 1)); });
}

struct Beat {
  int32_t home = 0, radius = 0;
};

class LevelSafety : public ShippedMaps, public ::testing::WithParamInterface<int> {
 protected:
  playtest::InputScript Route() const {
    playtest::InputScript script;
    std::string error;
    EXPECT_TRUE(playtest::LoadInputScript(std::string(VN_PLAYTHROUGH_DIR) + "/" +
                                              tables.level_names[GetParam()] + ".txt",
                                          script, error))
        << error;
    return script;
  }
  // Starts the level, lets `act` change the world after the first frame and
  // plays one frame more, so that deaths and drops happen.
  template <typename Act>
  void PlayTwoFrames(const Act& act) {
    playtest::InputScript script = Route();
    script.steps = {playtest::ScriptStep{2, {}, {}, 0}};
    playtest::PlayScript(script, nullptr, 10, [&](int frame) {
      if (frame == 1) act();
    });
  }
};

void ForEachEnemy(const std::function<void(size_t, Tplayer&)>& visit) {
  size_t index = 0;
  world.character_list.ForEach([&](const PlayerRef& ch) {
    if (ch->typ != 0) visit(index++, *ch);
  });
}

TEST_P(LevelSafety, NoEnemyDiesOnTheWay) {
  test::WayCells way;
  std::vector<Beat> beats;
  PlayTwoFrames([&] {
    way = WayCells();
    ForEachEnemy([&](size_t, Tplayer& e) { beats.push_back({e.source_x, e.action_radius}); });
  });
  ASSERT_FALSE(way.empty());
  // A cell beyond the beat covers the overshoot of a patrol and the braking when it starts firing.
  for (size_t i = 0; i < beats.size(); ++i)
    for (int32_t x = beats[i].home - beats[i].radius - 32; x <= beats[i].home + beats[i].radius + 32; x += 8) {
      PlayTwoFrames([&] {
        ForEachEnemy([&](size_t index, Tplayer& e) {
          if (index == i) e.x = x, e.power = 0;
        });
      });
      EXPECT_EQ(WayCells(), way) << tables.level_names[GetParam()] << ": enemy " << i << " dying at x " << x;
    }
}

TEST_P(LevelSafety, TheRouteSurvivesBlastsAtTheWayAndEveryEnemyDeadAtHome) {
  playtest::PlayResult result = playtest::PlayScript(Route(), nullptr, 10, [](int frame) {
    if (frame != 1) return;
    ForEachEnemy([](size_t, Tplayer& e) { e.power = 0; });
    const PlayerRef player = test::Player();
    for (const auto& [cell, tiles] : WayCells()) {
      const auto [column, row] = cell;
      const int32_t x = column * kTileSize + 16, y = row * kTileSize + 16;
      if (std::abs(x - player->x) > 200 || std::abs(y - player->y) > 200) Explosion_Create(x, y, 100);
    }
  });
  EXPECT_TRUE(result.reached_exit) << tables.level_names[GetParam()] << ": stuck at " << result.x << ","
                                   << result.y << " (script line " << result.script_line << ")";
  EXPECT_TRUE(result.player_alive);
}

// Standing on the quay three cells left of the boat, a player creeps off its
// edge, runs off it holding right, or jumps toward the boat: each time a jump
// press boards it, and riding back to the quay stops at its wall instead of
// grounding the boat.
TEST_F(ShippedMaps, TheTutorialBoatBoardsFromTheQuay) {
  for (const char* way : {"24 right\n40 -\n20 right\n40 -\n12 right\n40 -\n1 +jump\n",
                          "55 right\n1 right +jump\n",
                          "24 right\n40 -\n3 right jump\n30 right\n30 -\n1 +jump\n"}) {
    playtest::InputScript script;
    std::string error;
    ASSERT_TRUE(playtest::ParseInputScript(std::string("level 0\n1 -\n") + way + "60 left\n", script, error)) << error;
    const playtest::PlayResult result = playtest::PlayScript(script, nullptr, 10, [](int frame) {
      if (frame != 1) return;
      for (const auto& [cell, tiles] : WayCells())
        if (IsVehicle(tiles.second)) {
          const auto [column, row] = cell;
          const PlayerRef player = test::Player();
          player->x = (column - 3) * kTileSize, player->y = (row - 1) * kTileSize;
        }
    });
    EXPECT_TRUE(push_vehicle.in_vehicle) << way;
    EXPECT_TRUE(result.player_alive) << way;
  }
}

INSTANTIATE_TEST_SUITE_P(TutorialAndCastle, LevelSafety, ::testing::Values(0, 1),
                         [](const auto& level) { return "Level" + std::to_string(level.param); });

// The castle's first gate opens onto a hall whose guard must not shoot before a
// new player has seen him: a stone cover keeps the player hidden from him all
// the way from the lever to the tunnel's end.
class CastleGate : public LevelSafety {};

TEST_P(CastleGate, TheGuardCannotSeeThePlayerFromTheLeverOrTheTunnel) {
  constexpr int kGateColumn = 21, kTunnelEndX = 26 * kTileSize;
  int frames_with_gate_open = 0;
  bool seen = false;
  playtest::PlayScript(Route(), nullptr, 10, [&](int) {
    const PlayerRef player = test::Player();
    if (!player || player->x + kTileSize > kTunnelEndX || GetTile(kGateColumn, 24, 0) != 0) return;
    ++frames_with_gate_open;
    ForEachEnemy([&](size_t, Tplayer& e) { seen = seen || e.on_sight == 1; });
  });
  EXPECT_GT(frames_with_gate_open, 30) << "the route no longer walks through the opened gate";
  EXPECT_FALSE(seen);
}

INSTANTIATE_TEST_SUITE_P(Castle, CastleGate, ::testing::Values(1));

}  // namespace
}  // namespace vn
