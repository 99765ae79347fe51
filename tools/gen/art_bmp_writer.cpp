#include "tools/gen/art_bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vngen {

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

Rgba MaskedColor(Rgba pixel) {
  if (pixel.a < 128) return kMagenta;
  if (pixel.r == 255 && pixel.g == 0 && pixel.b == 255) return {254, 0, 254, 255};
  return WithAlpha(pixel, 255);
}

void WriteMaskedBmp(const Canvas& canvas, const std::string& path) {
  const uint32_t width = uint32_t(canvas.Width()), height = uint32_t(canvas.Height());
  const uint32_t row_bytes = (width * 3 + 3) / 4 * 4;  // rows are padded to 4 bytes
  const uint32_t data_offset = 14 + 40;
  const uint32_t image_bytes = row_bytes * height;

  std::vector<uint8_t> out;
  out.reserve(data_offset + image_bytes);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, data_offset + image_bytes);
  PutU32(out, 0);
  PutU32(out, data_offset);
  PutU32(out, 40);
  PutU32(out, width);
  PutU32(out, height);  // positive: bottom row first
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);  // uncompressed
  PutU32(out, image_bytes);
  PutU32(out, 2835);  // 72 dpi
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);

  for (int y = canvas.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      Rgba c = MaskedColor(canvas.Get(x, y));
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (uint32_t pad = width * 3; pad < row_bytes; ++pad) out.push_back(0);
  }

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace vngen
