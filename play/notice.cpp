#include "play/notice.h"

#include <algorithm>
#include <vector>

#include "engine/graphics.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "play/entities.h"
#include "play/key_caps.h"
#include "world/map.h"

namespace vn {
namespace {

std::string notice_text;
int32_t notice_until = 0;   // clock time after which the notice is gone

constexpr int32_t kPadding = 10;
constexpr int32_t kBottomGap = 40;   // space between the box and the window's bottom edge
constexpr int32_t kTopGap = 44;      // below the bars at the top
constexpr float kBoxAlpha = 0.6f;

// A notice in pieces: plain text, or the cap of a key.
struct Piece {
  std::string text;
  bool cap = false;
  PromptKey key = PromptKey::kAction;
};

std::vector<Piece> SplitNotice(const std::string& text) {
  std::vector<Piece> pieces;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('{', pos);
    PromptKey key;
    if (open == std::string::npos || open + 2 >= text.size() || text[open + 2] != '}' || !TokenKey(text[open + 1], key)) {
      pieces.push_back({text.substr(pos), false});
      break;
    }
    if (open > pos) pieces.push_back({text.substr(pos, open - pos), false});
    pieces.push_back({"", true, key});
    pos = open + 3;
  }
  return pieces;
}

// Whether the player's figure lies in the lower half of the window.
bool PlayerInLowerHalf() {
  const PlayerRef player = FindPlayer();
  return player && ScreenY(player->y) + 16 > screen.screen_height / 2;
}

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
  static std::string split_text;
  static std::vector<Piece> pieces;
  static std::vector<int> text_widths;
  if (split_text != notice_text) {
    split_text = notice_text;
    pieces = SplitNotice(notice_text);
    text_widths.clear();
    for (const Piece& piece : pieces) text_widths.push_back(piece.cap ? 0 : MeasureTextWidth(piece.text));
  }
  std::vector<KeyCapFace> faces(pieces.size());
  int32_t w = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].cap) faces[i] = KeyCapFaceOf(pieces[i].key);
    w += pieces[i].cap ? KeyCapWidth(faces[i]) + 4 : text_widths[i];
  }
  const bool has_caps = std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.cap; });
  const int32_t h = has_caps ? std::max(FontLineHeight(), KeyCapHeight()) : FontLineHeight();
  const int32_t box_w = w + 2 * kPadding;
  const int32_t box_h = h + 2 * kPadding;
  const int32_t box_x = screen.screen_width / 2 - box_w / 2;
  const int32_t box_y = PlayerInLowerHalf() ? kTopGap : screen.screen_height - kBottomGap - box_h;
  SetAlpha(kBoxAlpha);
  SetColor(20, 20, 20);
  DrawRect(float(box_x), float(box_y), float(box_w), float(box_h));
  SetAlpha(1);
  float x = float(box_x + kPadding);
  const float text_y = float(box_y + kPadding + (h - FontLineHeight()) / 2);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].cap) {
      x += float(DrawKeyCap(faces[i], x + 2, float(box_y + kPadding + (h - KeyCapHeight()) / 2)) + 4);
      continue;
    }
    SetColor(240, 240, 225);
    DrawTextAt(pieces[i].text, x, text_y);
    x += float(text_widths[i]);
  }
  SetColor(255, 255, 255);
}

void ClearNotice() {
  notice_text.clear();
  notice_until = 0;
}

std::string CurrentNotice() {
  // An expired notice reads as none even before the next draw drops it.
  if (ClockMillis() > notice_until) return {};
  std::string plain;
  for (const Piece& piece : SplitNotice(notice_text)) plain += piece.cap ? "[" + KeyCapLabel(piece.key) + "]" : piece.text;
  return plain;
}

}  // namespace vn
