#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "engine/graphics.h"
#include "engine/stream.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"

namespace vn {
namespace {

using test::PixelOf;
using test::Rgba;

// A 3 x 2 test card with a magenta pixel and, where the format has alpha, a
// range of alpha values.
PixmapRef TestCard(int format) {
  PixmapRef pixmap = CreatePixmap(3, 2, format);
  const uint8_t pixels[6][4] = {{255, 0, 255, 255}, {1, 2, 3, 0},       {250, 128, 7, 64},
                                {0, 0, 0, 255},     {255, 255, 255, 1}, {40, 80, 120, 200}};
  for (int i = 0; i < 6; ++i) SetPixelRGBA(*pixmap, i % 3, i / 3, pixels[i]);
  return pixmap;
}

TEST(Png, WrittenPixmapsReadBackUnchanged) {
  test::TempGameDir dir;
  struct Case {
    int format, compression;  // compression outside 0..9 is clamped
  };
  for (const Case& c : {Case{PF_RGBA8888, 5}, Case{PF_BGRA8888, -5}, Case{PF_BGR888, 42}, Case{PF_BGR888, 0}}) {
    const PixmapRef card = TestCard(c.format);
    ASSERT_EQ(WritePixmapPNG(*card, "card.png", c.compression), 1) << "format " << c.format;
    const PixmapRef back = LoadPixmap("card.png");
    ASSERT_TRUE(back) << "format " << c.format;
    EXPECT_EQ(FormatHasAlpha(back->format), FormatHasAlpha(c.format));
    ASSERT_EQ(back->width * back->height, 6);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(PixelOf(*back, i % 3, i / 3), PixelOf(*card, i % 3, i / 3)) << "format " << c.format << " pixel " << i;
  }
}

TEST(Png, AFailedWriteReportsFailureAndLeavesNoFile) {
  test::TempGameDir dir;
  const PixmapRef card = TestCard(PF_RGBA8888);
  EXPECT_EQ(WritePixmapPNG(*card, "no/such/dir/shot.png", 5), 0);
  EXPECT_FALSE(std::filesystem::exists("no/such/dir/shot.png"));
  const auto empty = CreatePixmap(0, 0, PF_RGBA8888);
  EXPECT_EQ(WritePixmapPNG(*empty, "empty.png", 5), 0);
  EXPECT_FALSE(std::filesystem::exists("empty.png"));
}

TEST(Png, AlphaChannelDecidesWhetherMagentaIsMasked) {
  test::TempGameDir dir;
  SetImageMaskColor(255, 0, 255);
  ASSERT_EQ(WritePixmapPNG(*TestCard(PF_RGBA8888), "gfx/alpha.png", 5), 1);
  ASSERT_EQ(WritePixmapPNG(*TestCard(PF_BGR888), "gfx/plain.png", 5), 1);
  const ImageRef alpha = LoadImageFile("gfx/alpha.png", 1);
  const ImageRef plain = LoadImageFile("gfx/plain.png", 1);
  ASSERT_TRUE(alpha);
  ASSERT_TRUE(plain);
  EXPECT_EQ(PixelOf(*alpha->pixmaps[0], 0, 0), (Rgba{255, 0, 255, 255}));
  EXPECT_EQ(PixelOf(*alpha->pixmaps[0], 1, 0)[3], 0);
  // Neighbours of (0, 0): (1, 2, 3), (0, 0, 0) and (255, 255, 255).
  EXPECT_EQ(PixelOf(*plain->pixmaps[0], 0, 0), (Rgba{85, 85, 86, 0}));
  EXPECT_EQ(PixelOf(*plain->pixmaps[0], 1, 0), (Rgba{1, 2, 3, 255}));
}

TEST(Png, DamagedFilesFailToLoad) {
  test::TempGameDir dir;
  ASSERT_EQ(WritePixmapPNG(*TestCard(PF_RGBA8888), "good.png", 5), 1);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile("good.png", bytes));

  std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
  std::vector<uint8_t> no_signature = bytes;
  no_signature[1] = 'X';
  std::vector<uint8_t> huge = bytes;  // width field of the header chunk
  huge[16] = 0x7f;
  for (const auto& damaged : {truncated, no_signature, huge, std::vector<uint8_t>{}}) {
    StreamRef stream = OpenMemoryStream(damaged);
    ASSERT_TRUE(stream);
    EXPECT_EQ(DecodePNG(*stream), nullptr);
  }
  EXPECT_EQ(LoadImageFile("missing.png", -1), nullptr);
}

}  // namespace
}  // namespace vn
