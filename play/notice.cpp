#include "play/notice.h"

#include "engine/graphics.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "world/map.h"

namespace vn {
namespace {

std::string notice_text;
int32_t notice_until = 0;   // clock time after which the notice is gone

constexpr int32_t kPadding = 10;
constexpr int32_t kBottomGap = 40;   // space between the box and the window's bottom edge
constexpr float kBoxAlpha = 0.6f;

}  // namespace

void ShowNotice(const std::string& text, int32_t duration_ms) {
  notice_text = text;
  notice_until = ClockMillis() + duration_ms;
}

void DrawNotice() {
  if (notice_text.empty()) return;
  if (ClockMillis() > notice_until) {
    ClearNotice();
    return;
  }
  const int32_t w = MeasureTextWidth(notice_text);
  const int32_t h = FontLineHeight();
  const int32_t box_w = w + 2 * kPadding;
  const int32_t box_h = h + 2 * kPadding;
  const int32_t box_x = screen.screen_width / 2 - box_w / 2;
  const int32_t box_y = screen.screen_height - kBottomGap - box_h;
  SetAlpha(kBoxAlpha);
  SetColor(20, 20, 20);
  DrawRect(float(box_x), float(box_y), float(box_w), float(box_h));
  SetAlpha(1);
  SetColor(240, 240, 225);
  DrawTextAt(notice_text, float(box_x + kPadding), float(box_y + kPadding));
  SetColor(255, 255, 255);
}

void ClearNotice() {
  notice_text.clear();
  notice_until = 0;
}

const std::string& CurrentNotice() {
  // An expired notice reads as none even before the next draw drops it.
  static const std::string none;
  return ClockMillis() > notice_until ? none : notice_text;
}

}  // namespace vn
