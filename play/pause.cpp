// Pause while the window is not in front: the level and its clock stand still.
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "play/play_loop.h"
#include "world/map.h"

namespace vn {

namespace {

bool sign_drawn = false;

// Drawn once over the last picture, which stays in the frame buffer while paused.
void DrawPauseSign() {
  const TDrawState saved = GetDrawState();
  const std::string text = "Pause";
  constexpr float kScale = 2;
  const float w = float(MeasureTextWidth(text)) * kScale, h = float(FontLineHeight()) * kScale;
  const float x = float(screen.screen_width / 2) - w / 2, y = float(screen.screen_height / 2) - h / 2;
  SetDrawOrigin(0, 0);
  SetDrawRotation(0);
  SetDrawScale(1, 1);
  SetAlpha(1);
  SetColor(20, 20, 20);
  DrawRect(x - 20, y - 12, w + 40, h + 24);
  SetColor(240, 240, 225);
  SetDrawScale(kScale, kScale);
  DrawTextAt(text, x, y);
  SetDrawOrigin(saved.origin_x, saved.origin_y);
  SetDrawRotation(saved.tform_rot);
  SetDrawScale(saved.tform_scale_x, saved.tform_scale_y);
  SetColor(saved.color_red, saved.color_green, saved.color_blue);
  SetAlpha(saved.color_alpha);
}

}  // namespace

bool PauseInBackground() {
  if (HasWindowFocus()) {
    SetClockPaused(false);
    sign_drawn = false;
    return false;
  }
  SetClockPaused(true);
  if (!sign_drawn) DrawPauseSign();
  sign_drawn = true;
  Flip(0);
  if (frame_timer) frame_timer->Wait();
  return true;
}

}  // namespace vn
