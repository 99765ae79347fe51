// CPU pixel buffers and the conversions between their formats.
#include <algorithm>
#include <cstdint>

#include "engine/graphics.h"

namespace vn {

int BytesPerPixel(int format) {
  switch (format) {
    case PF_A8: return 1;
    case PF_BGR888: return 3;
    case PF_BGRA8888:
    case PF_RGBA8888: return 4;
    default: return 0;
  }
}

bool FormatHasAlpha(int format) { return format == PF_A8 || format == PF_BGRA8888 || format == PF_RGBA8888; }

// Larger requests come only from damaged files or absurd grabs; refusing them
// keeps a bad picture from exhausting memory.
constexpr int64_t kMaxPixmapBytes = int64_t(1) << 30;

PixmapRef CreatePixmap(int width, int height, int format) {
  const int bytes = BytesPerPixel(format);
  if (width < 0 || height < 0 || bytes == 0) return nullptr;
  if (int64_t(width) * bytes * height > kMaxPixmapBytes || int64_t(width) * bytes > INT32_MAX) return nullptr;
  auto pixmap = std::make_shared<TPixmap>();
  pixmap->width = width;
  pixmap->height = height;
  pixmap->pitch = width * bytes;
  pixmap->format = format;
  pixmap->pixels.assign(size_t(pixmap->pitch) * size_t(height), 0);
  return pixmap;
}

// Null when (x, y) lies outside the pixmap or the buffer is shorter than its
// pitch promises, so a malformed pixmap can never be read past its end.
static const uint8_t* PixelAddress(const TPixmap& pixmap, int x, int y) {
  const int bytes = BytesPerPixel(pixmap.format);
  if (x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height || bytes == 0) return nullptr;
  const size_t offset = size_t(y) * size_t(pixmap.pitch) + size_t(x) * size_t(bytes);
  if (pixmap.pitch < pixmap.width * bytes || offset + size_t(bytes) > pixmap.pixels.size()) return nullptr;
  return pixmap.pixels.data() + offset;
}

void GetPixelRGBA(const TPixmap& pixmap, int x, int y, uint8_t rgba[4]) {
  const uint8_t* p = PixelAddress(pixmap, x, y);
  if (!p) {
    std::fill_n(rgba, 4, uint8_t(0));
    return;
  }
  switch (pixmap.format) {
    case PF_A8: rgba[0] = rgba[1] = rgba[2] = 255; rgba[3] = p[0]; break;
    case PF_BGR888: rgba[0] = p[2]; rgba[1] = p[1]; rgba[2] = p[0]; rgba[3] = 255; break;
    case PF_BGRA8888: rgba[0] = p[2]; rgba[1] = p[1]; rgba[2] = p[0]; rgba[3] = p[3]; break;
    default: std::copy_n(p, 4, rgba); break;
  }
}

void SetPixelRGBA(TPixmap& pixmap, int x, int y, const uint8_t rgba[4]) {
  uint8_t* p = const_cast<uint8_t*>(PixelAddress(pixmap, x, y));
  if (!p) return;
  switch (pixmap.format) {
    case PF_A8: p[0] = rgba[3]; break;
    case PF_BGR888: p[0] = rgba[2]; p[1] = rgba[1]; p[2] = rgba[0]; break;
    case PF_BGRA8888: p[0] = rgba[2]; p[1] = rgba[1]; p[2] = rgba[0]; p[3] = rgba[3]; break;
    default: std::copy_n(rgba, 4, p); break;
  }
}

PixmapRef ConvertPixmap(const TPixmap& pixmap, int format) {
  PixmapRef out = CreatePixmap(pixmap.width, pixmap.height, format);
  if (!out) return nullptr;
  uint8_t rgba[4];
  for (int y = 0; y < pixmap.height; ++y)
    for (int x = 0; x < pixmap.width; ++x) {
      GetPixelRGBA(pixmap, x, y, rgba);
      SetPixelRGBA(*out, x, y, rgba);
    }
  return out;
}

}  // namespace vn
