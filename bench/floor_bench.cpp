// The floor: the draw mix of a play frame pushed through SDL's renderer by a
// minimal loop with no game logic, into a render target that is copied to the
// window and presented, exactly as the game's frame ends.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "app/resources.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "bench/draw_mix.h"
#include "engine/graphics.h"
#include "world/tiles.h"

namespace vn::bench {
namespace {

std::map<std::pair<int, int>, DrawMix> mixes;

// The renderer the game would use, on a window of its own.
struct FloorDevice {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* target = nullptr;
  std::vector<SDL_Texture*> tiles;
  std::vector<SDL_Texture*> faded_tiles;   // alpha 242 carried in the pixels
  ~FloorDevice() {
    for (SDL_Texture* tile : tiles) SDL_DestroyTexture(tile);
    for (SDL_Texture* tile : faded_tiles) SDL_DestroyTexture(tile);
    if (target) SDL_DestroyTexture(target);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
  }
};

int RendererIndex(const std::string& name) {
  for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && name == info.name) return i;
  }
  return -1;
}

SDL_Texture* TileTexture(SDL_Renderer* renderer, TPixmap rgba, int alpha) {
  for (size_t i = 3; i < rgba.pixels.size(); i += 4) rgba.pixels[i] = uint8_t(rgba.pixels[i] * alpha / 255);
  std::vector<uint8_t> argb(size_t(rgba.width) * size_t(rgba.height) * 4);
  SDL_ConvertPixels(rgba.width, rgba.height, SDL_PIXELFORMAT_RGBA32, rgba.pixels.data(), rgba.pitch,
                    SDL_PIXELFORMAT_ARGB8888, argb.data(), rgba.width * 4);
  SDL_Texture* tile = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, rgba.width,
                                        rgba.height);
  SDL_UpdateTexture(tile, nullptr, argb.data(), rgba.width * 4);
  SDL_SetTextureBlendMode(tile, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tile, SDL_ScaleModeNearest);
  return tile;
}

bool OpenFloorDevice(FloorDevice& device, int width, int height) {
  const bool gl = SelectedRenderer() == "opengl";
  device.window = SDL_CreateWindow("floor", 0, 0, width, height, gl ? SDL_WINDOW_OPENGL : 0);
  if (!device.window) return false;
  device.renderer = SDL_CreateRenderer(device.window, RendererIndex(SelectedRenderer()), SDL_RENDERER_TARGETTEXTURE);
  if (!device.renderer) return false;
  device.target = SDL_CreateTexture(device.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!device.target) return false;
  SDL_SetTextureBlendMode(device.target, SDL_BLENDMODE_NONE);
  // The game's own wall pictures, so the blits meet the same transparent pixels.
  for (const int value : {1, 2, 3, 4, 5, 6, 7, 100, 101}) {
    const ImageRef& image = world_assets.tile_images[size_t(value)][0];
    if (!image || image->pixmaps.empty()) continue;
    // In the target's pixel layout, as any loop written for speed would make them.
    PixmapRef rgba = ConvertPixmap(*image->pixmaps[0], PF_RGBA8888);
    device.tiles.push_back(TileTexture(device.renderer, *rgba, 255));
    device.faded_tiles.push_back(TileTexture(device.renderer, *rgba, 242));
  }
  SDL_SetRenderDrawBlendMode(device.renderer, SDL_BLENDMODE_BLEND);
  return !device.tiles.empty();
}

// A 12-point-or-more fan like the game's ellipses, precomputed once.
struct Fan {
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
};
Fan MakeFan(int points) {
  Fan fan;
  fan.vertices.resize(size_t(points) + 1);
  for (int i = 0; i < points; ++i) {
    const double angle = 2 * M_PI * i / points;
    fan.vertices[size_t(i) + 1].position = {float(6 + 6 * std::cos(angle)), float(6 + 6 * std::sin(angle))};
    fan.indices.insert(fan.indices.end(), {0, 1 + i, 1 + (i + 1) % points});
  }
  fan.vertices[0].position = {6, 6};
  for (SDL_Vertex& vertex : fan.vertices) vertex.color = {117, 0, 15, 255};
  return fan;
}

// Plain: every quad and shape blended, translucent quads by alpha modulation,
// as a straightforward loop would draw them. Fast: translucent quads from
// textures that carry their alpha, all other quads and the (opaque) shapes
// drawn unblended, the cheapest the renderer can do for this mix (a bound no
// game frame can beat).
void DrawFloorFrame(FloorDevice& device, const DrawMix& mix, const Fan& fan, std::vector<SDL_Vertex>& moved,
                    int width, int height, bool fast) {
  SDL_SetRenderTarget(device.renderer, device.target);
  SDL_SetRenderDrawColor(device.renderer, 255, 255, 255, 255);
  SDL_RenderClear(device.renderer);
  const int columns = width / 32 + 1;
  const int images = int(std::lround(mix.images)), tinted = int(std::lround(mix.images_tinted));
  for (int i = 0; i < images; ++i) {
    const size_t kind = size_t(i) % device.tiles.size();
    SDL_Texture* tile = fast && i < tinted ? device.faded_tiles[kind] : device.tiles[kind];
    if (fast) SDL_SetTextureBlendMode(tile, i < tinted ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    else SDL_SetTextureAlphaMod(tile, i < tinted ? 242 : 255);
    const int cell = i % (columns * (height / 32 + 1));
    const SDL_Rect dst = {(cell % columns) * 32 - 7, (cell / columns) * 32 - 5, 32, 32};
    SDL_RenderCopy(device.renderer, tile, nullptr, &dst);
  }
  SDL_SetRenderDrawBlendMode(device.renderer, fast ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
  for (int i = 0; i < int(std::lround(mix.ovals)); ++i) {
    const float x = float((i * 37) % (width - 16)), y = float((i * 53) % (height - 16));
    for (size_t v = 0; v < fan.vertices.size(); ++v) {
      moved[v] = fan.vertices[v];
      moved[v].position.x += x;
      moved[v].position.y += y;
    }
    SDL_RenderGeometry(device.renderer, nullptr, moved.data(), int(moved.size()), fan.indices.data(),
                       int(fan.indices.size()));
  }
  SDL_SetRenderDrawColor(device.renderer, 255, 0, 0, 255);
  for (int i = 0; i < int(std::lround(mix.rects)); ++i) {
    const SDL_FRect rect = {float((i * 41) % width), float((i * 29) % height), 2, 2};
    SDL_RenderFillRectF(device.renderer, &rect);
  }
  SDL_SetRenderTarget(device.renderer, nullptr);
  SDL_RenderCopy(device.renderer, device.target, nullptr, nullptr);
  SDL_RenderPresent(device.renderer);
}

}  // namespace

void RenderFloor(benchmark::State& state) {
  const int width = int(state.range(0)), height = int(state.range(1));
  const bool fast = state.range(2) != 0;
  const std::optional<DrawMix> mix = RecalledDrawMix(width, height);
  if (!mix) {
    state.SkipWithError("run PlayFrameStress at this size first (same process)");
    return;
  }
  // The game's window goes first, so only one renderer works at a time.
  CloseGraphics();
  FloorDevice device;
  if (!OpenFloorDevice(device, width, height)) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  const Fan fan = MakeFan(std::max(12, int(std::lround(mix->oval_points / 4)) * 4));
  std::vector<SDL_Vertex> moved(fan.vertices.size());
  for (int i = 0; i < 30; ++i) DrawFloorFrame(device, *mix, fan, moved, width, height, fast);

  std::vector<double> wall, cpu;
  for (auto _ : state) {
    const double wall_before = WallMillis(), cpu_before = ProcessCpuMillis();
    DrawFloorFrame(device, *mix, fan, moved, width, height, fast);
    const double wall_after = WallMillis(), cpu_after = ProcessCpuMillis();
    wall.push_back(wall_after - wall_before);
    cpu.push_back(cpu_after - cpu_before);
    state.SetIterationTime((wall_after - wall_before) / 1e3);
  }
  state.counters["median_ms"] = Median(wall);
  state.counters["p99_ms"] = Percentile(wall, 0.99);
  state.counters["cpu_median_ms"] = Median(cpu);
  state.counters["quads"] = mix->images;
  state.counters["ovals"] = mix->ovals;
  state.counters["rects"] = mix->rects;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(device.renderer, &info) == 0) state.SetLabel(info.name);
}

void RememberDrawMix(int width, int height, const DrawMix& mix) { mixes[{width, height}] = mix; }

std::optional<DrawMix> RecalledDrawMix(int width, int height) {
  const auto found = mixes.find({width, height});
  if (found == mixes.end()) return std::nullopt;
  return found->second;
}

}  // namespace vn::bench
