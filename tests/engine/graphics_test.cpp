#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/graphics.h"
#include "engine/timing.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"

namespace vn {
namespace {

using test::PixelIs;

// Every test starts on a white frame with the game's drawing state.
class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    RestoreGameState();
    Cls();
  }
  void TearDown() override { RestoreGameState(); }

  static void RestoreGameState() { test::ResetDrawState(); }
  static void Black() { SetColor(0, 0, 0); }

  // 20 x 10: the left half red, the right half blue, so turns and flips show.
  static ImageRef RedBlueImage() {
    return ImageFromPixmap(test::PaintedPixmap(20, 10, PF_RGBA8888, [](int x, int) {
      return x < 10 ? test::Rgba{255, 0, 0, 255} : test::Rgba{0, 0, 255, 255};
    }), 0);
  }
};

TEST_F(Drawing, ColourAndAlphaAreClampedToTheirRanges) {
  SetColor(300, -5, 128);
  EXPECT_EQ(GetDrawState().color_red + GetDrawState().color_green, 255);
  EXPECT_EQ(GetDrawState().color_blue, 128);
  SetAlpha(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(GetDrawState().color_alpha, 0.0f);

  // Over white: alpha 1.5 acts as 1, -0.2 as 0, 0.5 as device alpha 127.
  Black();
  const float alphas[3] = {1.5f, -0.2f, 0.5f};
  for (int i = 0; i < 3; ++i) {
    SetAlpha(alphas[i]);
    DrawRect(float(10 + 10 * i), 10, 4, 4);
  }
  EXPECT_TRUE(PixelIs(11, 11, 0, 0, 0));
  EXPECT_TRUE(PixelIs(21, 11, 255, 255, 255));
  EXPECT_TRUE(PixelIs(31, 11, 128, 128, 128));
}

TEST_F(Drawing, RotationTurnsARectClockwiseAboutItsCorner) {
  Black();
  SetDrawRotation(90);
  DrawRect(100, 100, 40, 10);
  // Turned a quarter clockwise it hangs down and to the left of (100, 100).
  EXPECT_TRUE(PixelIs(95, 130, 0, 0, 0));
  EXPECT_TRUE(PixelIs(120, 105, 255, 255, 255));
  EXPECT_TRUE(PixelIs(105, 130, 255, 255, 255));

  // At 45 degrees the square stands on its corner below (400, 100).
  SetDrawRotation(45);
  DrawRect(400, 100, 40, 40);
  EXPECT_TRUE(PixelIs(400, 128, 0, 0, 0));
  EXPECT_TRUE(PixelIs(425, 105, 255, 255, 255));
  EXPECT_TRUE(PixelIs(400, 160, 255, 255, 255));
}

TEST_F(Drawing, ScaleAndOriginMoveEveryShape) {
  Black();
  DrawRect(10, 20, 5, 3);  // unscaled: exactly its own pixels
  EXPECT_TRUE(PixelIs(14, 22, 0, 0, 0));
  EXPECT_TRUE(PixelIs(15, 22, 255, 255, 255));
  EXPECT_TRUE(PixelIs(14, 23, 255, 255, 255));

  SetDrawScale(2, 3);
  DrawRect(100, 100, 10, 10);
  EXPECT_TRUE(PixelIs(118, 128, 0, 0, 0));
  EXPECT_TRUE(PixelIs(121, 105, 255, 255, 255));
  EXPECT_TRUE(PixelIs(105, 131, 255, 255, 255));

  SetDrawScale(1, 1);
  SetDrawOrigin(50, 20);
  DrawRect(10, 10, 5, 5);
  EXPECT_TRUE(PixelIs(62, 32, 0, 0, 0));
  EXPECT_TRUE(PixelIs(12, 12, 255, 255, 255));
}

TEST(OvalPointCount, GrowsWithTheBoxInStepsOfFour) {
  struct Case {
    float w, h;
    int points;
  };
  for (const Case& c : {Case{4, 4, 12}, Case{0, 0, 12}, Case{23.9f, 0, 12}, Case{30, 30, 28}, Case{100, 50, 72},
                        Case{-40, -40, 40}, Case{26, 0, 12}, Case{32, 32, 32}}) {
    EXPECT_EQ(OvalPointCount(c.w, c.h), c.points) << c.w << " x " << c.h;
  }
  // Damaged sizes still give a drawable, bounded polygon.
  const int huge = OvalPointCount(1e30f, 1e30f);
  EXPECT_EQ(huge % 4, 0);
  EXPECT_LE(huge, 4096);
  EXPECT_GE(OvalPointCount(std::numeric_limits<float>::quiet_NaN(), 4), 12);
}

TEST_F(Drawing, OvalFillsTheEllipseInsideItsBox) {
  Black();
  DrawOval(100, 100, 60, 40);
  EXPECT_TRUE(PixelIs(130, 120, 0, 0, 0));  // centre
  EXPECT_TRUE(PixelIs(130, 102, 0, 0, 0));  // just inside the top
  EXPECT_TRUE(PixelIs(157, 120, 0, 0, 0));  // just inside the right
  EXPECT_TRUE(PixelIs(102, 102, 255, 255, 255));  // the box's corners stay empty
  EXPECT_TRUE(PixelIs(157, 137, 255, 255, 255));
  EXPECT_TRUE(PixelIs(130, 141, 255, 255, 255));  // below the box
}

TEST_F(Drawing, ImageFrameLandsWithItsHandleAndTurns) {
  ImageRef image = RedBlueImage();
  DrawImageFrame(image, 40, 40, 0);
  EXPECT_TRUE(PixelIs(40, 40, 255, 0, 0));
  EXPECT_TRUE(PixelIs(59, 49, 0, 0, 255));
  EXPECT_TRUE(PixelIs(60, 45, 255, 255, 255));

  // Handle at the middle of the left edge, turned 90 degrees: the image hangs
  // down from (200, 200), red half on top.
  SetImageHandlePoint(image, 0, 5);
  SetDrawRotation(90);
  DrawImageFrame(image, 200, 200, 0);
  EXPECT_TRUE(PixelIs(200, 204, 255, 0, 0));
  EXPECT_TRUE(PixelIs(198, 216, 0, 0, 255));
  EXPECT_TRUE(PixelIs(208, 205, 255, 255, 255));
  EXPECT_TRUE(PixelIs(200, 196, 255, 255, 255));
}

TEST_F(Drawing, NegativeScaleMirrorsAnImageAboutItsHandle) {
  ImageRef image = RedBlueImage();
  SetDrawScale(-1, 1);
  DrawImageFrame(image, 300, 300, 0);
  EXPECT_TRUE(PixelIs(297, 305, 255, 0, 0));
  EXPECT_TRUE(PixelIs(283, 305, 0, 0, 255));
  EXPECT_TRUE(PixelIs(302, 305, 255, 255, 255));
}

TEST_F(Drawing, BlendModesCombineSourceAndDestination) {
  struct Case {
    int mode;
    float alpha;
    int expected[3];
  };
  PixmapRef white = CreatePixmap(8, 8, PF_RGBA8888);
  std::fill(white->pixels.begin(), white->pixels.end(), uint8_t(255));
  const ImageRef image = ImageFromPixmap(white, 0);
  // Background (200, 100, 50), source (128, 128, 128), as a rectangle, an
  // oval and an image.
  for (const Case& c : {Case{3, 0.5f, {164, 114, 89}}, Case{4, 0.5f, {255, 164, 114}},
                        Case{5, 1.0f, {100, 50, 25}}, Case{2, 0.5f, {128, 128, 128}},
                        Case{99, 0.5f, {128, 128, 128}}}) {
    for (int shape = 0; shape < 3; ++shape) {
      SetBlend(3);
      SetAlpha(1);
      SetColor(200, 100, 50);
      DrawRect(0, 0, 40, 40);
      SetBlend(c.mode);
      SetAlpha(c.alpha);
      SetColor(128, 128, 128);
      if (shape == 0) DrawRect(0, 0, 8, 8);
      if (shape == 1) DrawOval(0, 0, 8, 8);
      if (shape == 2) DrawImageFrame(image, 0, 0, 0);
      DrawImageFrame(image, 0, 0, 1);  // frames that do not exist draw nothing
      DrawImageFrame(nullptr, 0, 0, 0);
      EXPECT_TRUE(PixelIs(4, 4, c.expected[0], c.expected[1], c.expected[2])) << "blend " << c.mode << " shape " << shape;
    }
  }
}

TEST_F(Drawing, GrabbedPixelsOutsideTheWindowAreOpaqueBlack) {
  const PixmapRef grab = GrabPixmap(790, 590, 20, 20);
  ASSERT_TRUE(grab);
  ASSERT_EQ(grab->width, 20);
  uint8_t rgba[4];
  GetPixelRGBA(*grab, 5, 5, rgba);
  EXPECT_EQ(rgba[0] + rgba[1] + rgba[2] + rgba[3], 4 * 255);
  GetPixelRGBA(*grab, 15, 15, rgba);
  EXPECT_EQ(rgba[0] + rgba[1] + rgba[2], 0);
  EXPECT_EQ(rgba[3], 255);
  EXPECT_EQ(GrabPixmap(0, 0, 0, 0)->pixels.size(), 0u);
}

TEST_F(Drawing, GrabbedFramesHideTheMaskColourAndReplaceTheOldPicture) {
  SetColor(255, 0, 255);
  DrawRect(0, 0, 4, 4);
  SetColor(0, 128, 0);
  DrawRect(4, 0, 4, 4);
  ImageRef image = CreateBlankImage(8, 4, 2, 1);
  ASSERT_TRUE(image);
  GrabImageFrame(image, 0, 0, 1);
  Black();
  DrawRect(100, 100, 20, 20);
  SetColor(255, 255, 255);
  DrawImageFrame(image, 100, 100, 1);
  EXPECT_TRUE(PixelIs(101, 101, 0, 0, 0));  // magenta was masked out
  EXPECT_TRUE(PixelIs(105, 101, 0, 128, 0));

  // A second grab into the same frame shows, although a texture was made.
  SetColor(0, 0, 255);
  DrawRect(0, 0, 8, 4);
  GrabImageFrame(image, 0, 0, 1);
  SetColor(255, 255, 255);
  DrawImageFrame(image, 100, 100, 1);
  EXPECT_TRUE(PixelIs(101, 101, 0, 0, 255));
}

TEST_F(Drawing, ReopenedWindowStartsBlackAndRedrawsOldImages) {
  ImageRef image = RedBlueImage();
  DrawImageFrame(image, 0, 0, 0);
  const TDrawState before = GetDrawState();

  ASSERT_TRUE(OpenGraphics(before.g_width, before.g_height, 0, 60));
  EXPECT_TRUE(PixelIs(5, 5, 0, 0, 0));
  EXPECT_EQ(GetDrawState().blend_mode, 1);
  EXPECT_EQ(GetDrawState().color_alpha, 1.0f);

  RestoreGameState();
  DrawImageFrame(image, 30, 30, 0);
  EXPECT_TRUE(PixelIs(32, 32, 255, 0, 0));
  EXPECT_TRUE(PixelIs(47, 32, 0, 0, 255));
}

TEST(FlipPacing, SixtyPacedFlipsTakeOneSecondAtSixtyHertz) {
  ASSERT_TRUE(IsVirtualClock());
  AdvanceVirtualClock(500);
  Flip(-1);  // behind the clock: the schedule restarts now, without catching up
  const int32_t start = ClockMillis();
  for (int i = 0; i < 60; ++i) Flip(-1);
  EXPECT_EQ(ClockMillis() - start, 1000);  // 16 ms a frame plus the spread remainder
}

}  // namespace
}  // namespace vn
