#pragma once
// Reading and painting a pixmap's pixels in tests.
#include <array>
#include <cstdint>

#include "engine/graphics.h"

namespace vn::test {

using Rgba = std::array<int, 4>;

// The pixel as red, green, blue, alpha whatever the pixmap's format.
inline Rgba PixelOf(const TPixmap& pixmap, int x, int y) {
  uint8_t rgba[4];
  GetPixelRGBA(pixmap, x, y, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

// A pixmap of the format whose pixel (x, y) is paint(x, y) as red, green, blue, alpha.
template <typename Paint>
PixmapRef PaintedPixmap(int width, int height, int format, Paint paint) {
  PixmapRef pixmap = CreatePixmap(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgba c = paint(x, y);
      const uint8_t rgba[4] = {uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), uint8_t(c[3])};
      SetPixelRGBA(*pixmap, x, y, rgba);
    }
  return pixmap;
}

}  // namespace vn::test
