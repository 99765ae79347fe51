#include <gtest/gtest.h>

#include "app/resources.h"
#include "engine/graphics.h"
#include "tests/support/harness.h"
#include "world/map.h"

namespace vn::test {
namespace {

class MapModel : public GameTest {};

TEST_F(MapModel, ArraysHoldTheMarginAndIgnoreAccessBeyondIt) {
  ResizeMap(4, 2);
  ASSERT_EQ(map_tiles.size(), size_t(7 * 5 * 3));
  SetTile(2, 1, 2, 77);
  EXPECT_EQ(map_tiles[(2 * 5 + 1) * 3 + 2], 77);   // column-major, layer innermost
  SetCode(6, 4, 9);                                 // the last margin cell is inside
  EXPECT_EQ(map_codes[6 * 5 + 4], 9);

  const auto tiles = map_tiles;
  const auto codes = map_codes;
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {7, 0}, {0, 5}, {INT32_MIN, INT32_MAX}}) {
    SetTile(x, y, 0, 5);
    SetCell(x, y, kCodeLayer, 5);
    EXPECT_EQ(GetTile(x, y, 0), 0);
    EXPECT_EQ(GetCode(x, y), 0);
  }
  SetTile(1, 1, 3, 5);   // no such layer
  EXPECT_EQ(map_tiles, tiles);
  EXPECT_EQ(map_codes, codes);
}

TEST_F(MapModel, PixelProbesTruncateTowardZero) {
  ResizeMap(3, 3);
  SetTile(0, 0, 0, 1);
  SetTile(1, 2, 1, 8);
  // A character in column 0 probing its left wall at x - 1 reads its own column.
  EXPECT_EQ(TileAtPixel(-1, 16, 0), 1);
  EXPECT_EQ(TileAtPixel(-31, -31, 0), 1);
  EXPECT_EQ(TileAtPixel(-32, 0, 0), 0);
  EXPECT_EQ(TileAtPixel(63, 64, 1), 8);
  SetCode(2, 1, 40);
  EXPECT_EQ(CodeAtPixel(64 + 31, 32), 40);
}

// ScanAhead from an enemy standing at (px, py): its feet row is (py + 48) / 32.
struct ScanCase {
  const char* what;
  std::vector<std::pair<int, int>> solid;   // layer-0 cells
  int32_t px, py, dir;
  uint8_t expected;
};

class ScanAheadCases : public MapModel, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanAheadCases, FindsFloorAheadAsPlayedEnemiesExpect) {
  ResizeMap(20, 12);
  for (const auto& [x, y] : GetParam().solid) SetTile(x, y, 0, 1);
  EXPECT_EQ(ScanAhead(GetParam().px, GetParam().py, GetParam().dir), GetParam().expected) << GetParam().what;
}

// Enemy at px 160 (column 5, +dir) and py 64: scanned row 3.
INSTANTIATE_TEST_SUITE_P(
    MapModel, ScanAheadCases,
    ::testing::Values(
        ScanCase{"nothing ahead", {}, 160, 64, 1, 0},
        ScanCase{"floor in the row", {{9, 3}}, 160, 64, 1, 1},
        ScanCase{"floor beyond five columns", {{11, 3}}, 160, 64, 1, 0},
        ScanCase{"two-column floor below", {{6, 6}, {5, 6}}, 160, 64, 1, 2},
        ScanCase{"one-column floor below is not enough", {{6, 6}}, 160, 64, 1, 0},
        ScanCase{"floor too deep", {{6, 8}, {5, 8}}, 160, 64, 1, 0},
        ScanCase{"row scan comes first", {{8, 3}, {6, 5}, {5, 5}}, 160, 64, 1, 1},
        ScanCase{"left scan never sees column 0", {{0, 3}}, 32, 64, -1, 0},
        ScanCase{"left scan sees column 1", {{1, 3}}, 64, 64, -1, 1},
        ScanCase{"last three columns ignored", {{17, 3}}, 16 * 32, 64, 1, 0},
        ScanCase{"fourth column from the edge seen", {{16, 3}}, 15 * 32, 64, 1, 1},
        ScanCase{"last three rows ignored", {{6, 9}, {5, 9}}, 160, 6 * 32, 1, 0},
        ScanCase{"scan past the right edge reads nothing", {}, 19 * 32, 64, 1, 0}),
    [](const ::testing::TestParamInfo<ScanCase>& param) { return "case" + std::to_string(param.index); });

// Solid-colour tile pictures to draw with; the table entry is cleared afterwards.
class MapDrawing : public MapModel {
 protected:
  void Put(uint16_t value, int layer, uint8_t r, uint8_t g, uint8_t b) {
    tile_images[value][static_cast<size_t>(layer)] = SolidImage(32, 32, r, g, b);
    used_.push_back({value, layer});
  }
  void TearDown() override {
    for (const auto& [value, layer] : used_) tile_images[value][static_cast<size_t>(layer)].reset();
    MapModel::TearDown();
  }
  std::vector<std::pair<uint16_t, int>> used_;
};

TEST_F(MapDrawing, BackLayersFollowTheCamera) {
  Put(5, 0, 255, 0, 0);
  Put(6, 1, 0, 0, 255);
  ResizeMap(10, 10);
  SetTile(2, 0, 0, 5);
  SetTile(3, 1, 1, 6);
  SetTile(4, 1, 1, 701);   // beyond the picture table: skipped
  SetTile(5, 1, 1, 300);   // no picture: skipped
  cam_tile_x = 2;
  cam_shift_x = -5;
  SetClsColor(255, 255, 255);
  Cls();
  DrawBackLayers();
  // Cell column 2 and the world pixel x = 64 both land at screen x -5.
  EXPECT_TRUE(PixelIs(0, 10, 255, 0, 0));
  EXPECT_TRUE(PixelIs(26, 10, 255, 0, 0));
  EXPECT_TRUE(PixelIs(27, 10, 255, 255, 255));
  EXPECT_EQ(ScreenX(64), -5);
  EXPECT_TRUE(PixelIs(27, 40, 0, 0, 255));
  EXPECT_TRUE(PixelIs(70, 40, 255, 255, 255));
}

TEST_F(MapDrawing, ForegroundAlphaDependsOnTheValue) {
  for (const int v : {29, 30, 99, 100}) Put(uint16_t(v), 2, 0, 0, 0);
  ResizeMap(8, 2);
  SetTile(0, 0, 2, 29);
  SetTile(1, 0, 2, 30);
  SetTile(2, 0, 2, 99);
  SetTile(3, 0, 2, 100);
  SetClsColor(255, 255, 255);
  Cls();
  SetAlpha(1);
  DrawForegroundLayer(0, 2.0f);
  const int water = 255 - int(0.35 * 255 + 0.5);
  const int scenery = 255 - int(0.95 * 255 + 0.5);
  EXPECT_TRUE(PixelIs(2 + 10, 10, water, water, water));
  EXPECT_TRUE(PixelIs(32 + 2 + 10, 10, scenery, scenery, scenery));
  EXPECT_TRUE(PixelIs(64 + 2 + 10, 10, scenery, scenery, scenery));
  EXPECT_TRUE(PixelIs(96 + 2 + 10, 10, 0, 0, 0));
  EXPECT_TRUE(PixelIs(1, 10, 255, 255, 255));   // shifted by fg_offset
  EXPECT_FLOAT_EQ(GetDrawState().color_alpha, 1.0f);
}

}  // namespace
}  // namespace vn::test
