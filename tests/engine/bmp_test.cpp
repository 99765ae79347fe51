#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/graphics.h"
#include "engine/stream.h"
#include "tests/support/bmp_file.h"
#include "tests/support/pixels.h"

namespace vn {
namespace {

using test::BmpFile;
using test::PixelOf;
using test::Rgba;

PixmapRef Decode(const std::vector<uint8_t>& bytes) {
  StreamRef stream = OpenMemoryStream(bytes);
  return stream ? DecodeBMP(*stream) : nullptr;
}

TEST(Bmp, TrueColourRowsAreBottomUpAndPadded) {
  BmpFile file;
  file.width = 3;
  file.height = 2;
  // Blue, green, red per pixel; 9 bytes per row, padded to 12.
  file.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 20, 30, 40, 50, 60, 70, 80, 90}};
  const PixmapRef pixmap = Decode(file.Bytes());
  ASSERT_TRUE(pixmap);
  EXPECT_EQ(pixmap->format, PF_BGR888);
  EXPECT_EQ(PixelOf(*pixmap, 0, 0), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(PixelOf(*pixmap, 2, 0), (Rgba{9, 8, 7, 255}));
  EXPECT_EQ(PixelOf(*pixmap, 1, 1), (Rgba{60, 50, 40, 255}));

  // Stored top down (negative height), the same picture.
  file.height = -2;
  const PixmapRef top_down = Decode(file.Bytes());
  ASSERT_TRUE(top_down);
  EXPECT_EQ(top_down->height, 2);
  EXPECT_EQ(PixelOf(*top_down, 0, 0), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(PixelOf(*top_down, 1, 1), (Rgba{60, 50, 40, 255}));
}

TEST(Bmp, ThirtyTwoBitsKeepTheirAlphaOrFollowTheirMasks) {
  BmpFile file;
  file.width = 2;
  file.bpp = 32;
  file.rows = {{1, 2, 3, 0, 255, 0, 255, 200}};
  const PixmapRef plain = Decode(file.Bytes());
  ASSERT_TRUE(plain);
  EXPECT_EQ(PixelOf(*plain, 0, 0), (Rgba{3, 2, 1, 0}));
  EXPECT_EQ(PixelOf(*plain, 1, 0), (Rgba{255, 0, 255, 200}));

  // Channel masks: red in the lowest byte, then green, then blue, no alpha.
  file.compression = 3;
  for (uint32_t mask : {0x000000ffu, 0x0000ff00u, 0x00ff0000u}) BmpFile::Put32(file.extra_header, mask);
  const PixmapRef masked = Decode(file.Bytes());
  ASSERT_TRUE(masked);
  EXPECT_FALSE(FormatHasAlpha(masked->format));
  EXPECT_EQ(PixelOf(*masked, 0, 0), (Rgba{1, 2, 3, 255}));

  file.bpp = 24;  // masks are only valid with 32 bits
  EXPECT_EQ(Decode(file.Bytes()), nullptr);
}

TEST(Bmp, PaletteDepthsIndexTheirColours) {
  const std::vector<std::array<uint8_t, 3>> colours = {{0, 0, 0}, {255, 255, 255}, {200, 10, 20}, {5, 6, 7}};
  struct Case {
    uint16_t bpp;
    int width;
    std::vector<uint8_t> row;
    std::vector<int> indices;
  };
  const Case cases[] = {
      // 1 bit, most significant bit first, 9 pixels spill into a second byte.
      {1, 9, {0b10110000, 0b10000000}, {1, 0, 1, 1, 0, 0, 0, 0, 1}},
      // 4 bits, high nibble first.
      {4, 3, {0x23, 0x10}, {2, 3, 1}},
      {8, 3, {3, 2, 1}, {3, 2, 1}},
  };
  for (const Case& c : cases) {
    BmpFile file;
    file.bpp = c.bpp;
    file.width = c.width;
    file.palette = colours;
    file.palette.resize(size_t(1) << c.bpp, {9, 9, 9});  // colours used 0: the full 2^bpp
    file.rows = {c.row, c.row};
    file.height = 2;
    const PixmapRef pixmap = Decode(file.Bytes());
    ASSERT_TRUE(pixmap) << c.bpp << " bits";
    EXPECT_EQ(pixmap->format, PF_BGR888);
    for (int x = 0; x < c.width; ++x) {
      const auto& colour = colours[size_t(c.indices[size_t(x)])];
      EXPECT_EQ(PixelOf(*pixmap, x, 1), (Rgba{colour[0], colour[1], colour[2], 255})) << c.bpp << " bits, x " << x;
    }
  }
}

TEST(Bmp, AShortPaletteIsFollowedByTheRows) {
  BmpFile file;
  file.bpp = 8;
  file.width = 3;
  file.colours_used = 2;
  file.palette = {{10, 20, 30}, {40, 50, 60}};
  file.rows = {{1, 0, 7}};  // index 7 lies past the palette
  const PixmapRef pixmap = Decode(file.Bytes());
  ASSERT_TRUE(pixmap);
  EXPECT_EQ(PixelOf(*pixmap, 0, 0), (Rgba{40, 50, 60, 255}));
  EXPECT_EQ(PixelOf(*pixmap, 1, 0), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(PixelOf(*pixmap, 2, 0), (Rgba{0, 0, 0, 255}));
}

TEST(Bmp, DamagedOrUnsupportedFilesFailCleanly) {
  BmpFile good;
  good.width = 2;
  good.height = 2;
  good.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  ASSERT_TRUE(Decode(good.Bytes()));

  auto set32 = [](size_t at, uint32_t v) {
    return [at, v](std::vector<uint8_t>& b) {
      for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
  };
  auto set16 = [](size_t at, uint16_t v) {
    return [at, v](std::vector<uint8_t>& b) {
      b[at] = uint8_t(v);
      b[at + 1] = uint8_t(v >> 8);
    };
  };
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
  };
  const Case cases[] = {
      {"run-length 8", set32(30, 1)},
      {"run-length 4", set32(30, 2)},
      {"16 bits per pixel", set16(28, 16)},
      {"zero width", set32(18, 0)},
      {"negative width", set32(18, uint32_t(-2))},
      {"huge width", set32(18, 0x7fffffff)},
      {"huge height", set32(22, 1000000)},
      {"most negative height", set32(22, 0x80000000u)},
      {"zero height", set32(22, 0)},
      {"palette beyond the file", [&](std::vector<uint8_t>& b) { set16(28, 8)(b); set32(46, 100000)(b); }},
      {"rows beyond the file", [](std::vector<uint8_t>& b) { b.resize(b.size() - 4); }},
      {"rows offset beyond the file", set32(10, 100000)},
      {"short header", set32(14, 12)},
      {"header beyond the file", set32(14, 100000)},
      {"not a bitmap", [](std::vector<uint8_t>& b) { b[0] = 'X'; }},
      {"cut inside the header", [](std::vector<uint8_t>& b) { b.resize(30); }},
      {"empty", [](std::vector<uint8_t>& b) { b.clear(); }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good.Bytes();
    c.damage(bytes);
    EXPECT_EQ(Decode(bytes), nullptr) << c.what;
  }
}

}  // namespace
}  // namespace vn
