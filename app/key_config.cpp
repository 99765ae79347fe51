// The key configuration screen, one step per title-menu frame.
#include "app/key_config.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/settings.h"
#include "app/title_menu.h"
#include "play/key_names.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/text.h"
#include "play/bindings.h"
#include "world/map.h"

namespace vn {

namespace {

struct ConfigLine {
  const char* label;
  uint8_t* binding;
};

// Screen order; the settings file stores the bindings in another, equally fixed order.
const std::array<ConfigLine, 9> kLines = {{
    {"Nach rechts laufen -> ", &bindings.key_right},
    {"Nach links laufen -> ", &bindings.key_left},
    {"Nach oben klettern -> ", &bindings.key_up},
    {"Nach unten klettern -> ", &bindings.key_down},
    {"Springen -> ", &bindings.key_jump},
    {"Waffe ziehen -> ", &bindings.key_draw_weapon},
    {"Aktionstaste -> ", &bindings.key_action},
    {"Inventar aufrufen -> ", &bindings.key_inventory},
    {"Umsehen -> ", &bindings.key_look},
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
  const float scale = std::min(float(screen.screen_width) / 450.0f / 2.0f, float(screen.screen_width - 40) / float(widest));
  const float line_h = float(FontLineHeight()) * scale;
  SetDrawScale(scale, scale);
  SetColor(220, 220, 220);
  for (size_t i = 0; i < kPadLines.size(); ++i)
    DrawTextAt(kPadLines[i], CenteredTextX(kPadLines[i], scale),
               float(screen.screen_height) - 8 - line_h * float(kPadLines.size() - i));
}

// Up/Down and Enter (or the pad) pick a line that waits for one key; a click
// picks a line that keeps taking keys until another is clicked.
void KeyboardStep() {
  if (front.selected_line == 0) {
    front.config_cursor = uint8_t((front.config_cursor + 8 + MenuMoveThisFrame()) % 9 + 1);
    if (MenuConfirmThisFrame()) {
      front.selected_line = front.config_cursor;
      front.binding_once = true;
    }
  } else if (front.binding_once && TakePadActionHits(PAD_CANCEL) != 0) {
    front.selected_line = 0;   // the pad cannot give a key: it only stops the waiting
    front.binding_once = false;
  }
}

}  // namespace

void ConfigScreenStep() {
  // Escape is taken here, before the key poll, so it closes the screen instead
  // of being bound. The screen still draws this frame.
  if (TakeKeyHits(kKeyEscape) != 0) front.config_open = false;
  if (!front.binding_once && TakePadActionHits(PAD_CANCEL) != 0) front.config_open = false;
#ifdef __EMSCRIPTEN__
  // A browser tab is closed rather than quit from the menu, so the browser
  // build keeps new bindings as soon as the screen closes.
  if (!front.config_open) SaveSettings();
#endif
  if (front.config_cursor < 1 || front.config_cursor > 9) front.config_cursor = 1;
  KeyboardStep();

  float half_scale_x = float(screen.screen_width) / 450.0f / 2.0f;
  SetDrawScale(half_scale_x, float(screen.screen_height) / 400.0f / 2.0f);
  for (int k = 1; k <= 9; ++k) {
    if (k == front.selected_line) SetColor(160, 255, 160);
    else if (front.selected_line == 0 && k == front.config_cursor) SetColor(kHighlightColour[0], kHighlightColour[1], kHighlightColour[2]);
    else SetColor(254, 254, 254);
    const ConfigLine& line = kLines[size_t(k - 1)];
    std::string text = std::string(line.label) + key_name_table.key_names[*line.binding];
    DrawTextAt(text, CenteredTextX(text, half_scale_x), LineY(k));
  }

  if (front.mouse_hit != 0) {
    for (int k = 1; k <= 9; ++k) {
      if (front.mouse_y > 25 + 50 * k && front.mouse_y < 75 + 50 * k) {
        front.selected_line = uint8_t(k);
        front.config_cursor = uint8_t(k);
        front.binding_once = false;
      }
    }
  }

  // A clicked selection stays after binding: every further key rebinds the same line.
  if (front.selected_line > 0 && front.selected_line <= 9) {
    uint8_t code = PollKeyHit();
    if (code > 0) {
      *kLines[size_t(front.selected_line - 1)].binding = code;
      if (front.binding_once) front.selected_line = 0;
      front.binding_once = false;
    }
  }
  DrawPadLayout();
  SetColor(255, 255, 255);
}

}  // namespace vn
