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

namespace {

constexpr int32_t kSideGap = 16;     // the box keeps this far from the window's sides
constexpr int32_t kLineGap = 4;

// The notice cut into words (each keeps its trailing space) and caps, measured
// once per text; caps are measured each frame, since the device may change.
struct Word {
  Piece piece;
  int32_t text_width = 0;
};

const std::vector<Word>& NoticeWords() {
  static std::string split_text;
  static std::vector<Word> words;
  if (split_text == notice_text) return words;
  split_text = notice_text;
  words.clear();
  for (const Piece& piece : SplitNotice(notice_text)) {
    if (piece.cap) {
      words.push_back({piece, 0});
      continue;
    }
    size_t pos = 0;
    while (pos < piece.text.size()) {
      const size_t space = piece.text.find(' ', pos);
      const size_t end = space == std::string::npos ? piece.text.size() : space + 1;
      Word word{{piece.text.substr(pos, end - pos), false}, 0};
      word.text_width = MeasureTextWidth(word.piece.text);
      words.push_back(word);
      pos = end;
    }
  }
  return words;
}

struct NoticeLayout {
  std::vector<std::vector<size_t>> lines;   // word indexes per line
  std::vector<int32_t> line_widths;
  std::vector<KeyCapFace> faces;            // per word; caps only
  int32_t line_h = 0;
  int32_t box_w = 0, box_h = 0;
};

// Lines as wide as the window allows: a long hint on a small window wraps
// instead of running off both sides.
NoticeLayout LayOutNotice() {
  const std::vector<Word>& words = NoticeWords();
  NoticeLayout layout;
  layout.faces.resize(words.size());
  bool has_caps = false;
  const int32_t max_w = std::max(screen.screen_width - 2 * kSideGap - 2 * kPadding, 1);
  layout.lines.emplace_back();
  layout.line_widths.push_back(0);
  for (size_t i = 0; i < words.size(); ++i) {
    int32_t w = words[i].text_width;
    if (words[i].piece.cap) {
      layout.faces[i] = KeyCapFaceOf(words[i].piece.key);
      w = KeyCapWidth(layout.faces[i]) + 4;
      has_caps = true;
    }
    if (!layout.lines.back().empty() && layout.line_widths.back() + w > max_w) {
      layout.lines.emplace_back();
      layout.line_widths.push_back(0);
    }
    layout.lines.back().push_back(i);
    layout.line_widths.back() += w;
  }
  layout.line_h = has_caps ? std::max(FontLineHeight(), KeyCapHeight()) : FontLineHeight();
  const int32_t n = int32_t(layout.lines.size());
  layout.box_w = *std::max_element(layout.line_widths.begin(), layout.line_widths.end()) + 2 * kPadding;
  layout.box_h = n * layout.line_h + (n - 1) * kLineGap + 2 * kPadding;
  return layout;
}

}  // namespace

int32_t NoticeBoxHeight() {
  if (CurrentNotice().empty()) return 0;
  return LayOutNotice().box_h;
}

void DrawNotice() {
  if (notice_text.empty()) return;
  if (ClockMillis() > notice_until) {
    ClearNotice();
    return;
  }
  const NoticeLayout layout = LayOutNotice();
  const std::vector<Word>& words = NoticeWords();
  const int32_t box_x = screen.screen_width / 2 - layout.box_w / 2;
  const int32_t box_y = PlayerInLowerHalf() ? kTopGap : screen.screen_height - kBottomGap - layout.box_h;
  SetAlpha(kBoxAlpha);
  SetColor(20, 20, 20);
  DrawRect(float(box_x), float(box_y), float(layout.box_w), float(layout.box_h));
  SetAlpha(1);
  for (size_t line = 0; line < layout.lines.size(); ++line) {
    float x = float(screen.screen_width / 2 - layout.line_widths[line] / 2);
    const int32_t top = box_y + kPadding + int32_t(line) * (layout.line_h + kLineGap);
    const float text_y = float(top + (layout.line_h - FontLineHeight()) / 2);
    for (const size_t i : layout.lines[line]) {
      if (words[i].piece.cap) {
        x += float(DrawKeyCap(layout.faces[i], x + 2, float(top + (layout.line_h - KeyCapHeight()) / 2)) + 4);
        continue;
      }
      SetColor(240, 240, 225);
      DrawTextAt(words[i].piece.text, x, text_y);
      x += float(words[i].text_width);
    }
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
