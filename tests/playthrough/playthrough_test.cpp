// Every shipped level played from its start to its exit by a recorded input
// script, headless on the virtual clock: the regression tests of movement and
// level design. A change that breaks a level's route fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/resources.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "tests/support/harness.h"
#include "tools/playtest/play_script.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

namespace fs = std::filesystem;

// The shipped levels in a private game directory, so saves and screenshots of
// a test never touch the build's game directory.
class ShippedLevels : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetGameState();
    fs::copy(fs::path(VN_GAME_DIR) / "map", dir_.Path() / "map",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  static playtest::InputScript Script(const std::string& level_name) {
    playtest::InputScript script;
    std::string error;
    std::string path = std::string(VN_PLAYTHROUGH_DIR) + "/" + level_name + ".txt";
    EXPECT_TRUE(playtest::LoadInputScript(path, script, error)) << error;
    return script;
  }
  test::TempGameDir dir_;
};

// What a new player must be able to count on along the route, checked after
// every frame: no enemy fires while it stands outside the window (in the
// castle, the first level of the game, no enemy even starts watching the
// player from there), and the view never shows the background below the map's
// last row.
class FairnessWatch {
 public:
  explicit FairnessWatch(bool strict) : strict_(strict) {}
  void operator()(int frame) {
    const int32_t view_left = camera.cam_tile_x * kTileSize - camera.cam_shift_x;
    const int32_t view_top = camera.cam_tile_y * kTileSize - camera.cam_shift_y;
    if (view_top + screen.screen_height > world.map_height * kTileSize && below_.empty())
      below_ = "frame " + std::to_string(frame) + ": the view reaches below the map";
    // The next level's enemies may reuse the records of this one's: start afresh.
    if (run.level_index != level_) seen_.clear();
    level_ = run.level_index;
    world.character_list.ForEach([&](const PlayerRef& e) {
      if (e->typ == 0) return;
      Seen& seen = seen_[e.get()];
      const bool starts_watching = e->on_sight == 1 && !seen.watching;
      const bool fires = e->shot_timer != seen.shot_timer;
      seen = {e->on_sight == 1, e->shot_timer};
      const int32_t sx = e->x - view_left, sy = e->y - view_top;
      const bool inside = sx >= 0 && sy >= 0 && sx + kTileSize <= screen.screen_width && sy + kTileSize <= screen.screen_height;
      const bool touches = sx > -kTileSize && sy > -kTileSize && sx < screen.screen_width && sy < screen.screen_height;
      if ((strict_ && starts_watching && !inside) || (fires && !touches))
        unseen_ += "frame " + std::to_string(frame) + ": the enemy at " + std::to_string(e->x) + "," +
                   std::to_string(e->y) + (fires ? " fires" : " starts watching") + " from outside the window\n";
    });
  }
  std::string unseen_, below_;

 private:
  struct Seen {
    bool watching = false;
    int32_t shot_timer = 0;
  };
  bool strict_;
  uint8_t level_ = 0;
  std::map<const Tplayer*, Seen> seen_;
};

class LevelPlaythrough : public ShippedLevels, public ::testing::WithParamInterface<int> {};

TEST_P(LevelPlaythrough, ReachesTheExitAlive) {
  const std::string name = tables.level_names[GetParam()];
  playtest::InputScript script = Script(name);
  ASSERT_EQ(script.level, GetParam()) << "the script of " << name << " starts another level";
  FairnessWatch watch(GetParam() == 1);
  playtest::PlayResult result = playtest::PlayScript(script, nullptr, 10, [&](int frame) { watch(frame); });
  if (GetParam() > 0) {   // the tutorial's one enemy is harmless
    EXPECT_EQ(watch.unseen_, "") << name;
    EXPECT_EQ(watch.below_, "") << name;
  }
  EXPECT_TRUE(result.reached_exit) << name << ": stuck at " << result.x << "," << result.y << " after "
                                   << result.frames << " frames (script line " << result.script_line << ")";
  EXPECT_TRUE(result.player_alive) << name << ": the player died on the way";
  RecordProperty("frames", result.frames);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelPlaythrough, ::testing::Values(0, 1, 2, 3),
                         [](const auto& test_param) { return "Level" + std::to_string(test_param.param); });

TEST_F(ShippedLevels, TheWholeGameFromStartToTheEnd) {
  std::vector<playtest::InputScript> scripts = {Script(tables.level_names[1]), Script(tables.level_names[2]),
                                                Script(tables.level_names[3])};
  std::vector<playtest::PlayResult> results = playtest::PlayScriptsInOneRun(scripts);
  ASSERT_EQ(results.size(), 3u) << "the run stopped early";
  for (size_t i = 0; i < results.size(); ++i) {
    EXPECT_TRUE(results[i].reached_exit) << tables.level_names[i + 1] << " not finished";
    EXPECT_TRUE(results[i].player_alive) << tables.level_names[i + 1] << ": the player died";
  }
  EXPECT_TRUE(results.back().run_ended) << "after the last level the run returns to the menu";
}

// vnplay's promise to level authors: one script and seed give the same frames
// and the same trace, whatever ran before in the process (another run, a moved
// pointer, a later clock, a used random generator).
TEST_F(ShippedLevels, AScriptRunRepeatsFrameForFrame) {
  playtest::InputScript script;
  std::string error;
  ASSERT_TRUE(playtest::ParseInputScript("level 1\nseed 99\n1 +draw\n300 right action\n200 left\n", script, error))
      << error;
  std::ostringstream first, second;
  playtest::PlayScript(script, &first, 5);
  InjectMouseMove(700, 500);
  AdvanceVirtualClock(123457);
  RandomStep();
  const playtest::PlayResult again = playtest::PlayScript(script, &second, 5);
  EXPECT_EQ(again.frames, script.TotalFrames());
  EXPECT_EQ(first.str(), second.str());
}

}  // namespace
}  // namespace vn
