#pragma once
// Reading a pixmap's pixels in tests.
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

}  // namespace vn::test
