// The window, the renderer, the drawing state and the primitives.
//
// Every frame is drawn into one render-target texture of the window's size;
// Flip copies it to the window. Grabs read that texture, so screenshots and
// grabbed frames are the same on every renderer and independent of the window
// system.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics.h"
#include "engine/numbers.h"
#include "engine/platform.h"
#include "engine/timing.h"

namespace vn {

// A frame's device texture. It remembers the window generation it was made
// for: textures of an older window died with its renderer and must not be
// destroyed again.
struct TFrameTexture {
  SDL_Texture* texture = nullptr;
  int generation = 0;
  ~TFrameTexture();
};

namespace {

// Plain data only: images held in globals may release their textures during
// static destruction, after other objects with destructors are gone.
struct Device {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* target = nullptr;
  int generation = 1;  // bumped whenever a window closes
  int hertz = 0;
  int vsync = 0;
  int64_t pace_due = 0;
  int pace_remainder = 0;
};
Device device;
TDrawState state;
std::string app_title;
std::string renderer_name = "none";

constexpr double kPi = 3.14159265358979323846;

// Exact at multiples of 90 degrees, so rotated rectangles land on whole pixels.
double SinDegrees(double degrees) {
  const double quarter = degrees / 90.0;
  if (quarter == std::floor(quarter)) {
    const int q = int(std::fmod(std::fmod(quarter, 4.0) + 4.0, 4.0));
    static constexpr double kQuarterSines[4] = {0, 1, 0, -1};
    return kQuarterSines[q];
  }
  return std::sin(degrees * kPi / 180.0);
}
double CosDegrees(double degrees) { return SinDegrees(degrees + 90.0); }

uint8_t DeviceAlpha() { return uint8_t(Trunc(double(state.color_alpha) * 255.0)); }

SDL_BlendMode DeviceBlend(int mode) {
  switch (mode) {
    // Masked images hold only alpha 0 or 255, where blending equals the alpha test.
    case 1:
    case 3: return SDL_BLENDMODE_BLEND;
    case 4: return SDL_BLENDMODE_ADD;
    case 5: return SDL_BLENDMODE_MOD;
    default: return SDL_BLENDMODE_NONE;
  }
}

void RecomputeMatrix() {
  const double s = SinDegrees(state.tform_rot), c = CosDegrees(state.tform_rot);
  state.tform_ix = float(c * state.tform_scale_x);
  state.tform_iy = float(-s * state.tform_scale_y);
  state.tform_jx = float(s * state.tform_scale_x);
  state.tform_jy = float(c * state.tform_scale_y);
}

void ResetDrawState(int width, int height) {
  state = TDrawState{};
  state.viewport_w = state.g_width = width;
  state.viewport_h = state.g_height = height;
}

// A local point of a shape to the device, through the matrix and the origin.
SDL_FPoint Transform(float u, float v, float x, float y) {
  return {u * state.tform_ix + v * state.tform_iy + x + state.origin_x,
          u * state.tform_jx + v * state.tform_jy + y + state.origin_y};
}

SDL_Vertex ColouredVertex(SDL_FPoint point) {
  SDL_Vertex vertex{};
  vertex.position = point;
  vertex.color = {uint8_t(state.color_red), uint8_t(state.color_green), uint8_t(state.color_blue), DeviceAlpha()};
  return vertex;
}

void FillPolygon(const std::vector<SDL_Vertex>& vertices, const std::vector<int>& indices) {
  if (!device.renderer) return;
  SDL_SetRenderDrawBlendMode(device.renderer, DeviceBlend(state.blend_mode));
  SDL_RenderGeometry(device.renderer, nullptr, vertices.data(), int(vertices.size()), indices.data(),
                     int(indices.size()));
}

int RendererIndex(const char* name) {
  const int count = SDL_GetNumRenderDrivers();
  for (int i = 0; i < count; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::string(info.name) == name) return i;
  }
  return -1;
}

// Mesa's CPU rasterizers answer as OpenGL but are about half as fast for our
// frames as SDL's own software renderer.
bool IsSoftwareGL() {
  using GetStringFn = const unsigned char*(SDLCALL*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  auto get_string = reinterpret_cast<GetStringFn>(SDL_GL_GetProcAddress("glGetString"));
  if (!get_string) return true;
  const unsigned char* text = get_string(kGlRenderer);
  if (!text) return true;
  const std::string name(reinterpret_cast<const char*>(text));
  return name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos ||
         name.find("Software") != std::string::npos;
}

SDL_Window* CreateWindow(int width, int height, int depth, Uint32 extra) {
  Uint32 flags = SDL_WINDOW_SHOWN | extra;
  if (depth != 0) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
  return SDL_CreateWindow(app_title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
}

// An accelerated OpenGL renderer where the GPU is real, SDL's software renderer
// where it is not (headless, or OpenGL rasterised on the CPU).
bool CreateWindowAndRenderer(int width, int height, int depth) {
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  const int software = RendererIndex("software");
  const int opengl = RendererIndex("opengl");
  if (!IsHeadless() && opengl >= 0) {
    device.window = CreateWindow(width, height, depth, SDL_WINDOW_OPENGL);
    if (!device.window) return false;
    device.renderer = SDL_CreateRenderer(device.window, opengl, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (device.renderer && !IsSoftwareGL()) return true;
    if (device.renderer) SDL_DestroyRenderer(device.renderer);
    device.renderer = nullptr;
    // A window that once held a GL context is not reliably usable by the
    // software renderer, so start again with a plain one.
    SDL_DestroyWindow(device.window);
  }
  device.window = CreateWindow(width, height, depth, 0);
  if (!device.window) return false;
  device.renderer = SDL_CreateRenderer(device.window, software, SDL_RENDERER_TARGETTEXTURE);
  return device.renderer != nullptr;
}

void ApplyDeviceState() {
  SDL_SetRenderTarget(device.renderer, device.target);
  SDL_RenderSetViewport(device.renderer, nullptr);
  SDL_SetRenderDrawBlendMode(device.renderer, DeviceBlend(state.blend_mode));
}

}  // namespace

TFrameTexture::~TFrameTexture() {
  // After SDL has shut down (images released during the exit) the renderer is gone.
  if (texture && device.renderer && generation == device.generation && SDL_WasInit(SDL_INIT_VIDEO))
    SDL_DestroyTexture(texture);
}

const TDrawState& GetDrawState() { return state; }

void SetAppTitle(const std::string& title) {
  app_title = title;
  if (device.window) SDL_SetWindowTitle(device.window, app_title.c_str());
}

bool OpenGraphics(int width, int height, int depth, int hertz, int /*flags*/) {
  CloseGraphics();
  if (width <= 0 || height <= 0 || !InitPlatform()) return false;
  // The renderer and its textures must go before SDL shuts down.
  static bool close_hook_added = false;
  if (!close_hook_added) {
    AddShutdownHook([] {
      close_hook_added = false;
      CloseGraphics();
    });
    close_hook_added = true;
  }
  if (!CreateWindowAndRenderer(width, height, depth)) {
    CloseGraphics();
    return false;
  }
  device.target = SDL_CreateTexture(device.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!device.target) {
    CloseGraphics();
    return false;
  }
  // The target is copied to the window as it is; its alpha must not blend.
  SDL_SetTextureBlendMode(device.target, SDL_BLENDMODE_NONE);
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(device.renderer, &info) == 0) renderer_name = info.name;
  device.hertz = hertz;
  device.vsync = 0;
  device.pace_due = ClockMillis();
  device.pace_remainder = 0;
  ResetDrawState(width, height);
  ApplyDeviceState();
  Cls();
  Flip(0);
  Cls();
  Flip(0);
  return true;
}

void CloseGraphics() {
  // Textures die with the renderer; the new generation keeps their owners
  // from destroying them a second time.
  ++device.generation;
  if (device.renderer) SDL_DestroyRenderer(device.renderer);
  if (device.window) SDL_DestroyWindow(device.window);
  device.renderer = nullptr;
  device.window = nullptr;
  device.target = nullptr;
  renderer_name = "none";
}

bool GraphicsOpen() { return device.renderer != nullptr; }

std::string RendererName() { return renderer_name; }

// Flip(-1): a target time advances by 1000 / hertz ms per call, the remainder
// spread over the calls; the caller sleeps up to it and never catches up.
static void PaceToHertz() {
  if (device.hertz <= 0) return;
  const int h = device.hertz;
  device.pace_due += 1000 / h;
  device.pace_remainder += 1000 - h * (1000 / h);
  if (device.pace_remainder >= h) {
    device.pace_remainder -= h;
    device.pace_due += 1;
  }
  const int64_t now = ClockMillis();
  if (device.pace_due > now) DelayMillis(int32_t(device.pace_due - now));
  else device.pace_due = now;
}

void Flip(int sync) {
  if (!device.renderer) return;
  if (sync == -1) PaceToHertz();
  const int vsync = sync == 1 ? 1 : 0;
  if (vsync != device.vsync) {
    SDL_RenderSetVSync(device.renderer, vsync);
    device.vsync = vsync;
  }
  SDL_SetRenderTarget(device.renderer, nullptr);
  SDL_RenderCopy(device.renderer, device.target, nullptr, nullptr);
  SDL_RenderPresent(device.renderer);
  ApplyDeviceState();
}

void Cls() {
  if (!device.renderer) return;
  SDL_SetRenderDrawColor(device.renderer, uint8_t(state.clscolor_red), uint8_t(state.clscolor_green),
                         uint8_t(state.clscolor_blue), 255);
  SDL_RenderClear(device.renderer);
}

void SetClsColor(int r, int g, int b) {
  state.clscolor_red = std::clamp(r, 0, 255);
  state.clscolor_green = std::clamp(g, 0, 255);
  state.clscolor_blue = std::clamp(b, 0, 255);
}

void SetColor(int r, int g, int b) {
  state.color_red = std::clamp(r, 0, 255);
  state.color_green = std::clamp(g, 0, 255);
  state.color_blue = std::clamp(b, 0, 255);
}

void SetAlpha(float alpha) {
  if (std::isnan(alpha)) alpha = 0;
  state.color_alpha = std::clamp(alpha, 0.0f, 1.0f);
}

void SetBlend(int mode) {
  state.blend_mode = mode;
  if (device.renderer) SDL_SetRenderDrawBlendMode(device.renderer, DeviceBlend(mode));
}

void SetDrawRotation(float degrees) {
  state.tform_rot = degrees;
  RecomputeMatrix();
}

void SetDrawScale(float sx, float sy) {
  state.tform_scale_x = sx;
  state.tform_scale_y = sy;
  RecomputeMatrix();
}

void SetDrawOrigin(float x, float y) {
  state.origin_x = x;
  state.origin_y = y;
}

int OvalPointCount(float w, float h) {
  // Beyond this many points an oval is as round as a screen can show; the cap
  // keeps an absurd box from allocating without bound.
  constexpr int kMaxPoints = 4096;
  const double half_sum = std::fabs(double(w) / 2) + std::fabs(double(h) / 2);
  int n = std::isfinite(half_sum) ? int(std::min(half_sum, double(kMaxPoints))) : kMaxPoints;
  n = std::max(n, 12);
  return n - n % 4;
}

void DrawRect(float x, float y, float w, float h) {
  if (!device.renderer) return;
  const float hx = state.handle_x, hy = state.handle_y;
  const SDL_FPoint corners[4] = {Transform(hx, hy, x, y), Transform(hx + w, hy, x, y),
                                 Transform(hx + w, hy + h, x, y), Transform(hx, hy + h, x, y)};
  // SDL's software renderer turns axis-aligned quads into plain rectangle
  // fills and loses the blend mode on the way, so such quads are filled as
  // rectangles here, which every renderer blends correctly.
  const bool axis_aligned = (corners[0].x == corners[3].x && corners[1].x == corners[2].x &&
                             corners[0].y == corners[1].y && corners[2].y == corners[3].y) ||
                            (corners[0].x == corners[1].x && corners[2].x == corners[3].x &&
                             corners[0].y == corners[3].y && corners[1].y == corners[2].y);
  if (axis_aligned) {
    const float left = std::min(corners[0].x, corners[2].x), top = std::min(corners[0].y, corners[2].y);
    const SDL_FRect rect = {left, top, std::fabs(corners[2].x - corners[0].x), std::fabs(corners[2].y - corners[0].y)};
    SDL_SetRenderDrawBlendMode(device.renderer, DeviceBlend(state.blend_mode));
    SDL_SetRenderDrawColor(device.renderer, uint8_t(state.color_red), uint8_t(state.color_green),
                           uint8_t(state.color_blue), DeviceAlpha());
    SDL_RenderFillRectF(device.renderer, &rect);
    return;
  }
  std::vector<SDL_Vertex> vertices;
  for (const SDL_FPoint& corner : corners) vertices.push_back(ColouredVertex(corner));
  FillPolygon(vertices, {0, 1, 2, 0, 2, 3});
}

void DrawOval(float x, float y, float w, float h) {
  if (!device.renderer) return;
  const int n = OvalPointCount(w, h);
  const float cx = state.handle_x + w / 2, cy = state.handle_y + h / 2;
  std::vector<SDL_Vertex> fan;
  std::vector<int> indices;
  fan.reserve(size_t(n) + 1);
  indices.reserve(size_t(n) * 3);
  fan.push_back(ColouredVertex(Transform(cx, cy, x, y)));
  for (int i = 0; i < n; ++i) {
    const double angle = 360.0 * i / n;
    fan.push_back(ColouredVertex(Transform(float(cx + w / 2 * CosDegrees(angle)),
                                           float(cy + h / 2 * SinDegrees(angle)), x, y)));
    indices.insert(indices.end(), {0, 1 + i, 1 + (i + 1) % n});
  }
  FillPolygon(fan, indices);
}

// The frame's texture for the current window, made from its pixmap on demand.
static SDL_Texture* FrameTexture(const TImage& image, size_t frame) {
  auto& mutable_image = const_cast<TImage&>(image);
  if (mutable_image.frames.size() < image.pixmaps.size()) mutable_image.frames.resize(image.pixmaps.size());
  if (mutable_image.seqs.size() < image.pixmaps.size()) mutable_image.seqs.resize(image.pixmaps.size(), 0);
  auto& slot = mutable_image.frames[frame];
  if (slot && slot->texture && mutable_image.seqs[frame] == device.generation) return slot->texture;

  const PixmapRef& pixmap = image.pixmaps[frame];
  if (!pixmap || pixmap->width <= 0 || pixmap->height <= 0) return nullptr;
  PixmapRef rgba = pixmap->format == PF_RGBA8888 ? pixmap : ConvertPixmap(*pixmap, PF_RGBA8888);
  if (!rgba) return nullptr;
  slot = std::make_shared<TFrameTexture>();
  slot->generation = device.generation;
  slot->texture = SDL_CreateTexture(device.renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, rgba->width,
                                    rgba->height);
  if (!slot->texture) return nullptr;
  SDL_UpdateTexture(slot->texture, nullptr, rgba->pixels.data(), rgba->pitch);
  SDL_SetTextureScaleMode(slot->texture, (image.flags & IMG_FILTERED) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  mutable_image.seqs[frame] = device.generation;
  return slot->texture;
}

void DrawImageFrameAt(const TImage& image, float tx, float ty, int frame) {
  if (!device.renderer || frame < 0 || size_t(frame) >= image.pixmaps.size()) return;
  SDL_Texture* texture = FrameTexture(image, size_t(frame));
  if (!texture) return;
  SDL_SetTextureColorMod(texture, uint8_t(state.color_red), uint8_t(state.color_green), uint8_t(state.color_blue));
  SDL_SetTextureAlphaMod(texture, DeviceAlpha());
  SDL_SetTextureBlendMode(texture, DeviceBlend(state.blend_mode));

  // Scale and flip place the unrotated quad; the renderer then turns it about
  // the handle, which lies at (tx, ty).
  const float sx = state.tform_scale_x, sy = state.tform_scale_y;
  const float left = (-image.handle_x) * sx, right = (-image.handle_x + float(image.width)) * sx;
  const float top = (-image.handle_y) * sy, bottom = (-image.handle_y + float(image.height)) * sy;
  const SDL_FRect dst = {tx + std::min(left, right), ty + std::min(top, bottom), std::fabs(right - left),
                         std::fabs(bottom - top)};
  if (dst.w <= 0 || dst.h <= 0) return;
  const SDL_FPoint center = {tx - dst.x, ty - dst.y};
  int flip = SDL_FLIP_NONE;
  if (sx < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (sy < 0) flip |= SDL_FLIP_VERTICAL;
  SDL_RenderCopyExF(device.renderer, texture, nullptr, &dst, double(state.tform_rot), &center, SDL_RendererFlip(flip));
}

void DrawImageFrame(const ImageRef& image, float x, float y, int frame) {
  if (!image) return;
  DrawImageFrameAt(*image, x + state.origin_x, y + state.origin_y, frame);
}

PixmapRef GrabPixmap(int x, int y, int w, int h) {
  PixmapRef pixmap = CreatePixmap(std::max(w, 0), std::max(h, 0), PF_RGBA8888);
  if (!pixmap) return nullptr;
  for (size_t i = 3; i < pixmap->pixels.size(); i += 4) pixmap->pixels[i] = 255;
  if (!device.renderer) return pixmap;

  // Only the part inside the window is read; the rest stays opaque black.
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = int(std::min<int64_t>(int64_t(x) + w, state.g_width));
  const int bottom = int(std::min<int64_t>(int64_t(y) + h, state.g_height));
  if (right <= left || bottom <= top) return pixmap;
  const SDL_Rect area = {left, top, right - left, bottom - top};
  uint8_t* first = pixmap->pixels.data() + size_t(top - y) * size_t(pixmap->pitch) + size_t(left - x) * 4;
  SDL_RenderReadPixels(device.renderer, &area, SDL_PIXELFORMAT_RGBA32, first, pixmap->pitch);
  for (size_t i = 3; i < pixmap->pixels.size(); i += 4) pixmap->pixels[i] = 255;
  return pixmap;
}

}  // namespace vn
