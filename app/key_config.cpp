// The key configuration screen, one step per title-menu frame.
#include "app/key_config.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"

namespace vn {

namespace {

constexpr int kKeyEscape = 27;

struct ConfigLine {
  const char* label;
  uint8_t* binding;
};

// Screen order; the settings file stores the bindings in another, equally fixed order.
const std::array<ConfigLine, 9> kLines = {{
    {"Nach rechts laufen -> ", &key_right},
    {"Nach links laufen -> ", &key_left},
    {"Nach oben klettern -> ", &key_up},
    {"Nach unten klettern -> ", &key_down},
    {"Springen -> ", &key_jump},
    {"Waffe ziehen -> ", &key_draw_weapon},
    {"Aktionstaste -> ", &key_action},
    {"Inventar aufrufen -> ", &key_inventory},
    {"Umsehen -> ", &key_look},
}};

// Line k sits at row 50 + 50 k; its click band reaches 25 above and below, open at both ends.
float LineY(int k) { return float(50 + 50 * k); }

// The pad's default layout, under the lines.
const std::array<const char*, 2> kPadLines = {
    "Pad: Steuerkreuz/linker Stick laufen und klettern, A springen, X Aktion, B Waffe ziehen, Y Inventar",
    "LB Umsehen, Back speichern (F1), RB laden (F3), Start zum Menü (Escape)",
};

void DrawPadLayout() {
  int widest = 1;
  for (const char* line : kPadLines) widest = std::max(widest, MeasureTextWidth(line));
  const float scale = std::min(float(screen_width) / 450.0f / 2.0f, float(screen_width - 40) / float(widest));
  const float line_h = float(FontLineHeight()) * scale;
  SetDrawScale(scale, scale);
  SetColor(220, 220, 220);
  for (size_t i = 0; i < kPadLines.size(); ++i)
    DrawTextAt(kPadLines[i], CenteredTextX(kPadLines[i], scale),
               float(screen_height) - 8 - line_h * float(kPadLines.size() - i));
}

// Up/Down and Enter (or the pad) pick a line that waits for one key; a click
// picks a line that keeps taking keys until another is clicked.
void KeyboardStep() {
  if (selected_line == 0) {
    config_cursor = uint8_t((config_cursor + 8 + MenuMoveThisFrame()) % 9 + 1);
    if (MenuConfirmThisFrame()) {
      selected_line = config_cursor;
      binding_once = true;
    }
  } else if (binding_once && TakePadActionHits(PAD_CANCEL) != 0) {
    selected_line = 0;   // the pad cannot give a key: it only stops the waiting
    binding_once = false;
  }
}

}  // namespace

void ConfigScreenStep() {
  // Escape is taken here, before the key poll, so it closes the screen instead
  // of being bound. The screen still draws this frame.
  if (TakeKeyHits(kKeyEscape) != 0) config_open = false;
  if (!binding_once && TakePadActionHits(PAD_CANCEL) != 0) config_open = false;
  if (config_cursor < 1 || config_cursor > 9) config_cursor = 1;
  KeyboardStep();

  float half_scale_x = float(screen_width) / 450.0f / 2.0f;
  SetDrawScale(half_scale_x, float(screen_height) / 400.0f / 2.0f);
  for (int k = 1; k <= 9; ++k) {
    if (k == selected_line) SetColor(160, 255, 160);
    else if (selected_line == 0 && k == config_cursor) SetColor(kHighlightColour[0], kHighlightColour[1], kHighlightColour[2]);
    else SetColor(254, 254, 254);
    const ConfigLine& line = kLines[size_t(k - 1)];
    std::string text = std::string(line.label) + key_names[*line.binding];
    DrawTextAt(text, CenteredTextX(text, half_scale_x), LineY(k));
  }

  if (mouse_hit != 0) {
    for (int k = 1; k <= 9; ++k) {
      if (mouse_y > 25 + 50 * k && mouse_y < 75 + 50 * k) {
        selected_line = uint8_t(k);
        config_cursor = uint8_t(k);
        binding_once = false;
      }
    }
  }

  // A clicked selection stays after binding: every further key rebinds the same line.
  if (selected_line > 0 && selected_line <= 9) {
    uint8_t code = PollKeyHit();
    if (code > 0) {
      *kLines[size_t(selected_line - 1)].binding = code;
      if (binding_once) selected_line = 0;
      binding_once = false;
    }
  }
  DrawPadLayout();
  SetColor(255, 255, 255);
}

}  // namespace vn
