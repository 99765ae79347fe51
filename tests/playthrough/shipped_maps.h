#pragma once
// What the level safety tests share: the shipped maps in a scratch game folder,
// and the cells a level's way through depends on, with their tiles.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

#include "tests/support/harness.h"
#include "tools/playtest/play_script.h"
#include "world/map.h"
#include "world/world.h"

namespace vn::test {

class ShippedMaps : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    // VN_MAP_DIR checks maps being edited elsewhere against these tests.
    const char* edited = std::getenv("VN_MAP_DIR");
    const std::filesystem::path maps = edited != nullptr ? std::filesystem::path(edited)
                                                         : std::filesystem::path(VN_GAME_DIR) / "map";
    std::filesystem::copy(maps, dir_.Path() / "map",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  }
  // Loads a shipped level and plays its first frame.
  static void StartLevel(int level) {
    playtest::InputScript start;
    start.level = static_cast<uint8_t>(level);
    start.steps.push_back({1, {}, {}, 1});
    playtest::PlayScript(start);
  }
  TempGameDir dir_;
};

// (column, row) -> (solid tile, object) of every cell `needed(column, row)` picks.
using WayCells = std::map<std::pair<int, int>, std::pair<uint16_t, uint16_t>>;

template <typename Needed>
WayCells CellsWhere(const Needed& needed) {
  WayCells cells;
  for (int row = 0; row < world.map_height; ++row)
    for (int column = 0; column < world.map_width; ++column)
      if (needed(column, row)) cells[{column, row}] = {GetTile(column, row, 0), GetTile(column, row, 1)};
  return cells;
}

}  // namespace vn::test
