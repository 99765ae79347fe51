// Figures, bars and notices checked by pixels.
#include <gtest/gtest.h>

#include "app/resources.h"
#include "engine/graphics.h"
#include "engine/timing.h"
#include "play/character_draw.h"
#include "play/movement.h"
#include "play/notice.h"
#include "tests/support/harness.h"

namespace vn::test {
namespace {

class Drawing : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Cls();
  }
};

struct PoseCase {
  const char* what;
  uint8_t typ, mode;
  uint16_t gunangle;
  int dx, dy;  // pixel relative to the cell's top-left (100, 100)
  int r, g, b;
};
class Poses : public Drawing, public ::testing::WithParamInterface<PoseCase> {};

TEST_P(Poses, PixelShowsThePartOfTheFigure) {
  const PoseCase c = GetParam();
  DrawCharacter(100, 100, c.typ, 0, c.mode, c.gunangle);
  EXPECT_TRUE(PixelIs(100 + c.dx, 100 + c.dy, c.r, c.g, c.b)) << c.what;
  EXPECT_EQ(GetDrawState().color_green, 255) << "drawing leaves the colour white";
}
INSTANTIATE_TEST_SUITE_P(
    Drawing, Poses,
    ::testing::Values(PoseCase{"player head at (x+10, y)", 0, 1, 0, 13, 6, 0, 0, 0},
                      PoseCase{"eye facing right", 0, 1, 0, 19, 6, 0, 200, 0},
                      PoseCase{"eye facing left", 0, 2, 180, 12, 6, 0, 200, 0},
                      PoseCase{"enemy head", 3, 1, 0, 13, 6, 117, 0, 15},
                      PoseCase{"gun hand at angle 0", 0, 1, 0, 18, 17, 112, 51, 3},
                      PoseCase{"gun hand at angle 180", 0, 2, 180, 10, 17, 112, 51, 3},
                      PoseCase{"no eye on a ladder", 0, 4, 0, 19, 6, 0, 0, 0},
                      PoseCase{"no gun hand on a ladder", 0, 4, 0, 17, 17, 0, 0, 0},
                      PoseCase{"swimming head in front, black", 2, 13, 0, 23, 13, 0, 0, 0},
                      PoseCase{"nothing on top while swimming", 0, 13, 0, 16, 4, 255, 255, 255},
                      PoseCase{"swimming left", 0, 14, 0, 3, 12, 0, 0, 0}));

struct BarCase {
  int32_t power, breath;
};
class Bars : public Drawing, public ::testing::WithParamInterface<BarCase> {};

TEST_P(Bars, WidthIsTheValueInPixels) {
  const auto [power, breath] = GetParam();
  DrawBars(power, breath);
  if (power > 4) {
    EXPECT_TRUE(PixelIs(21 + power - 4, 26, 255, 102, 102));
  }
  if (breath > 4) {
    EXPECT_TRUE(PixelIs(800 - 121 + breath - 4, 26, 0, 153, 204));
  }
  EXPECT_TRUE(PixelIs(21 + power + 3, 26, 255, 255, 255));
  EXPECT_TRUE(PixelIs(800 - 121 + breath + 3, 26, 255, 255, 255));
  if (power == 0) {
    EXPECT_TRUE(PixelIs(21, 26, 0, 0, 0)) << "an empty bar keeps its 2 px black outline";
  }
}
INSTANTIATE_TEST_SUITE_P(Drawing, Bars, ::testing::Values(BarCase{100, 100}, BarCase{37, 5}, BarCase{0, 0}));

// Help the player cannot read is no help: the sign box and the bars are drawn
// over the finished scene, even where opaque foreground covers everything.
TEST_F(Drawing, SignBoxAndBarsStayOverOpaqueForeground) {
  SetColor(0, 160, 0);
  DrawRect(0, 0, 32, 32);
  ImageRef green = CreateBlankImage(32, 32, 8, 0);
  for (int frame = 0; frame < 8; ++frame) GrabImageFrame(green, 0, 0, frame);
  SetColor(255, 255, 255);
  const ImageRef kept = tile_images[100][2];
  tile_images[100][2] = green;
  LevelBuilder level(40, 20);
  level.Floor(15).Fill(2, 0, 0, 39, 19, 100).Tile(1, 12, 14, 58).Code(12, 14, 1).Player(12 * 32, 14 * 32, 60);
  level.Start();
  const bool ran = StepFrames(2);
  tile_images[100][2] = kept;
  ASSERT_TRUE(ran);
  EXPECT_TRUE(PixelIs(5, 590, 0, 160, 0)) << "the foreground covers the scene";
  EXPECT_TRUE(PixelIs(400, 300 - 10, 30, 30, 30)) << "the sign box";
  EXPECT_TRUE(PixelIs(21 + 60 - 4, 26, 255, 102, 102)) << "the health bar";
  EXPECT_TRUE(PixelIs(800 - 121 + 100 - 4, 26, 0, 153, 204)) << "the air bar";
}

TEST_F(Drawing, NoticeShowsForItsTimeNearTheBottom) {
  ShowNotice("Gespeichert", 1000);
  DrawNotice();
  EXPECT_LT(PixelAt(400, 600 - 45).r, 160) << "a dark translucent box under the text";
  AdvanceVirtualClock(1001);
  EXPECT_EQ(CurrentNotice(), "");
  Cls();
  DrawNotice();
  EXPECT_TRUE(PixelIs(400, 600 - 45, 255, 255, 255));
}

}  // namespace
}  // namespace vn::test
