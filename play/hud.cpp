#include "play/hud.h"

#include <string>

#include "engine/graphics.h"
#include "engine/text.h"
#include "play/entities.h"
#include "play/notice.h"
#include "play/tables.h"
#include "world/map.h"

namespace vn {
namespace {

constexpr int32_t kBarX = 20, kBarY = 20, kBarH = 12;
constexpr int32_t kBreathFromRight = 122;     // the air bar starts this far from the right edge
constexpr int32_t kBarMaxW = 102;             // the outline of a full bar
constexpr int32_t kIconW = 14;                // icons sit left of their bar
constexpr int32_t kIconGap = 3;
constexpr float kTrackAlpha = 0.3f;

// The notice sits at the same edge the sign box wants, 44 px below the top
// (under the bars) or 40 px above the bottom; the sign box goes next to it,
// towards the middle.
constexpr int32_t kTopGap = 44;
constexpr int32_t kBottomGap = 40;
constexpr int32_t kNoticePadding = 10;
constexpr int32_t kBoxSpacing = 12;
constexpr int32_t kSignPadding = 15;

void DrawHeart(float x, float y) {
  // A square turned on its corner with two round lobes on its upper sides.
  const auto shape = [](float hx, float hy) {
    DrawOval(hx, hy, 8, 8);
    DrawOval(hx + 5.6f, hy, 8, 8);
    SetDrawRotation(45);
    DrawRect(hx + 6.8f, hy + 1.2f, 8, 8);
    SetDrawRotation(0);
  };
  SetColor(0, 0, 0);
  for (auto [dx, dy] : {std::pair{-1.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, -1.0f}, {0.0f, 1.0f}}) shape(x + dx, y + dy);
  SetColor(255, 102, 102);
  shape(x, y);
  SetColor(255, 190, 190);
  DrawOval(x + 2, y + 2, 3, 3);  // a highlight, so it reads as a heart and not a blot
}

void DrawBubbles(float x, float y) {
  struct Bubble {
    float dx, dy, size;
  };
  constexpr Bubble kBubbles[] = {{0, 4, 8}, {10, 0, 5}, {11, 8, 3}};
  SetColor(0, 60, 100);
  for (const Bubble& b : kBubbles) DrawOval(x + b.dx - 1, y + b.dy - 1, b.size + 2, b.size + 2);
  SetColor(150, 215, 245);
  for (const Bubble& b : kBubbles) DrawOval(x + b.dx, y + b.dy, b.size, b.size);
  SetColor(245, 252, 255);
  for (const Bubble& b : kBubbles) DrawOval(x + b.dx + b.size * 0.25f, y + b.dy + b.size * 0.2f, b.size * 0.3f, b.size * 0.3f);
}

}  // namespace

HudRect HealthBarArea() { return {kBarX - kIconW - kIconGap, kBarY - 1, kIconW + kIconGap + kBarMaxW, kBarH + 2}; }

HudRect BreathBarArea() {
  const int32_t bar_x = screen.screen_width - kBreathFromRight;
  return {bar_x - kIconW - kIconGap, kBarY - 1, kIconW + kIconGap + kBarMaxW, kBarH + 2};
}

HudRect SignBoxRect(int32_t text_w, int32_t text_h, bool player_in_lower_half, int32_t notice_h) {
  HudRect box{screen.screen_width / 2 - text_w / 2 - kSignPadding, 0, text_w + 2 * kSignPadding, text_h + 2 * kSignPadding};
  const int32_t beside_notice = notice_h > 0 ? notice_h + kBoxSpacing : 0;
  box.y = player_in_lower_half ? kTopGap + beside_notice : screen.screen_height - kBottomGap - box.h - beside_notice;
  return box;
}

bool PlayerInLowerHalf() {
  const PlayerRef player = FindPlayer();
  return player && ScreenY(player->y) + 16 > screen.screen_height / 2;
}

void DrawSignBox(int32_t text_number) {
  // Sign codes outside the table show nothing rather than read past it.
  if (text_number < 1 || text_number > int32_t(tables.tutorial_texts.size())) return;
  const std::string& text = tables.tutorial_texts[size_t(text_number - 1)];
  const HudRect box = SignBoxRect(MeasureTextWidth(text), FontLineHeight(), PlayerInLowerHalf(), NoticeBoxHeight());
  SetColor(30, 30, 30);
  DrawRect(float(box.x), float(box.y), float(box.w), float(box.h));
  SetColor(244, 254, 230);
  DrawTextAt(text, float(box.x + kSignPadding), float(box.y + kSignPadding));
  SetColor(255, 255, 255);
}

void DrawAmmunition(const std::string& text, bool empty) {
  if (text.empty()) return;
  const float x = float(kBarX + kBarMaxW + 12), y = float(kBarY - 2);
  // A dark shadow keeps the text readable over sky and stone alike.
  SetColor(0, 0, 0);
  DrawTextAt(text, x + 1, y + 1);
  if (empty) SetColor(255, 90, 90);
  else SetColor(255, 240, 200);
  DrawTextAt(text, x, y);
  SetColor(255, 255, 255);
}

void DrawBars(int32_t power, int32_t breath, bool show_breath) {
  const float breath_x = float(screen.screen_width - kBreathFromRight);
  DrawHeart(float(kBarX - kIconW - kIconGap + 1), float(kBarY));
  if (show_breath) DrawBubbles(breath_x - float(kIconW + kIconGap), float(kBarY - 1));
  // A faint track of the full width shows how much is missing.
  SetColor(0, 0, 0);
  SetAlpha(kTrackAlpha);
  DrawOval(float(kBarX), float(kBarY), float(kBarMaxW), float(kBarH));
  if (show_breath) DrawOval(breath_x, float(kBarY), float(kBarMaxW), float(kBarH));
  SetAlpha(1);
  // Ellipses whose width is the value in pixels: red health, blue air.
  DrawOval(float(kBarX), float(kBarY), float(power + 2), float(kBarH));
  if (show_breath) DrawOval(breath_x, float(kBarY), float(breath + 2), float(kBarH));
  SetColor(255, 102, 102);
  DrawOval(float(kBarX + 1), float(kBarY + 1), float(power), float(kBarH - 2));
  if (show_breath) {
    SetColor(0, 153, 204);
    DrawOval(breath_x + 1, float(kBarY + 1), float(breath), float(kBarH - 2));
  }
  SetColor(255, 255, 255);
}

}  // namespace vn
