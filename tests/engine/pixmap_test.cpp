#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/graphics.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"

namespace vn {
namespace {

using test::PixelOf;
using test::Rgba;

// A pixmap from rows of RGB colours, in the given format.
PixmapRef PixmapOf(int width, const std::vector<Rgba>& pixels, int format) {
  return test::PaintedPixmap(width, int(pixels.size()) / width, format,
                             [&](int x, int y) { return pixels[size_t(y * width + x)]; });
}

TEST(Pixmap, FormatsKeepTheirChannelsThroughConversion) {
  const PixmapRef source = PixmapOf(1, {{10, 20, 30, 40}}, PF_RGBA8888);
  EXPECT_EQ(PixelOf(*ConvertPixmap(*source, PF_BGRA8888), 0, 0), (Rgba{10, 20, 30, 40}));
  EXPECT_EQ(PixelOf(*ConvertPixmap(*source, PF_BGR888), 0, 0), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(PixelOf(*ConvertPixmap(*source, PF_A8), 0, 0), (Rgba{255, 255, 255, 40}));
  EXPECT_EQ(ConvertPixmap(*source, PF_BGR888)->pixels[0], 30);  // blue first in memory
  EXPECT_EQ(PixelOf(*source, 1, 0), (Rgba{0, 0, 0, 0}));        // outside reads as nothing
  EXPECT_EQ(CreatePixmap(-1, 4, PF_RGBA8888), nullptr);
  EXPECT_EQ(CreatePixmap(1 << 30, 1 << 30, PF_RGBA8888), nullptr);
}

constexpr Rgba kMagenta = {255, 0, 255, 255};

TEST(Masking, MaskPixelsBecomeTransparentInTheirNeighboursColour) {
  // A magenta pixel between two colours takes their average; the rest of the
  // row is opaque.
  const PixmapRef row = PixmapOf(3, {{10, 20, 30, 255}, kMagenta, {30, 41, 50, 255}}, PF_BGR888);
  const PixmapRef masked = ApplyMask(*row, 255, 0, 255);
  EXPECT_EQ(PixelOf(*masked, 1, 0), (Rgba{20, 30, 40, 0}));
  EXPECT_EQ(PixelOf(*masked, 0, 0), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(PixelOf(*masked, 2, 0), (Rgba{30, 41, 50, 255}));

  // Diagonal neighbours count; mask neighbours do not.
  const PixmapRef square = PixmapOf(3,
                                    {{90, 0, 0, 255}, kMagenta, kMagenta,  //
                                     kMagenta, kMagenta, kMagenta,         //
                                     kMagenta, kMagenta, {0, 0, 30, 255}},
                                    PF_BGR888);
  EXPECT_EQ(PixelOf(*ApplyMask(*square, 255, 0, 255), 1, 1), (Rgba{45, 0, 15, 0}));
}

TEST(Masking, AMaskPixelWithoutUnmaskedNeighboursBecomesClearBlack) {
  const PixmapRef all = PixmapOf(3, std::vector<Rgba>(9, kMagenta), PF_BGR888);
  const PixmapRef masked = ApplyMask(*all, 255, 0, 255);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelOf(*masked, x, y), (Rgba{0, 0, 0, 0}));
}

TEST(Masking, OnlyMaskedImagesWithoutAlphaAreMasked) {
  SetImageMaskColor(255, 0, 255);
  const PixmapRef rgb = PixmapOf(2, {kMagenta, {1, 2, 3, 255}}, PF_BGR888);
  const PixmapRef with_alpha = PixmapOf(2, {kMagenta, {1, 2, 3, 255}}, PF_BGRA8888);

  EXPECT_EQ(PixelOf(*ImageFromPixmap(rgb, 1)->pixmaps[0], 0, 0)[3], 0);
  EXPECT_EQ(PixelOf(*ImageFromPixmap(rgb, 0)->pixmaps[0], 0, 0), kMagenta);
  EXPECT_EQ(PixelOf(*ImageFromPixmap(with_alpha, 1)->pixmaps[0], 0, 0), kMagenta);

  // The mask colour is the one current when the image is made.
  SetImageMaskColor(1, 2, 3);
  const ImageRef other = ImageFromPixmap(rgb, 1);
  SetImageMaskColor(255, 0, 255);
  EXPECT_EQ(PixelOf(*other->pixmaps[0], 0, 0), kMagenta);
  EXPECT_EQ(PixelOf(*other->pixmaps[0], 1, 0)[3], 0);
}

// A strip picture: cell (column, row) is filled with colour (10 * column, 10 * row, 77).
std::string WriteStrip(const std::string& name, int columns, int rows) {
  const PixmapRef pixmap = test::PaintedPixmap(columns * 32, rows * 32, PF_BGR888, [](int x, int y) {
    return Rgba{x / 32 * 10, y / 32 * 10, 77, 255};
  });
  EXPECT_EQ(WritePixmapPNG(*pixmap, name, 0), 1);
  return name;
}

TEST(ImageStrip, FramesAreCutLeftToRightThenTopToBottom) {
  test::TempGameDir dir;
  const std::string path = WriteStrip("gfx/strip.png", 3, 2);
  const ImageRef image = LoadImageStrip(path, 32, 32, 1, 4, 0);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->pixmaps.size(), 4u);
  EXPECT_EQ(GetImageWidth(image), 32);
  EXPECT_EQ(GetImageHeight(image), 32);
  const Rgba expected[4] = {{10, 0, 77, 255}, {20, 0, 77, 255}, {0, 10, 77, 255}, {10, 10, 77, 255}};
  for (int frame = 0; frame < 4; ++frame) {
    EXPECT_EQ(PixelOf(*image->pixmaps[size_t(frame)], 0, 0), expected[frame]) << "frame " << frame;
    EXPECT_EQ(PixelOf(*image->pixmaps[size_t(frame)], 31, 31), expected[frame]) << "frame " << frame;
  }
}

TEST(ImageStrip, FailsWhenTheFramesDoNotFit) {
  test::TempGameDir dir;
  const std::string narrow = WriteStrip("gfx/narrow.png", 4, 1);
  const std::string wide = WriteStrip("gfx/wide.png", 8, 1);
  EXPECT_EQ(LoadImageStrip(narrow, 32, 32, 0, 8, -1), nullptr);
  EXPECT_TRUE(LoadImageStrip(wide, 32, 32, 0, 8, -1));
  EXPECT_EQ(LoadImageStrip(wide, 32, 32, 1, 8, -1), nullptr);
  EXPECT_EQ(LoadImageStrip(wide, 300, 32, 0, 1, -1), nullptr);
  EXPECT_EQ(LoadImageStrip(wide, 0, 32, 0, 1, -1), nullptr);
  EXPECT_EQ(LoadImageStrip(wide, 32, 32, -1, 2, -1), nullptr);
  EXPECT_EQ(LoadImageStrip("gfx/missing.png", 32, 32, 0, 1, -1), nullptr);
}

TEST(ImageStrip, EachFrameIsMaskedOnItsOwn) {
  // Two cells: a magenta column on the right edge of cell 0 touches cell 1,
  // whose colour must not bleed across the frame border.
  test::TempGameDir dir;
  PixmapRef pixmap = CreatePixmap(4, 1, PF_BGR888);
  const uint8_t grey[4] = {100, 100, 100, 255}, magenta[4] = {255, 0, 255, 255}, blue[4] = {0, 0, 200, 255};
  SetPixelRGBA(*pixmap, 0, 0, grey);
  SetPixelRGBA(*pixmap, 1, 0, magenta);
  SetPixelRGBA(*pixmap, 2, 0, blue);
  SetPixelRGBA(*pixmap, 3, 0, blue);
  ASSERT_EQ(WritePixmapPNG(*pixmap, "gfx/two.png", 9), 1);
  SetImageMaskColor(255, 0, 255);
  const ImageRef image = LoadImageStrip("gfx/two.png", 2, 1, 0, 2, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(PixelOf(*image->pixmaps[0], 1, 0), (Rgba{100, 100, 100, 0}));
}

TEST(Image, BlankImagesAreDynamicAndTakeTheDefaultFlags) {
  SetDefaultImageFlags(1);
  SetDefaultImageFlags(-1);  // leaves it unchanged
  const ImageRef blank = CreateBlankImage(5, 3, 2, -1);
  ASSERT_TRUE(blank);
  EXPECT_EQ(blank->flags, IMG_MASKED | IMG_DYNAMIC);
  EXPECT_EQ(PixelOf(*blank->pixmaps[1], 4, 2), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(CreateBlankImage(0, 4, 1, 0), nullptr);
  CenterImageHandle(blank);
  EXPECT_EQ(blank->handle_x, 2.5f);
}

}  // namespace
}  // namespace vn
