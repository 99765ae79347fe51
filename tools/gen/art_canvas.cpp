#include "tools/gen/art_canvas.h"

#include <algorithm>
#include <cmath>

namespace vngen {

namespace {

uint8_t ClampByte(float v) { return uint8_t(std::clamp(v + 0.5f, 0.0f, 255.0f)); }

}  // namespace

Rgba Mix(Rgba a, Rgba b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  auto lerp = [t](uint8_t p, uint8_t q) { return ClampByte(float(p) + (float(q) - float(p)) * t); };
  return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

Rgba Shade(Rgba c, float factor) {
  return {ClampByte(float(c.r) * factor), ClampByte(float(c.g) * factor), ClampByte(float(c.b) * factor), c.a};
}

Rgba WithAlpha(Rgba c, uint8_t alpha) { return {c.r, c.g, c.b, alpha}; }

float Hash01(int32_t x, int32_t y, uint32_t seed) {
  // A small integer mixer; only determinism and an even spread matter here.
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return float(h & 0xFFFFFFu) / float(0xFFFFFF);
}

float SmoothNoise(float x, float y, float cell, uint32_t seed) {
  float gx = x / cell, gy = y / cell;
  int32_t ix = int32_t(std::floor(gx)), iy = int32_t(std::floor(gy));
  float fx = gx - float(ix), fy = gy - float(iy);
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  float top = Hash01(ix, iy, seed) * (1 - fx) + Hash01(ix + 1, iy, seed) * fx;
  float bottom = Hash01(ix, iy + 1, seed) * (1 - fx) + Hash01(ix + 1, iy + 1, seed) * fx;
  return top * (1 - fy) + bottom * fy;
}

float TileNoise(float x, float y, float cell, uint32_t seed) {
  int32_t cells = std::max(1, int32_t(std::lround(32.0f / cell)));
  float gx = x / (32.0f / float(cells)), gy = y / (32.0f / float(cells));
  int32_t ix = int32_t(std::floor(gx)), iy = int32_t(std::floor(gy));
  float fx = gx - float(ix), fy = gy - float(iy);
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  auto at = [&](int32_t i, int32_t j) { return Hash01(((i % cells) + cells) % cells, ((j % cells) + cells) % cells, seed); };
  float top = at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx;
  float bottom = at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx;
  return top * (1 - fy) + bottom * fy;
}

float Bayer4(int32_t x, int32_t y) {
  static constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (float(kMatrix[y & 3][x & 3]) + 0.5f) / 16.0f;
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(size_t(width) * size_t(height), fill) {}

Rgba Canvas::Get(int x, int y) const {
  if (!Inside(x, y)) return kClear;
  return pixels_[size_t(y) * size_t(width_) + size_t(x)];
}

void Canvas::Set(int x, int y, Rgba c) {
  if (Inside(x, y)) pixels_[size_t(y) * size_t(width_) + size_t(x)] = c;
}

void Canvas::Blend(int x, int y, Rgba c, float t) {
  if (!Inside(x, y)) return;
  t = std::clamp(t * float(c.a) / 255.0f, 0.0f, 1.0f);
  Rgba& p = pixels_[size_t(y) * size_t(width_) + size_t(x)];
  if (p.a == 0) {
    p = WithAlpha(c, ClampByte(t * 255.0f));
    return;
  }
  uint8_t alpha = std::max(p.a, ClampByte(t * 255.0f));
  p = WithAlpha(Mix(p, c, t), alpha);
}

void Canvas::Fill(Rgba c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::FrameRect(int x, int y, int w, int h, Rgba c) {
  FillRect(x, y, w, 1, c);
  FillRect(x, y + h - 1, w, 1, c);
  FillRect(x, y, 1, h, c);
  FillRect(x + w - 1, y, 1, h, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) return;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::ThickLine(float x0, float y0, float x1, float y1, float width, Rgba c) {
  // A pixel belongs to the stroke when its centre lies within width/2 of the segment.
  float half = width / 2;
  int left = int(std::floor(std::min(x0, x1) - half)), right = int(std::ceil(std::max(x0, x1) + half));
  int top = int(std::floor(std::min(y0, y1) - half)), bottom = int(std::ceil(std::max(y0, y1) + half));
  float vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      float px = float(x) + 0.5f - x0, py = float(y) + 0.5f - y0;
      float t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0f, 1.0f) : 0.0f;
      float dx = px - t * vx, dy = py - t * vy;
      if (dx * dx + dy * dy <= half * half) Set(x, y, c);
    }
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, Rgba c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
    for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
      float dx = (float(x) + 0.5f - cx) / rx, dy = (float(y) + 0.5f - cy) / ry;
      if (dx * dx + dy * dy <= 1.0f) Set(x, y, c);
    }
}

void Canvas::Ring(float cx, float cy, float r_outer, float r_inner, Rgba c) {
  for (int y = int(std::floor(cy - r_outer)); y <= int(std::ceil(cy + r_outer)); ++y)
    for (int x = int(std::floor(cx - r_outer)); x <= int(std::ceil(cx + r_outer)); ++x) {
      float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy, d2 = dx * dx + dy * dy;
      if (d2 <= r_outer * r_outer && d2 >= r_inner * r_inner) Set(x, y, c);
    }
}

void Canvas::FillPolygon(const std::vector<float>& points, Rgba c) {
  size_t n = points.size() / 2;
  if (n < 3) return;
  float min_x = points[0], max_x = points[0], min_y = points[1], max_y = points[1];
  for (size_t i = 1; i < n; ++i) {
    min_x = std::min(min_x, points[2 * i]);
    max_x = std::max(max_x, points[2 * i]);
    min_y = std::min(min_y, points[2 * i + 1]);
    max_y = std::max(max_y, points[2 * i + 1]);
  }
  int y_end = std::min(height_ - 1, int(max_y)), x_end = std::min(width_ - 1, int(max_x));
  for (int y = std::max(0, int(min_y) - 1); y <= y_end; ++y) {
    float py = float(y) + 0.5f;
    for (int x = std::max(0, int(min_x) - 1); x <= x_end; ++x) {
      float px = float(x) + 0.5f;
      bool inside = false;
      for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float xi = points[2 * i], yi = points[2 * i + 1], xj = points[2 * j], yj = points[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
      }
      if (inside) Set(x, y, c);
    }
  }
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom) {
  for (int j = 0; j < h; ++j) FillRect(x, y + j, w, 1, Mix(top, bottom, h > 1 ? float(j) / float(h - 1) : 0));
}

void Canvas::Grain(int x, int y, int w, int h, float amount, uint32_t seed) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      Rgba p = Get(i, j);
      if (p.a == 0) continue;
      Set(i, j, Shade(p, 1.0f + amount * (Hash01(i, j, seed) * 2 - 1)));
    }
}

void Canvas::Outline(Rgba c) {
  Canvas before = *this;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (before.Opaque(x, y)) continue;
      if (before.Opaque(x - 1, y) || before.Opaque(x + 1, y) || before.Opaque(x, y - 1) || before.Opaque(x, y + 1))
        Set(x, y, c);
    }
}

void Canvas::Bevel(int x, int y, int w, int h, float light, float dark) {
  for (int i = x; i < x + w; ++i) {
    Set(i, y, Shade(Get(i, y), light));
    Set(i, y + h - 1, Shade(Get(i, y + h - 1), dark));
  }
  for (int j = y + 1; j < y + h - 1; ++j) {
    Set(x, j, Shade(Get(x, j), light));
    Set(x + w - 1, j, Shade(Get(x + w - 1, j), dark));
  }
}

void Canvas::Paste(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.height_; ++y)
    for (int x = 0; x < src.width_; ++x) {
      Rgba p = src.Get(x, y);
      if (p.a == 255) Set(dx + x, dy + y, p);
      else if (p.a > 0) Blend(dx + x, dy + y, WithAlpha(p, 255), float(p.a) / 255.0f);
    }
}

Canvas Canvas::Crop(int sx, int sy, int w, int h) const {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.Set(x, y, Get(sx + x, sy + y));
  return out;
}

Canvas Canvas::FlippedVertically() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(x, height_ - 1 - y, Get(x, y));
  return out;
}

Canvas Canvas::FlippedHorizontally() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, Get(x, y));
  return out;
}

}  // namespace vngen
