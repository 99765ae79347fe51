// The renderer's shortcuts (copying opaque pictures, alpha carried in the
// texture, skipping what lies outside the window, shared oval shapes) must
// give the pictures the plain blended draw gives.
#include <gtest/gtest.h>

#include "engine/graphics.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"

namespace vn {
namespace {

using test::PixelIs;

class FastPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    Cls();
  }
  void TearDown() override { Reset(); }
  static void Reset() { test::ResetDrawState(); }
  // A square of one colour; with a hole (alpha 0) in its top-left quarter when asked.
  static ImageRef Square(int side, uint8_t r, uint8_t g, uint8_t b, bool hole = false) {
    return ImageFromPixmap(test::PaintedPixmap(side, side, PF_RGBA8888, [&](int x, int y) {
      const bool in_hole = hole && x < side / 2 && y < side / 2;
      return test::Rgba{r, g, b, in_hole ? 0 : 255};
    }), 0);
  }
};

TEST_F(FastPaths, TranslucentPicturesBlendWithWhatLiesBeneath) {
  const ImageRef red = Square(16, 255, 0, 0, true);
  struct Case {
    float alpha;
    int expected_green;   // red over white: green and blue fall to 255 * (1 - alpha)
  };
  for (const Case& c : {Case{0.35f, 166}, Case{0.95f, 13}, Case{0.5f, 128}}) {
    Cls();
    SetAlpha(c.alpha);
    DrawImageFrame(red, 10, 10, 0);
    // Tolerance 2: translucent pictures blend on the renderer's fast path,
    // which rounds by shifting rather than dividing by 255.
    const test::Rgb pixel = test::PixelAt(20, 20);
    EXPECT_NEAR(pixel.r, 255, 2) << "alpha " << c.alpha;
    EXPECT_NEAR(pixel.g, c.expected_green, 2) << "alpha " << c.alpha;
    EXPECT_NEAR(pixel.b, c.expected_green, 2) << "alpha " << c.alpha;
    EXPECT_TRUE(PixelIs(12, 12, 255, 255, 255)) << "the hole stays see-through at alpha " << c.alpha;
  }
}

TEST_F(FastPaths, OneImageDrawnAtChangingAlphaFollowsEachAlpha) {
  const ImageRef blue = Square(8, 0, 0, 255);
  SetAlpha(0.5f);
  DrawImageFrame(blue, 0, 0, 0);
  SetAlpha(1);
  DrawImageFrame(blue, 20, 0, 0);
  SetAlpha(0.5f);
  DrawImageFrame(blue, 40, 0, 0);
  SetAlpha(0);
  DrawImageFrame(blue, 60, 0, 0);
  EXPECT_NEAR(test::PixelAt(4, 4).r, 128, 2);
  EXPECT_TRUE(PixelIs(24, 4, 0, 0, 255));
  EXPECT_NEAR(test::PixelAt(44, 4).r, 128, 2);
  EXPECT_TRUE(PixelIs(64, 4, 255, 255, 255)) << "alpha 0 draws nothing";
}

TEST_F(FastPaths, OpaquePicturesCoverAndTurnedOnesKeepTheirCornersClear) {
  const ImageRef green = Square(20, 0, 255, 0);
  DrawImageFrame(green, 100, 100, 0);
  EXPECT_TRUE(PixelIs(110, 110, 0, 255, 0));
  // Turned by 45 degrees about its top-left corner: the square's own corner
  // region to the upper right of the handle stays white.
  SetDrawRotation(45);
  DrawImageFrame(green, 200, 100, 0);
  SetDrawRotation(0);
  EXPECT_TRUE(PixelIs(215, 101, 255, 255, 255));
  EXPECT_TRUE(PixelIs(200, 110, 0, 255, 0));
}

TEST_F(FastPaths, GrabbedPixelsReplaceTheOldPictureAtEveryAlpha) {
  const ImageRef image = CreateBlankImage(8, 8, 1, 0);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 8, 8);
  SetColor(255, 255, 255);
  GrabImageFrame(image, 0, 0, 0);
  SetAlpha(0.5f);
  DrawImageFrame(image, 50, 50, 0);   // makes the faded copy of the red picture
  Cls();
  SetAlpha(1);
  SetColor(0, 0, 255);
  DrawRect(0, 0, 8, 8);
  SetColor(255, 255, 255);
  GrabImageFrame(image, 0, 0, 0);
  SetAlpha(0.5f);
  DrawImageFrame(image, 50, 50, 0);
  const test::Rgb pixel = test::PixelAt(54, 54);
  EXPECT_NEAR(pixel.b, 255, 2);
  EXPECT_NEAR(pixel.r, 128, 2) << "still the old red picture";
}

TEST_F(FastPaths, OnlyDrawsThatCanReachTheWindowAreCounted) {
  const ImageRef tile = Square(32, 10, 20, 30);
  ResetDrawStats();
  DrawImageFrame(tile, -40, 0, 0);      // wholly left of the window
  DrawImageFrame(tile, 0, 700, 0);      // below it
  DrawImageFrame(tile, -20, -20, 0);    // partly inside
  DrawOval(-50, -50, 12, 12);
  SetColor(0, 0, 0);
  DrawOval(790, 590, 20, 20);
  DrawRect(900, 10, 5, 5);
  SetColor(255, 255, 255);
  DrawRect(0, 0, 2, 2);
  SetDrawRotation(-90);
  DrawImageFrame(tile, -5, 40, 0);      // turned about a handle outside, into view
  SetDrawRotation(0);
  const TDrawStats& stats = GetDrawStats();
  EXPECT_EQ(stats.images, 2);
  EXPECT_EQ(stats.ovals, 1);
  EXPECT_EQ(stats.oval_points, OvalPointCount(20, 20));
  EXPECT_EQ(stats.rects, 1);
  EXPECT_TRUE(PixelIs(5, 5, 10, 20, 30));
  EXPECT_TRUE(PixelIs(797, 597, 0, 0, 0));
}

TEST_F(FastPaths, OvalsOfEverySizeStayFilledEllipses) {
  SetColor(0, 0, 0);
  // Many sizes in a row share cached shapes; each must still be its own ellipse.
  for (int size = 4; size <= 64; size += 6) DrawOval(float(size * 10 % 700), 300, float(size), float(size));
  DrawOval(100, 100, 60, 20);
  SetColor(255, 255, 255);
  EXPECT_TRUE(PixelIs(130, 110, 0, 0, 0)) << "centre of the 60 x 20 oval";
  EXPECT_TRUE(PixelIs(101, 101, 255, 255, 255)) << "corner of its box";
  EXPECT_TRUE(PixelIs(130, 98, 255, 255, 255)) << "just above it";
}

}  // namespace
}  // namespace vn
