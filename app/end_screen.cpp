// The closing screen after the last level, over the title picture.
#include "app/end_screen.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/title_menu.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "play/play_loop.h"
#include "world/map.h"

namespace vn {

namespace {

// Keys and clicks in the first moments still belong to the player's last jump
// into the exit; they must not skip the screen unseen.
constexpr int32_t kGraceMillis = 700;
constexpr int32_t kShowMillis = 10000;

const std::array<std::string, 2> kLines = {
    "Geschafft! Du hast alle Level von Vornadel durchgespielt.",
    "Danke fürs Spielen!",
};

void DrawEndFrame() {
  SetColor(255, 255, 255);
  Cls();
  SetDrawOrigin(0, 0);
  SetDrawRotation(0);
  SetAlpha(1);
  SetDrawScale(float(screen.screen_width) / 450.0f, float(screen.screen_height) / 400.0f);
  DrawImageFrame(front.title_image, 0, 0, 0);

  // Both lines share one scale that fits the wider of them into the window.
  int widest = 1;
  for (const std::string& line : kLines) widest = std::max(widest, MeasureTextWidth(line));
  float scale = std::min(float(screen.screen_width) / 450.0f, float(screen.screen_width - 80) / float(widest));
  float line_h = float(FontLineHeight()) * scale;
  float box_w = float(widest) * scale + 40;
  float box_h = line_h * 2.6f + 30;
  float box_x = (float(screen.screen_width) - box_w) / 2;
  float box_y = (float(screen.screen_height) - box_h) / 2;

  SetDrawScale(1, 1);
  SetColor(20, 22, 34);
  SetAlpha(0.85f);
  DrawRect(box_x, box_y, box_w, box_h);
  SetAlpha(1);
  SetDrawScale(scale, scale);
  SetColor(255, 236, 150);
  DrawTextAt(kLines[0], CenteredTextX(kLines[0], scale), box_y + 15);
  SetColor(250, 250, 250);
  DrawTextAt(kLines[1], CenteredTextX(kLines[1], scale), box_y + 15 + line_h * 1.6f);
  SetColor(255, 255, 255);
  SetDrawScale(1, 1);
}

// Any key goes on, except F12, which stays pending for the screenshot step.
bool PlayerWantsToGoOn() {
  bool pressed = TakeMouseHits(1) != 0;
  if (TakePadActionHits(PAD_CONFIRM) + TakePadActionHits(PAD_CANCEL) != 0) pressed = true;
  for (int code = 1; code <= 255; ++code) {
    if (code != kKeyF12 && TakeKeyHits(code) != 0) pressed = true;
  }
  return pressed;
}

}  // namespace

void ShowEndScreen() {
  const int32_t start = ClockMillis();
  while (true) {
    DrawEndFrame();
    ScreenshotKeyStep();
    Flip(0);
    if (frame_timer) frame_timer->Wait();

    int32_t shown = ClockMillis() - start;
    if (shown < kGraceMillis) {
      ClearKeys();
      ClearMouseButtons();
      ClearPadActions();
      continue;
    }
    if (shown >= kShowMillis || PlayerWantsToGoOn()) break;
  }
  // The press that closed the screen must not also act on the menu (Escape would end the program).
  ClearKeys();
  ClearMouseButtons();
  ClearPadActions();
}

}  // namespace vn
