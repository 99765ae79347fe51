// Every shipped level played from its start to its exit by a recorded input
// script, headless on the virtual clock: the regression tests of movement and
// level design. A change that breaks a level's route fails here.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/resources.h"
#include "play/tables.h"
#include "tests/support/harness.h"
#include "tools/playtest/play_script.h"
#include "world/map.h"

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

class LevelPlaythrough : public ShippedLevels, public ::testing::WithParamInterface<int> {};

TEST_P(LevelPlaythrough, ReachesTheExitAlive) {
  const std::string name = tables.level_names[GetParam()];
  playtest::InputScript script = Script(name);
  ASSERT_EQ(script.level, GetParam()) << "the script of " << name << " starts another level";
  playtest::PlayResult result = playtest::PlayScript(script);
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

}  // namespace
}  // namespace vn
