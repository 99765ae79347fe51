// Figures, bars and notices checked by pixels.
#include <gtest/gtest.h>

#include "app/resources.h"
#include "engine/graphics.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "play/character_draw.h"
#include "play/hud.h"
#include "play/notice.h"
#include "tests/support/harness.h"
#include "world/map.h"
#include "world/tiles.h"

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
  // Past the value lies only the faint grey track of the full width, then nothing.
  for (int32_t x : {21 + power + 3, 800 - 121 + breath + 3}) {
    const Rgb c = PixelAt(x, 26);
    const bool track = c.r == c.g && c.g == c.b && c.r > 150 && c.r < 200;
    const bool past_track = x >= 20 + 102 && (x < 678 || x >= 678 + 102);
    EXPECT_TRUE(past_track ? c.r == 255 && c.g == 255 : track) << "at x " << x << ": " << c.r;
  }
  if (power == 0) {
    EXPECT_TRUE(PixelIs(21, 26, 0, 0, 0)) << "an empty bar keeps its 2 px black outline";
  }
}
INSTANTIATE_TEST_SUITE_P(Drawing, Bars, ::testing::Values(BarCase{100, 100}, BarCase{37, 5}, BarCase{0, 0}));

// Opaque foreground value 100 painted plain green (8 frames) while the object lives.
class GreenForeground {
 public:
  GreenForeground() : kept_(world_assets.tile_images[100][2]) {
    SetColor(0, 160, 0);
    DrawRect(0, 0, 32, 32);
    ImageRef green = CreateBlankImage(32, 32, 8, 0);
    for (int frame = 0; frame < 8; ++frame) GrabImageFrame(green, 0, 0, frame);
    SetColor(255, 255, 255);
    world_assets.tile_images[100][2] = green;
  }
  ~GreenForeground() { world_assets.tile_images[100][2] = kept_; }
 private:
  ImageRef kept_;
};

// Help the player cannot read is no help: the sign box and the bars are drawn
// over the finished scene, even where opaque foreground covers everything, and
// the sign box keeps away from the player. Scenery over a figure gives way.
TEST_F(Drawing, OverlayAndFiguresStayVisibleUnderOpaqueForeground) {
  const GreenForeground green;
  LevelBuilder level(40, 18);   // no taller than the window: the camera stays put
  level.Floor(15).Fill(2, 0, 0, 39, 17, 100).Tile(1, 12, 14, 58).Code(12, 14, 1).Player(12 * 32, 14 * 32, 60);
  level.Enemy(18 * 32, 14 * 32);
  level.Start();
  ASSERT_TRUE(StepFrames(2));
  EXPECT_TRUE(PixelIs(5, 570, 0, 160, 0)) << "the foreground covers the scene";
  for (int x : {12 * 32 + 16, 18 * 32 + 16}) {
    const Rgb figure = PixelAt(x, 14 * 32 + 18);
    EXPECT_LT(figure.g, 120) << "the scenery over a figure at x " << x << " is see-through";
  }
  EXPECT_TRUE(PixelIs(400, 44 + 5, 30, 30, 30)) << "the sign box at the top, away from the player below";
  EXPECT_TRUE(PixelIs(400, 300, 0, 160, 0)) << "nothing in the middle";
  EXPECT_TRUE(PixelIs(21 + 60 - 4, 26, 255, 102, 102)) << "the health bar";
  EXPECT_TRUE(PixelIs(800 - 121 + 100 - 4, 26, 0, 160, 0)) << "full air out of the water: no air bar";
  RemoveEnemies();  // its shots would end the walk
  Player()->x = 6 * 32;   // walked past the sign
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(PixelIs(400, 44 + 5, 30, 30, 30)) << "the text stays a moment";
  ASSERT_TRUE(StepFrames(180));
  EXPECT_TRUE(PixelIs(400, 44 + 5, 0, 160, 0)) << "and then goes";
  ASSERT_NE(Player(), nullptr);
  Player()->x = 11 * 32;   // beside the post
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(PixelIs(400, 44 + 5, 30, 30, 30)) << "a sign is read from beside it too";
}

TEST_F(Drawing, AirBarShowsInWaterAndUntilFullAgain) {
  LevelBuilder level(30, 20);
  level.Floor(15).Fill(2, 10, 10, 14, 14, 1).Player(12 * 32, 14 * 32);
  level.Start();
  ASSERT_TRUE(StepFrames(2));
  EXPECT_TRUE(PixelIs(800 - 121 + 90, 26, 0, 153, 204)) << "in the water";
  Player()->x = 20 * 32;   // out of the water with air missing
  Player()->breath = 80;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(PixelIs(800 - 121 + 70, 26, 0, 153, 204));
  Player()->breath = 100;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_FALSE(PixelIs(800 - 121 + 70, 26, 0, 153, 204)) << "full again: gone";
}

bool Overlaps(const HudRect& a, const HudRect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Wherever the camera leaves the player, in any window size, the sign box covers
// neither the figure (drawn up to a falling step away from where it stands now)
// nor the bars nor the notice at the same edge.
TEST_F(Drawing, SignBoxNeverCoversThePlayerBarsOrNotice) {
  const Screen kept = screen;
  const int32_t one_line_h = FontLineHeight() + 20;
  for (auto [w, h] : {std::pair{800, 600}, {640, 480}, {1280, 720}, {1600, 900}}) {
    screen.screen_width = w;
    screen.screen_height = h;
    for (const int32_t lines : {0, 1, 2}) {   // no notice, one line, one wrapped in two
      const int32_t notice_h = lines == 0 ? 0 : one_line_h + (lines - 1) * (FontLineHeight() + 4);
      for (int32_t y = -16; y <= h - 16; y += 4) {
        const bool lower = y + 16 > h / 2;
        const HudRect sign = SignBoxRect(w - 100, FontLineHeight(), lower, notice_h);
        const HudRect figure{0, y - 16, w, 64};
        const HudRect notice_box{0, lower ? 44 : h - 40 - notice_h, w, notice_h};
        EXPECT_FALSE(Overlaps(sign, figure)) << w << "x" << h << " player at " << y;
        EXPECT_FALSE(Overlaps(sign, HealthBarArea()) || Overlaps(sign, BreathBarArea())) << w << "x" << h;
        EXPECT_FALSE(lines > 0 && Overlaps(sign, notice_box)) << w << "x" << h << " player at " << y;
      }
    }
  }
  screen = kept;
}

// A hint wider than a small window wraps into lines inside it.
TEST_F(Drawing, ALongNoticeWrapsInsideTheWindow) {
  const Screen kept = screen;
  const std::string text = "Der Gegner ist verdeckt: Schüsse treffen nur die Deckung, dann lädt die Waffe nach. "
                           "Loslassen, auf die Deckung steigen, dann halten";
  ShowNotice(text, 1000);
  const int32_t one_line = NoticeBoxHeight();
  screen.screen_width = 320;
  EXPECT_GT(NoticeBoxHeight(), one_line) << "wrapped";
  Cls();
  DrawNotice();
  EXPECT_TRUE(PixelIs(4, 600 - 45, 255, 255, 255)) << "the box keeps off the window's sides";
  screen = kept;
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
