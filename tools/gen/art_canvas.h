#pragma once
// An RGBA painting surface with the few helpers the painters need. Alpha 0 is
// "see-through": the BMP writer turns it into the magenta mask, the PNG writer
// keeps it. Every operation clips to the canvas, so painters may draw past an
// edge freely.
#include <cstdint>
#include <vector>

namespace vngen {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

constexpr Rgba kClear{0, 0, 0, 0};

// Colour arithmetic. t runs from 0 (a) to 1 (b).
Rgba Mix(Rgba a, Rgba b, float t);
// Brightness scaled by factor (below 1 darker, above 1 lighter), alpha kept.
Rgba Shade(Rgba c, float factor);
Rgba WithAlpha(Rgba c, uint8_t alpha);

// Deterministic value noise in 0..1: the same (x, y, seed) always gives the
// same value, so every build paints identical pictures.
float Hash01(int32_t x, int32_t y, uint32_t seed);
// Smooth noise (bilinear between lattice points cell pixels apart).
float SmoothNoise(float x, float y, float cell, uint32_t seed);
// Smooth noise that repeats every 32 pixels in x and y (the lattice is bent
// to a whole number of cells per tile), for textures of neighbouring tiles.
float TileNoise(float x, float y, float cell, uint32_t seed);
// 4x4 ordered-dither threshold in 0..1 for pixel (x, y).
float Bayer4(int32_t x, int32_t y);

class Canvas {
 public:
  Canvas(int width, int height, Rgba fill = kClear);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Outside the canvas reads as clear.
  Rgba Get(int x, int y) const;
  void Set(int x, int y, Rgba c);
  // Paints c over the pixel with coverage t (0..1), keeping the pixel opaque
  // where it already was.
  void Blend(int x, int y, Rgba c, float t);
  bool Opaque(int x, int y) const { return Get(x, y).a >= 128; }

  void Fill(Rgba c);
  void FillRect(int x, int y, int w, int h, Rgba c);
  void FrameRect(int x, int y, int w, int h, Rgba c);
  void Line(int x0, int y0, int x1, int y1, Rgba c);
  void ThickLine(float x0, float y0, float x1, float y1, float width, Rgba c);
  void FillEllipse(float cx, float cy, float rx, float ry, Rgba c);
  void FillCircle(float cx, float cy, float r, Rgba c) { FillEllipse(cx, cy, r, r, c); }
  void Ring(float cx, float cy, float r_outer, float r_inner, Rgba c);
  // Even-odd fill of a closed polygon given as x0, y0, x1, y1, ...
  void FillPolygon(const std::vector<float>& points, Rgba c);
  // Top-to-bottom gradient over a rectangle.
  void VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom);
  // Scales the brightness of every opaque pixel by 1 +- amount x noise.
  void Grain(int x, int y, int w, int h, float amount, uint32_t seed);

  // Paints colour c on every clear pixel that touches an opaque one
  // (4-neighbourhood): the dark contour of usable and dangerous objects.
  void Outline(Rgba c);
  // Lightens the top-left and darkens the bottom-right rim of a rectangle:
  // the bevel that makes a block read as a block.
  void Bevel(int x, int y, int w, int h, float light, float dark);

  // Copies src with its top-left corner at (dx, dy); clear pixels of src
  // leave the destination untouched.
  void Paste(const Canvas& src, int dx, int dy);
  // Copies the area (sx, sy, w, h) out into a new canvas.
  Canvas Crop(int sx, int sy, int w, int h) const;
  Canvas FlippedVertically() const;
  Canvas FlippedHorizontally() const;

 private:
  int width_, height_;
  std::vector<Rgba> pixels_;
};

}  // namespace vngen
