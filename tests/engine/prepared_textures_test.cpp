// Pictures and glyphs prepared before play must be drawn from what was prepared,
// with no texture made in the frame, and look exactly as if made on the spot.
#include <gtest/gtest.h>

#include "engine/graphics.h"
#include "engine/text.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"

namespace vn {
namespace {

ImageRef TwoFrameStrip() {
  ImageRef image = ImageFromPixmap(test::PaintedPixmap(16, 8, PF_RGBA8888, [](int x, int) {
    return test::Rgba{x < 8 ? 255 : 0, 0, x < 8 ? 0 : 255, 255};
  }), 0);
  ImageRef strip = CreateBlankImage(8, 8, 2, 0);
  Cls();
  DrawImageFrame(image, 0, 0, 0);
  GrabImageFrame(strip, 0, 0, 0);
  GrabImageFrame(strip, 8, 0, 1);
  return strip;
}

class PreparedTextures : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBlend(3);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetClsColor(255, 255, 255);
    Cls();
  }
  void TearDown() override { SetAlpha(1); }
  static int64_t TexturesMadeBy(void (*draw)()) {
    ResetDrawStats();
    draw();
    return GetDrawStats().textures_made;
  }
};

TEST_F(PreparedTextures, EveryFrameAndTheAlphaAskedForAreReadyBeforeTheFirstDraw) {
  static ImageRef strip;
  strip = TwoFrameStrip();
  Cls();
  PrepareImage(strip, 0.5f);

  EXPECT_EQ(TexturesMadeBy([] {
              DrawImageFrame(strip, 0, 0, 0);
              DrawImageFrame(strip, 10, 0, 1);
              SetAlpha(0.5f);
              DrawImageFrame(strip, 20, 0, 0);
              DrawImageFrame(strip, 30, 0, 1);
              SetAlpha(1);
            }),
            0);
  EXPECT_TRUE(test::PixelIs(4, 4, 255, 0, 0));
  EXPECT_TRUE(test::PixelIs(14, 4, 0, 0, 255));
  EXPECT_NEAR(test::PixelAt(24, 4).g, 128, 2) << "half red over white";
  EXPECT_NEAR(test::PixelAt(34, 4).r, 128, 2) << "half blue over white";

  // Another alpha than the prepared one is still drawn right, made on the spot.
  EXPECT_EQ(TexturesMadeBy([] {
              SetAlpha(0.25f);
              DrawImageFrame(strip, 40, 0, 0);
            }),
            1);
  EXPECT_NEAR(test::PixelAt(44, 4).g, 191, 2);
  strip.reset();
}

TEST_F(PreparedTextures, PreparingTwiceOrNothingChangesNothing) {
  static ImageRef strip;
  strip = TwoFrameStrip();
  PrepareImage(strip);
  EXPECT_EQ(TexturesMadeBy([] { PrepareImage(strip); }), 0);
  EXPECT_EQ(TexturesMadeBy([] { PrepareImage(nullptr, 0.5f); }), 0);
  strip.reset();
}

TEST_F(PreparedTextures, PreparedGlyphsDrawTheTextWithoutMakingTextures) {
  SetCurrentFont(nullptr);  // the built-in font: every printable ASCII character
  PrepareText("Gespeichert 0123456789");
  SetColor(0, 0, 0);
  EXPECT_EQ(TexturesMadeBy([] { DrawTextAt("Gespeichert 42", 2, 2); }), 0);
  bool ink = false;
  for (int x = 2; x < 60 && !ink; ++x)
    for (int y = 2; y < 12 && !ink; ++y) ink = test::PixelAt(x, y).r < 128;
  EXPECT_TRUE(ink) << "the text was drawn";
  EXPECT_GT(TexturesMadeBy([] { DrawTextAt("xyz", 2, 20); }), 0) << "unprepared letters are made on first use";
}

// The stretched copy must look exactly like stretching the picture while
// drawing, also where the window cuts it off.
TEST_F(PreparedTextures, AStretchedCopyDrawsLikeTheStretchedPicture) {
  const ImageRef picture = ImageFromPixmap(test::PaintedPixmap(40, 30, PF_RGBA8888, [](int x, int y) {
    return test::Rgba{x * 6, y * 8, (x + y) % 2 ? 255 : 0, x < 4 ? 0 : 255};
  }), 0);
  const ImageRef copy = ScaledImageCopy(picture, 0, 80, 45);
  ASSERT_TRUE(copy);
  EXPECT_EQ(GetImageWidth(copy), 80);
  EXPECT_EQ(GetImageHeight(copy), 45);
  EXPECT_FALSE(ScaledImageCopy(picture, 1, 80, 45)) << "no such frame";
  EXPECT_FALSE(ScaledImageCopy(picture, 0, 0, 45)) << "empty size";

  for (const float x : {0.0f, -7.0f, 30.0f}) {
    Cls();
    SetDrawScale(2.0f, 1.5f);
    DrawImageFrame(picture, x, 5, 0);
    SetDrawScale(1, 1);
    const PixmapRef stretched = GrabPixmap(0, 0, 120, 60);
    Cls();
    DrawImageFrame(copy, x, 5, 0);
    const PixmapRef copied = GrabPixmap(0, 0, 120, 60);
    EXPECT_EQ(stretched->pixels, copied->pixels) << "drawn at x = " << x;
  }
}

}  // namespace
}  // namespace vn
