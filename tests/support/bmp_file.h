#pragma once
// Bitmap files built byte by byte for the tests of the reader and of the game's
// picture loading.
#include <array>
#include <cstdint>
#include <vector>

namespace vn::test {

// Builds a bitmap file: the 14-byte file header, the 40-byte info header, an
// optional palette (blue, green, red, 0 per entry) and the given row bytes,
// each row padded to 4 bytes. Rows are given top to bottom and stored bottom
// up unless the height is negative.
struct BmpFile {
  int32_t width = 1, height = 1;
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t colours_used = 0;
  std::vector<std::array<uint8_t, 3>> palette;  // red, green, blue
  std::vector<std::vector<uint8_t>> rows;       // top to bottom, unpadded
  std::vector<uint8_t> extra_header;            // after the info header (masks)

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> pixels;
    const int count = int(rows.size());
    for (int i = 0; i < count; ++i) {
      const auto& row = rows[size_t(height < 0 ? i : count - 1 - i)];
      pixels.insert(pixels.end(), row.begin(), row.end());
      while (pixels.size() % 4) pixels.push_back(0);
    }
    const uint32_t offset = uint32_t(54 + extra_header.size() + palette.size() * 4);
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, uint32_t(offset + pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, bpp);
    Put32(out, compression);
    Put32(out, uint32_t(pixels.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, colours_used);
    Put32(out, 0);
    out.insert(out.end(), extra_header.begin(), extra_header.end());
    for (const auto& entry : palette) out.insert(out.end(), {entry[2], entry[1], entry[0], 0});
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
  }
  static void Put16(std::vector<uint8_t>& out, uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
  static void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
  }
};

}  // namespace vn::test
