// The finished picture scaled into the window or the screen, fullscreen, and
// window positions mapped back onto the picture.
#include "engine/display_scale.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "engine/events.h"
#include "engine/graphics.h"

namespace vn {

namespace {

bool fullscreen = false;
bool integer_scaling = false;

int FloorDiv(int64_t a, int64_t b) { return int(a >= 0 ? a / b : -((-a + b - 1) / b)); }

TPictureRect PictureRectIn(int out_w, int out_h) {
  const TDrawState& state = GetDrawState();
  return FitPicture(out_w, out_h, state.g_width, state.g_height, integer_scaling);
}

// The window's real pixels (more than its coordinates on HiDPI screens). Not
// the renderer's output size: while the picture is drawn that is the target's.
bool OutputSize(int& out_w, int& out_h) {
  SDL_Window* window = CurrentWindow();
  if (window == nullptr || CurrentRenderer() == nullptr) return false;
  SDL_GetWindowSizeInPixels(window, &out_w, &out_h);
  return out_w > 0 && out_h > 0;
}

// What maps window coordinates onto the picture: the window's real pixels, its
// size in coordinates, and where the picture lies. False without a window.
struct TWindowMapping {
  int out_w = 0, out_h = 0, win_w = 0, win_h = 0;
  TPictureRect rect;
};

bool CurrentMapping(TWindowMapping& mapping) {
  if (!OutputSize(mapping.out_w, mapping.out_h)) return false;
  SDL_GetWindowSize(CurrentWindow(), &mapping.win_w, &mapping.win_h);
  if (mapping.win_w <= 0 || mapping.win_h <= 0) return false;
  mapping.rect = PictureRectIn(mapping.out_w, mapping.out_h);
  return true;
}

}  // namespace

TPictureRect FitPicture(int out_w, int out_h, int pic_w, int pic_h, bool whole_multiples) {
  TPictureRect rect{0, 0, out_w, out_h};
  if (pic_w <= 0 || pic_h <= 0 || out_w <= 0 || out_h <= 0) return rect;
  if (whole_multiples) {
    const int factor = std::max(1, std::min(out_w / pic_w, out_h / pic_h));
    rect.w = pic_w * factor;
    rect.h = pic_h * factor;
  } else if (int64_t(out_w) * pic_h <= int64_t(out_h) * pic_w) {
    rect.w = out_w;   // the width limits: bars above and below
    rect.h = int(int64_t(out_w) * pic_h / pic_w);
  } else {
    rect.h = out_h;   // the height limits: bars left and right
    rect.w = int(int64_t(out_h) * pic_w / pic_h);
  }
  rect.x = (out_w - rect.w) / 2;
  rect.y = (out_h - rect.h) / 2;
  return rect;
}

void SetFullscreen(bool on) {
  fullscreen = on;
  if (SDL_Window* window = CurrentWindow())
    SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

bool IsFullscreen() { return fullscreen; }

void SetIntegerScaling(bool on) { integer_scaling = on; }

bool IsIntegerScaling() { return integer_scaling; }

void ResizeWindow(int width, int height) {
  if (SDL_Window* window = CurrentWindow(); window && width > 0 && height > 0) SDL_SetWindowSize(window, width, height);
}

TPictureRect CurrentPictureRect() {
  int out_w = 0, out_h = 0;
  if (!OutputSize(out_w, out_h)) {
    const TDrawState& state = GetDrawState();
    return {0, 0, state.g_width, state.g_height};
  }
  return PictureRectIn(out_w, out_h);
}

bool WindowToPicture(int window_x, int window_y, int& picture_x, int& picture_y) {
  picture_x = window_x;
  picture_y = window_y;
  TWindowMapping mapping;
  if (!CurrentMapping(mapping)) return true;
  const auto& [out_w, out_h, win_w, win_h, rect] = mapping;
  const TDrawState& state = GetDrawState();
  if (rect.w <= 0 || rect.h <= 0) return true;
  // Window coordinates to real pixels (they differ on HiDPI screens), then
  // to the picture, rounding down so that each picture pixel owns its area.
  const int64_t pixel_x = int64_t(window_x) * out_w / win_w, pixel_y = int64_t(window_y) * out_h / win_h;
  picture_x = FloorDiv((pixel_x - rect.x) * state.g_width, rect.w);
  picture_y = FloorDiv((pixel_y - rect.y) * state.g_height, rect.h);
  // Outside the window (a captured drag) is no bar: only the window's own
  // pixels beside the picture are.
  const bool in_window = pixel_x >= 0 && pixel_y >= 0 && pixel_x < out_w && pixel_y < out_h;
  const bool in_picture = pixel_x >= rect.x && pixel_y >= rect.y && pixel_x < rect.x + rect.w && pixel_y < rect.y + rect.h;
  return in_picture || !in_window;
}

void PictureToWindow(int picture_x, int picture_y, int& window_x, int& window_y) {
  window_x = picture_x;
  window_y = picture_y;
  TWindowMapping mapping;
  if (!CurrentMapping(mapping)) return;
  const auto& [out_w, out_h, win_w, win_h, rect] = mapping;
  const TDrawState& state = GetDrawState();
  if (state.g_width <= 0 || state.g_height <= 0) return;
  const int64_t pixel_x = rect.x + (int64_t(picture_x) * 2 + 1) * rect.w / (2 * int64_t(state.g_width));
  const int64_t pixel_y = rect.y + (int64_t(picture_y) * 2 + 1) * rect.h / (2 * int64_t(state.g_height));
  window_x = int(pixel_x * win_w / out_w);
  window_y = int(pixel_y * win_h / out_h);
}

void PresentPicture(SDL_Texture* target) {
  SDL_Renderer* renderer = CurrentRenderer();
  if (renderer == nullptr) return;
  SDL_SetRenderTarget(renderer, nullptr);
  int out_w = 0, out_h = 0;
  const TPictureRect rect = OutputSize(out_w, out_h) ? PictureRectIn(out_w, out_h) : TPictureRect{};
  if (rect.w <= 0 || (rect.x == 0 && rect.y == 0 && rect.w == out_w && rect.h == out_h)) {
    SDL_RenderCopy(renderer, target, nullptr, nullptr);
  } else {
    const SDL_Rect destination = {rect.x, rect.y, rect.w, rect.h};
    // Only the bars are filled: the picture covers the rest, and clearing
    // all of a large screen first costs the software renderer as much again.
    const SDL_Rect bars[4] = {{0, 0, out_w, rect.y},
                              {0, rect.y + rect.h, out_w, out_h - rect.y - rect.h},
                              {0, rect.y, rect.x, rect.h},
                              {rect.x + rect.w, rect.y, out_w - rect.x - rect.w, rect.h}};
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    for (const SDL_Rect& bar : bars)
      if (bar.w > 0 && bar.h > 0) SDL_RenderFillRect(renderer, &bar);
    SDL_RenderCopy(renderer, target, nullptr, &destination);
  }
  SDL_RenderPresent(renderer);
}

bool HandleDisplayKey(SDL_Scancode scancode, bool alt_held) {
  const bool toggle = scancode == SDL_SCANCODE_F11 ||
                      (alt_held && (scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER));
  if (toggle) SetFullscreen(!fullscreen);
  return toggle;
}

}  // namespace vn
