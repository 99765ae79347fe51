// The painted pictures, read back through the game's own decoders: every file
// the game loads is there, in the size it cuts from it, and the magenta mask
// appears only where the picture is meant to be see-through.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/graphics.h"
#include "tests/support/harness.h"
#include "tools/gen/art.h"
#include "tools/gen/art_bmp_writer.h"
#include "tools/gen/art_canvas.h"
#include "tools/gen/art_picture_set.h"

namespace {

namespace fs = std::filesystem;

struct Pixel {
  int r, g, b, a;
};

Pixel At(const vn::TPixmap& p, int x, int y) {
  uint8_t c[4];
  vn::GetPixelRGBA(p, x, y, c);
  return {c[0], c[1], c[2], c[3]};
}

bool IsMagenta(Pixel p) { return p.r == 255 && p.g == 0 && p.b == 255; }
// Close to magenta without being it: a fringe the mask would leave visible.
bool NearMagenta(Pixel p) { return !IsMagenta(p) && p.r > 200 && p.g < 70 && p.b > 200; }

class PaintedPictures : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("vn_art_test_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    vngen::WriteAllPictures(dir_.string());
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  static vn::PixmapRef Load(const std::string& relative) { return vn::LoadPixmap((dir_ / "gfx" / relative).string()); }
  static std::vector<fs::path> Bmps() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_ / "gfx"))
      if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    return files;
  }
  static inline fs::path dir_;
};

TEST_F(PaintedPictures, EveryPictureTheGameLoadsHasItsSize) {
  struct Expected {
    std::string file;
    int width, height;
  };
  std::vector<Expected> expected = {
      {"gun0.bmp", 64, 32},         {"gun1.bmp", 64, 32},      {"gun2.bmp", 64, 32},
      {"explosion.bmp", 1152, 64},  {"crosshair.png", 32, 32}, {"background.png", 800, 600},
      {"titel.png", 450, 400},      {"bag.png", 300, 169},
  };
  // The tiles a level cannot do without: the special values of every layer.
  for (int v : {24, 670, 680}) expected.push_back({"layer0/" + std::to_string(v) + ".bmp", 32, 32});
  for (int v : {1, 11, 57, 58, 260, 261, 262, 263, 264, 265, 285, 286, 650, 651, 660, 680})
    expected.push_back({"layer1/" + std::to_string(v) + ".bmp", 32, 32});
  for (int v = 230; v <= 259; ++v) expected.push_back({"layer1/" + std::to_string(v) + ".bmp", 32, 32});
  for (int v : {1, 2, 3, 30, 100, 600}) expected.push_back({"layer2/" + std::to_string(v) + ".bmp", 256, 32});

  for (const auto& e : expected) {
    vn::PixmapRef p = Load(e.file);
    ASSERT_TRUE(p) << e.file << " is missing or does not decode";
    EXPECT_EQ(p->width, e.width) << e.file;
    EXPECT_EQ(p->height, e.height) << e.file;
  }
}

TEST_F(PaintedPictures, EveryTileFileHasTheSizeOfItsLayer) {
  for (int layer = 0; layer < 3; ++layer)
    for (const auto& entry : fs::directory_iterator(dir_ / "gfx" / ("layer" + std::to_string(layer)))) {
      int value = std::stoi(entry.path().stem().string());
      EXPECT_GE(value, 1) << entry.path();
      EXPECT_LE(value, 700) << entry.path();
      vn::PixmapRef p = vn::LoadPixmap(entry.path().string());
      ASSERT_TRUE(p) << entry.path();
      EXPECT_EQ(p->width, layer == 2 ? 256 : 32) << entry.path();
      EXPECT_EQ(p->height, 32) << entry.path();
    }
}

TEST_F(PaintedPictures, MaskedPicturesUseExactMagentaOnlyAndSolidTilesNone) {
  for (const fs::path& file : Bmps()) {
    vn::PixmapRef p = vn::LoadPixmap(file.string());
    ASSERT_TRUE(p) << file;
    ASSERT_FALSE(vn::FormatHasAlpha(p->format)) << file << ": the mask only applies to pictures without alpha";
    bool solid = file.parent_path().filename() == "layer0";
    int fringes = 0, holes = 0, painted = 0;
    for (int y = 0; y < p->height; ++y)
      for (int x = 0; x < p->width; ++x) {
        Pixel px = At(*p, x, y);
        fringes += NearMagenta(px);
        holes += IsMagenta(px);
        painted += !IsMagenta(px);
      }
    EXPECT_EQ(fringes, 0) << file;
    EXPECT_GT(painted, 0) << file << " is empty";
    // A see-through spot in a solid tile would look like a way through.
    if (solid) {
      EXPECT_EQ(holes, 0) << file;
    }
  }
}

TEST_F(PaintedPictures, ObjectsLeaveTheirSurroundingsSeeThrough) {
  // Objects stand in front of the solid layer; a corner of the pick-ups and
  // switches must show what lies behind.
  for (int v : {1, 11, 58, 230, 231, 232, 250, 260, 650}) {
    vn::PixmapRef p = Load("layer1/" + std::to_string(v) + ".bmp");
    ASSERT_TRUE(p);
    EXPECT_TRUE(IsMagenta(At(*p, 0, 0)) || IsMagenta(At(*p, 31, 0))) << "layer1/" << v;
  }
}

TEST_F(PaintedPictures, ItemPicturesAreAllDifferent) {
  // Each bag slot shows its own picture; two equal ones would be a mix-up.
  std::set<std::vector<uint8_t>> seen;
  for (int v = 230; v <= 259; ++v) {
    vn::PixmapRef p = Load("layer1/" + std::to_string(v) + ".bmp");
    ASSERT_TRUE(p);
    EXPECT_TRUE(seen.insert(p->pixels).second) << "layer1/" << v << " repeats an earlier item";
  }
}

TEST_F(PaintedPictures, GunFrameOneIsFrameZeroUpsideDown) {
  for (int gun = 0; gun < 3; ++gun) {
    vn::PixmapRef p = Load("gun" + std::to_string(gun) + ".bmp");
    ASSERT_TRUE(p);
    int painted_right_half = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        Pixel a = At(*p, x, y), b = At(*p, 32 + x, 31 - y);
        ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "gun" << gun << " at " << x << "," << y;
        painted_right_half += x >= 16 && !IsMagenta(a);
      }
    // The barrel reaches from the centre to the right edge, where the game aims.
    EXPECT_GT(painted_right_half, 20) << "gun" << gun;
    bool reaches_edge = false;
    for (int y = 0; y < 32; ++y) reaches_edge |= !IsMagenta(At(*p, 31, y));
    EXPECT_TRUE(reaches_edge) << "gun" << gun;
  }
}

TEST_F(PaintedPictures, ScreenPicturesAreOpaqueAndTheBackgroundRepeatsSideways) {
  for (const char* file : {"background.png", "titel.png", "bag.png"}) {
    vn::PixmapRef p = Load(file);
    ASSERT_TRUE(p) << file;
    for (int y = 0; y < p->height; y += 7)
      for (int x = 0; x < p->width; x += 5) ASSERT_EQ(At(*p, x, y).a, 255) << file << " at " << x << "," << y;
  }
  // Drawn twice side by side: the last column must continue into the first.
  vn::PixmapRef bg = Load("background.png");
  ASSERT_TRUE(bg);
  int worst = 0;
  for (int y = 0; y < 600; ++y) {
    Pixel l = At(*bg, 0, y), r = At(*bg, 799, y);
    worst = std::max({worst, std::abs(l.r - r.r), std::abs(l.g - r.g), std::abs(l.b - r.b)});
  }
  EXPECT_LE(worst, 40);
}

TEST_F(PaintedPictures, MenuTextRowsOfTheTitleAreDarkAndTheBagIsLightInTheMiddle) {
  vn::PixmapRef title = Load("titel.png");
  ASSERT_TRUE(title);
  for (int window_row : {100, 200, 300, 400}) {
    // Near-white text, about 16 design rows tall, starts at this window row.
    int design_row = window_row * 400 / 600 + 8;
    int sum = 0, count = 0;
    for (int x = 120; x < 330; ++x) {
      Pixel p = At(*title, x, design_row);
      sum += (p.r * 3 + p.g * 6 + p.b) / 10;
      ++count;
    }
    EXPECT_LT(sum / count, 60) << "window row " << window_row;
  }
  vn::PixmapRef bag = Load("bag.png");
  ASSERT_TRUE(bag);
  for (auto [x, y] : {std::pair{150, 84}, {90, 40}, {210, 130}}) {
    Pixel p = At(*bag, x, y);
    EXPECT_GT((p.r * 3 + p.g * 6 + p.b) / 10, 180) << x << "," << y;  // black count and items stay readable
  }
}

TEST_F(PaintedPictures, CrosshairHasRealTransparency) {
  vn::PixmapRef p = Load("crosshair.png");
  ASSERT_TRUE(p);
  ASSERT_TRUE(vn::FormatHasAlpha(p->format));
  EXPECT_EQ(At(*p, 0, 0).a, 0);
  EXPECT_EQ(At(*p, 16, 16).a, 255);
}

TEST(PictureWriting, PaintedMagentaIsNudgedAndClearBecomesMagenta) {
  vngen::Rgba painted = vngen::MaskedColor({255, 0, 255, 255});
  EXPECT_FALSE(painted.r == 255 && painted.g == 0 && painted.b == 255);
  vngen::Rgba clear = vngen::MaskedColor({10, 20, 30, 0});
  EXPECT_TRUE(clear.r == 255 && clear.g == 0 && clear.b == 255);
  vngen::Rgba kept = vngen::MaskedColor({10, 20, 30, 255});
  EXPECT_TRUE(kept.r == 10 && kept.g == 20 && kept.b == 30);
}

TEST(PictureWriting, FailuresAreReportedNotSwallowed) {
  vngen::Canvas c(32, 32);
  EXPECT_THROW(vngen::WriteMaskedBmp(c, "/nonexistent-dir/x.bmp"), std::runtime_error);

  vn::test::TempGameDir dir;
  vngen::PictureSet set(dir.Path().string());
  EXPECT_THROW(set.Tile(1, 5, "too small", vngen::Canvas(16, 16)), std::logic_error);
  EXPECT_THROW(set.Tile(2, 5, "one frame only", vngen::Canvas(32, 32)), std::logic_error);
  EXPECT_THROW(set.Tile(0, 701, "no such value", c), std::logic_error);
  EXPECT_THROW(set.Tile(0, 0, "empty cell", c), std::logic_error);
  set.Tile(0, 5, "first", c);
  EXPECT_THROW(set.Tile(0, 5, "second", c), std::logic_error);
}

TEST(Canvas, TileTexturesRepeatEveryThirtyTwoPixels) {
  // Neighbouring cells must join without a seam, whatever the cell size.
  for (float cell : {5.0f, 6.0f, 7.0f, 8.0f, 9.0f})
    for (int i = 0; i < 32; ++i) {
      float x = float(i) + 0.5f, y = float(i * 7 % 32);
      EXPECT_FLOAT_EQ(vngen::TileNoise(x, y, cell, 3), vngen::TileNoise(x + 32, y, cell, 3)) << cell;
      EXPECT_FLOAT_EQ(vngen::TileNoise(x, y, cell, 3), vngen::TileNoise(x, y + 32, cell, 3)) << cell;
    }
}

TEST(Canvas, OutlineRingsOnlyTheClearPixelsBesideAShape) {
  vngen::Canvas c(8, 8);
  c.FillRect(3, 3, 2, 2, {200, 100, 50, 255});
  c.Outline({1, 2, 3, 255});
  EXPECT_EQ(c.Get(3, 3).r, 200);  // the shape itself is untouched
  EXPECT_EQ(c.Get(2, 3).r, 1);    // beside it
  EXPECT_EQ(c.Get(3, 2).r, 1);    // above it
  EXPECT_EQ(c.Get(2, 2).a, 0);    // diagonal neighbours stay clear
  EXPECT_EQ(c.Get(0, 0).a, 0);
  // Drawing past the edge is clipped, never out of bounds.
  c.FillRect(-5, -5, 20, 20, {9, 9, 9, 255});
  c.Line(-10, 3, 20, 3, {9, 9, 9, 255});
  EXPECT_EQ(c.Get(-1, 0).a, 0);
}

}  // namespace
