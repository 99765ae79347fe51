#pragma once
// What an average play frame pushed through the renderer, measured by the
// frame benchmark and replayed by the floor benchmark at the same window size.
#include <optional>

namespace vn::bench {

struct DrawMix {
  double images = 0;         // textured quads per frame
  double images_tinted = 0;  // of those, with a colour or alpha modulation
  double ovals = 0;          // filled ellipses per frame
  double oval_points = 12;   // polygon points per ellipse, on average
  double rects = 0;          // filled rectangles per frame
};

void RememberDrawMix(int width, int height, const DrawMix& mix);
std::optional<DrawMix> RecalledDrawMix(int width, int height);

}  // namespace vn::bench
