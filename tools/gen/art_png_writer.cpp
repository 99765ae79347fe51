#include "tools/gen/art_png_writer.h"

#include <stdexcept>

#include "engine/graphics.h"

namespace vngen {

void WritePng(const Canvas& canvas, const std::string& path) {
  vn::PixmapRef pixmap = vn::CreatePixmap(canvas.Width(), canvas.Height(), vn::PF_RGBA8888);
  if (!pixmap) throw std::runtime_error("cannot make a pixmap for " + path);
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      Rgba c = canvas.Get(x, y);
      const uint8_t rgba[4] = {c.r, c.g, c.b, c.a};
      vn::SetPixelRGBA(*pixmap, x, y, rgba);
    }
  if (vn::WritePixmapPNG(*pixmap, path, 9) != 1) throw std::runtime_error("cannot write " + path);
}

}  // namespace vngen
