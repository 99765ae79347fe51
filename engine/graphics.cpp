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
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/display_scale.h"
#include "engine/events.h"
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
  bool opaque = false;  // every pixel has alpha 255
  // The same pixels with the drawing alpha multiplied in, for the alpha they
  // were last drawn with: water and scenery are drawn at one fixed alpha.
  SDL_Texture* faded = nullptr;
  uint8_t faded_alpha = 0;
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
std::string renderer_override;
TDrawStats draw_stats;

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

// The device blend for a shape filled with the drawing colour. An opaque colour
// covers what lies beneath whether it is blended or not, and unblended is far
// cheaper in software: there every blended triangle is drawn into a scratch
// surface of its own, which is made, blended over and freed triangle by triangle.
SDL_BlendMode ShapeBlend() {
  const SDL_BlendMode blend = DeviceBlend(state.blend_mode);
  return blend == SDL_BLENDMODE_BLEND && DeviceAlpha() == 255 ? SDL_BLENDMODE_NONE : blend;
}

void FillPolygon(const SDL_Vertex* vertices, int vertex_count, const int* indices, int index_count) {
  if (!device.renderer) return;
  SDL_SetRenderDrawBlendMode(device.renderer, ShapeBlend());
  SDL_RenderGeometry(device.renderer, nullptr, vertices, vertex_count, indices, index_count);
}

// The unit circle of an n-point oval and the fan's triangle indices, made once
// per point count: a frame draws dozens of ovals of a handful of sizes, and
// neither sines nor fresh buffers belong on that path.
struct OvalShape {
  std::vector<double> cosines, sines;
  std::vector<int> indices;
};
void FillOvalShape(OvalShape& shape, int n) {
  shape.cosines.resize(size_t(n));
  shape.sines.resize(size_t(n));
  shape.indices.reserve(size_t(n) * 3);
  for (int i = 0; i < n; ++i) {
    const double angle = 360.0 * i / n;
    shape.cosines[size_t(i)] = CosDegrees(angle);
    shape.sines[size_t(i)] = SinDegrees(angle);
    shape.indices.insert(shape.indices.end(), {0, 1 + i, 1 + (i + 1) % n});
  }
}

// Every shape up to this many points is made on the first oval, so bars whose
// width changes from frame to frame never make one in play.
constexpr int kPreparedOvalPoints = 320;

const OvalShape& OvalShapeFor(int n) {
  static std::vector<std::unique_ptr<OvalShape>> shapes;
  if (shapes.empty()) {
    shapes.resize(kPreparedOvalPoints + 1);
    for (int m = 4; m <= kPreparedOvalPoints; m += 4) {
      shapes[size_t(m)] = std::make_unique<OvalShape>();
      FillOvalShape(*shapes[size_t(m)], m);
    }
  }
  if (size_t(n) >= shapes.size()) shapes.resize(size_t(n) + 1);
  std::unique_ptr<OvalShape>& shape = shapes[size_t(n)];
  if (!shape) {
    shape = std::make_unique<OvalShape>();
    FillOvalShape(*shape, n);
  }
  return *shape;
}

// True when a device-space box lies wholly outside the render target, where
// drawing it could not change a pixel.
bool OutsideTarget(float left, float top, float right, float bottom) {
  return right < 0 || bottom < 0 || left > float(state.g_width) || top > float(state.g_height);
}

int RendererIndex(const std::string& name) {
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

// Without a GPU device node Mesa can only rasterise OpenGL on the CPU, which
// would be dropped anyway; skipping that trial also spares the start-up a GL
// context made and torn down for nothing.
bool MayHaveGpu() {
#if defined(__linux__)
  std::error_code ignored;
  return std::filesystem::exists("/dev/dri", ignored) || std::filesystem::exists("/dev/nvidiactl", ignored);
#else
  return true;
#endif
}

// Created hidden and shown only once its renderer works, so a trial that fails
// is never seen; the title comes with the showing, so no search by name ever
// finds a window that is about to go.
SDL_Window* CreateWindow(int width, int height, int depth, Uint32 extra) {
  // Resizable and fullscreen only change how large the finished picture is shown.
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | extra;
  if (depth != 0 || IsFullscreen()) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  return SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
}

void DropWindowAndRenderer() {
  if (device.renderer) SDL_DestroyRenderer(device.renderer);
  if (device.window) SDL_DestroyWindow(device.window);
  device.renderer = nullptr;
  device.window = nullptr;
}

bool TryWindowAndRenderer(int width, int height, int depth, Uint32 window_flags, int driver, Uint32 renderer_flags) {
  device.window = CreateWindow(width, height, depth, window_flags);
  if (device.window) device.renderer = SDL_CreateRenderer(device.window, driver, renderer_flags);
  return device.renderer != nullptr;
}

// An accelerated OpenGL renderer where the GPU is real, SDL's software renderer
// where it is not (headless, or OpenGL rasterised on the CPU). Every trial
// happens on a hidden window: the player sees exactly one window, the one kept.
bool CreateWindowAndRenderer(int width, int height, int depth) {
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  const int software = RendererIndex("software");
  const int opengl = RendererIndex("opengl");
  constexpr Uint32 kAccelerated = SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE;
  bool made = false;
  if (!renderer_override.empty() && renderer_override != "software") {
    const int chosen = RendererIndex(renderer_override);
    if (chosen < 0) return false;
    made = TryWindowAndRenderer(width, height, depth, renderer_override == "opengl" ? SDL_WINDOW_OPENGL : 0, chosen,
                                kAccelerated);
  } else {
    if (!IsHeadless() && opengl >= 0 && renderer_override.empty() && MayHaveGpu()) {
      made = TryWindowAndRenderer(width, height, depth, SDL_WINDOW_OPENGL, opengl, kAccelerated) && !IsSoftwareGL();
      // A window that once held a GL context is not reliably usable by the
      // software renderer, so a plain one replaces it (neither was shown yet).
      if (!made) DropWindowAndRenderer();
    }
    if (!made) made = TryWindowAndRenderer(width, height, depth, 0, software, SDL_RENDERER_TARGETTEXTURE);
  }
  if (!made) return false;
  SDL_SetWindowTitle(device.window, app_title.c_str());
  SDL_ShowWindow(device.window);
  return true;
}

void ApplyDeviceState() {
  SDL_SetRenderTarget(device.renderer, device.target);
  SDL_RenderSetViewport(device.renderer, nullptr);
  SDL_SetRenderDrawBlendMode(device.renderer, DeviceBlend(state.blend_mode));
}

}  // namespace

TFrameTexture::~TFrameTexture() {
  // After SDL has shut down (images released during the exit) the renderer is gone.
  if (device.renderer && generation == device.generation && SDL_WasInit(SDL_INIT_VIDEO)) {
    if (texture) SDL_DestroyTexture(texture);
    if (faded) SDL_DestroyTexture(faded);
  }
}

const TDrawState& GetDrawState() { return state; }

void SetAppTitle(const std::string& title) {
  app_title = title;
  if (device.window) SDL_SetWindowTitle(device.window, app_title.c_str());
}

bool OpenGraphics(int width, int height, int depth, int hertz) {
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
  // The target is copied to the window as it is; its alpha must not blend, and
  // scaled up it keeps sharp pixels.
  SDL_SetTextureBlendMode(device.target, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(device.target, SDL_ScaleModeNearest);
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


SDL_Window* CurrentWindow() { return device.window; }

SDL_Renderer* CurrentRenderer() { return device.renderer; }

std::string RendererName() { return renderer_name; }

void SetRendererOverride(const std::string& name) { renderer_override = name; }

const TDrawStats& GetDrawStats() { return draw_stats; }

void ResetDrawStats() { draw_stats = TDrawStats{}; }

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
  ++draw_stats.flips;
  PresentPicture(device.target);
  ApplyDeviceState();
}

void Cls() {
  if (!device.renderer) return;
  SDL_SetRenderDrawColor(device.renderer, uint8_t(state.clscolor_red), uint8_t(state.clscolor_green),
                         uint8_t(state.clscolor_blue), 255);
  SDL_RenderClear(device.renderer);
  ++draw_stats.clears;
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
    if (OutsideTarget(rect.x, rect.y, rect.x + rect.w, rect.y + rect.h)) return;
    ++draw_stats.rects;
    SDL_SetRenderDrawBlendMode(device.renderer, ShapeBlend());
    SDL_SetRenderDrawColor(device.renderer, uint8_t(state.color_red), uint8_t(state.color_green),
                           uint8_t(state.color_blue), DeviceAlpha());
    SDL_RenderFillRectF(device.renderer, &rect);
    return;
  }
  SDL_Vertex vertices[4];
  for (size_t i = 0; i < 4; ++i) vertices[i] = ColouredVertex(corners[i]);
  static constexpr int kQuadIndices[6] = {0, 1, 2, 0, 2, 3};
  ++draw_stats.rects;
  FillPolygon(vertices, 4, kQuadIndices, 6);
}

void DrawOval(float x, float y, float w, float h) {
  if (!device.renderer) return;
  // Unturned and unscaled, the ellipse lies inside its box: characters far
  // off the screen cost no more than this test.
  if (state.tform_rot == 0 && state.tform_scale_x == 1 && state.tform_scale_y == 1) {
    const float left = x + state.origin_x + state.handle_x, top = y + state.origin_y + state.handle_y;
    if (OutsideTarget(std::min(left, left + w), std::min(top, top + h), std::max(left, left + w),
                      std::max(top, top + h)))
      return;
  }
  const int n = OvalPointCount(w, h);
  const float cx = state.handle_x + w / 2, cy = state.handle_y + h / 2;
  const OvalShape& shape = OvalShapeFor(n);
  // Reused from oval to oval; it only ever grows to the largest oval drawn.
  static std::vector<SDL_Vertex> fan(kPreparedOvalPoints + 1);
  fan.resize(size_t(n) + 1);
  fan[0] = ColouredVertex(Transform(cx, cy, x, y));
  float left = fan[0].position.x, right = left, top = fan[0].position.y, bottom = top;
  for (size_t i = 0; i < size_t(n); ++i) {
    fan[i + 1] = ColouredVertex(Transform(float(cx + w / 2 * shape.cosines[i]), float(cy + h / 2 * shape.sines[i]), x, y));
    left = std::min(left, fan[i + 1].position.x);
    right = std::max(right, fan[i + 1].position.x);
    top = std::min(top, fan[i + 1].position.y);
    bottom = std::max(bottom, fan[i + 1].position.y);
  }
  if (OutsideTarget(left, top, right, bottom)) return;
  ++draw_stats.ovals;
  draw_stats.oval_points += n;
  FillPolygon(fan.data(), n + 1, shape.indices.data(), int(shape.indices.size()));
}

// A texture in the render target's layout from RGBA pixels, alpha scaled by
// alpha / 255 as the renderer's own alpha modulation would scale it.
static SDL_Texture* MakeTexture(const TPixmap& rgba, uint8_t alpha, bool filtered) {
  SDL_Texture* texture = SDL_CreateTexture(device.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                           rgba.width, rgba.height);
  if (!texture) return nullptr;
  std::vector<uint8_t> scaled;
  const uint8_t* source = rgba.pixels.data();
  int source_pitch = rgba.pitch;
  if (alpha != 255) {
    scaled.assign(rgba.pixels.begin(), rgba.pixels.end());
    for (int y = 0; y < rgba.height; ++y)
      for (int x = 0; x < rgba.width; ++x) {
        uint8_t& a = scaled[size_t(y) * size_t(rgba.pitch) + size_t(x) * 4 + 3];
        a = uint8_t(a * alpha / 255);
      }
    source = scaled.data();
  }
  std::vector<uint8_t> converted(size_t(rgba.width) * size_t(rgba.height) * 4);
  const int converted_pitch = rgba.width * 4;
  if (SDL_ConvertPixels(rgba.width, rgba.height, SDL_PIXELFORMAT_RGBA32, source, source_pitch,
                        SDL_PIXELFORMAT_ARGB8888, converted.data(), converted_pitch) != 0) {
    SDL_DestroyTexture(texture);
    return nullptr;
  }
  SDL_UpdateTexture(texture, nullptr, converted.data(), converted_pitch);
  SDL_SetTextureScaleMode(texture, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return texture;
}

static PixmapRef FramePixelsRGBA(const TImage& image, size_t frame) {
  const PixmapRef& pixmap = image.pixmaps[frame];
  if (!pixmap || pixmap->width <= 0 || pixmap->height <= 0) return nullptr;
  return pixmap->format == PF_RGBA8888 ? pixmap : ConvertPixmap(*pixmap, PF_RGBA8888);
}

static bool IsOpaque(const TPixmap& rgba) {
  for (int y = 0; y < rgba.height; ++y) {
    const uint8_t* row = rgba.pixels.data() + size_t(y) * size_t(rgba.pitch);
    for (int x = 0; x < rgba.width; ++x)
      if (row[size_t(x) * 4 + 3] != 255) return false;
  }
  return true;
}

// The frame's texture for the current window, made from its pixmap on demand.
static TFrameTexture* FrameTexture(const TImage& image, size_t frame) {
  auto& mutable_image = const_cast<TImage&>(image);
  if (mutable_image.frames.size() < image.pixmaps.size()) mutable_image.frames.resize(image.pixmaps.size());
  if (mutable_image.seqs.size() < image.pixmaps.size()) mutable_image.seqs.resize(image.pixmaps.size(), 0);
  auto& slot = mutable_image.frames[frame];
  if (slot && slot->texture && mutable_image.seqs[frame] == device.generation) return slot.get();

  const PixmapRef rgba = FramePixelsRGBA(image, frame);
  if (!rgba) return nullptr;
  ++draw_stats.textures_made;
  slot = std::make_shared<TFrameTexture>();
  slot->generation = device.generation;
  // The render target's own pixel layout: the software renderer blends
  // matching layouts on its fast path and converts any other pixel by pixel.
  slot->texture = MakeTexture(*rgba, 255, image.flags & IMG_FILTERED);
  if (!slot->texture) return nullptr;
  slot->opaque = IsOpaque(*rgba);
  mutable_image.seqs[frame] = device.generation;
  return slot.get();
}

// The frame's second texture with its pixels pre-multiplied by alpha, kept
// for the last alpha it was drawn at.
static void MakeFadedTexture(const TImage& image, TFrameTexture& frame_texture, size_t frame, uint8_t alpha) {
  if (frame_texture.faded && frame_texture.faded_alpha == alpha) return;
  if (frame_texture.faded) SDL_DestroyTexture(frame_texture.faded);
  const PixmapRef rgba = FramePixelsRGBA(image, frame);
  frame_texture.faded = rgba ? MakeTexture(*rgba, alpha, image.flags & IMG_FILTERED) : nullptr;
  frame_texture.faded_alpha = alpha;
  ++draw_stats.textures_made;
}

ImageRef ScaledImageCopy(const ImageRef& image, int frame, int width, int height) {
  if (!image || !device.renderer || frame < 0 || size_t(frame) >= image->pixmaps.size()) return nullptr;
  TFrameTexture* source = FrameTexture(*image, size_t(frame));
  PixmapRef pixmap = CreatePixmap(width, height, PF_RGBA8888);
  if (!source || !pixmap || width <= 0 || height <= 0) return nullptr;
  SDL_Texture* canvas =
      SDL_CreateTexture(device.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!canvas) return nullptr;
  // Copied, not blended, so transparent pixels keep their alpha in the copy.
  bool copied = SDL_SetRenderTarget(device.renderer, canvas) == 0;
  copied = copied && SDL_SetTextureBlendMode(source->texture, SDL_BLENDMODE_NONE) == 0;
  SDL_SetTextureColorMod(source->texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(source->texture, 255);
  copied = copied && SDL_RenderCopy(device.renderer, source->texture, nullptr, nullptr) == 0;
  copied = copied && SDL_RenderReadPixels(device.renderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixmap->pixels.data(),
                                          pixmap->pitch) == 0;
  SDL_DestroyTexture(canvas);
  ApplyDeviceState();
  if (!copied) return nullptr;
  return ImageFromPixmap(pixmap, image->flags);
}

void PrepareImage(const ImageRef& image, float alpha) {
  if (!image || !device.renderer) return;
  const uint8_t alpha_byte = uint8_t(Trunc(double(std::clamp(alpha, 0.0f, 1.0f)) * 255.0));
  for (size_t frame = 0; frame < image->pixmaps.size(); ++frame) {
    TFrameTexture* frame_texture = FrameTexture(*image, frame);
    if (frame_texture && alpha_byte > 0 && alpha_byte < 255) MakeFadedTexture(*image, *frame_texture, frame, alpha_byte);
  }
}

// The quad's bounds after turning about the handle (tx, ty): a square around
// the handle that holds the quad at any angle.
static bool TurnedQuadOutsideTarget(const SDL_FRect& dst, float tx, float ty) {
  if (state.tform_rot == 0) return OutsideTarget(dst.x, dst.y, dst.x + dst.w, dst.y + dst.h);
  const float reach = std::max(std::fabs(tx - dst.x), std::fabs(dst.x + dst.w - tx)) +
                      std::max(std::fabs(ty - dst.y), std::fabs(dst.y + dst.h - ty));
  return OutsideTarget(tx - reach, ty - reach, tx + reach, ty + reach);
}

void DrawImageFrameAt(const TImage& image, float tx, float ty, int frame) {
  if (!device.renderer || frame < 0 || size_t(frame) >= image.pixmaps.size()) return;

  // Scale and flip place the unrotated quad; the renderer then turns it about
  // the handle, which lies at (tx, ty).
  const float sx = state.tform_scale_x, sy = state.tform_scale_y;
  const float left = (-image.handle_x) * sx, right = (-image.handle_x + float(image.width)) * sx;
  const float top = (-image.handle_y) * sy, bottom = (-image.handle_y + float(image.height)) * sy;
  const SDL_FRect dst = {tx + std::min(left, right), ty + std::min(top, bottom), std::fabs(right - left),
                         std::fabs(bottom - top)};
  if (dst.w <= 0 || dst.h <= 0 || TurnedQuadOutsideTarget(dst, tx, ty)) return;

  TFrameTexture* frame_texture = FrameTexture(image, size_t(frame));
  if (!frame_texture) return;
  SDL_Texture* texture = frame_texture->texture;
  uint8_t alpha = DeviceAlpha();
  // Alpha modulation takes the software renderer's slowest path, about ten
  // times the cost of plain blending; pixels that carry the alpha already
  // blend on the fast path.
  const bool blended = state.blend_mode == 1 || state.blend_mode == 3;
  if (blended && alpha > 0 && alpha < 255) {
    MakeFadedTexture(image, *frame_texture, size_t(frame), alpha);
    if (frame_texture->faded) {
      texture = frame_texture->faded;
      alpha = 255;
    }
  }
  SDL_SetTextureColorMod(texture, uint8_t(state.color_red), uint8_t(state.color_green), uint8_t(state.color_blue));
  SDL_SetTextureAlphaMod(texture, alpha);
  // An opaque picture at full alpha covers what lies beneath whether it is
  // blended or copied, and copying is several times faster in software.
  // Turned quads stay blended: their corners must not be copied.
  const bool covers = frame_texture->opaque && DeviceAlpha() == 255 && state.tform_rot == 0 && blended;
  SDL_SetTextureBlendMode(texture, covers ? SDL_BLENDMODE_NONE : DeviceBlend(state.blend_mode));
  ++draw_stats.images;
  if (state.color_alpha < 1 || state.color_red != 255 || state.color_green != 255 || state.color_blue != 255)
    ++draw_stats.images_tinted;
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
