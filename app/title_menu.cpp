// The title menu: the outer loop of the whole run.
#include "app/title_menu.h"

#include <algorithm>
#include <array>
#include <iostream>

#include "app/key_config.h"
#include "app/resources.h"
#include "app/settings.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/paths.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "play/assets.h"
#include "play/play_loop.h"
#include "world/inventory.h"
#include "world/map.h"

namespace vn {

namespace {

constexpr int32_t kMessageMillis = 5000;

struct MenuEntry {
  const char* text;
  float y;   // window row of the text's top; the click band reaches 50 above and below
};
constexpr std::array<MenuEntry, 4> kEntries = {{
    {"Tutorial", 100},
    {"Spiel starten", 200},
    {"Steuerung konfigurieren", 300},
    {"Raus hier...", 400},
}};


float TitleScaleX() { return float(screen.screen_width) / 450.0f; }
float TitleScaleY() { return float(screen.screen_height) / 400.0f; }

void StartLevelRun(uint8_t index) {
  run.level_index = index;
  // Every run from the menu starts with an empty bag, whatever an earlier run collected.
  ClearInventory();
  PlayLevel();
  // The pointer of this frame is drawn where the mouse is now, after the run.
  front.mouse_x = GetMouseX();
  front.mouse_y = GetMouseY();
}

void MainMenuStep() {
  if (TakeKeyHits(kKeyEscape) != 0) front.quit_requested = true;
  for (const MenuEntry& entry : kEntries) {
    DrawTextAt(entry.text, CenteredTextX(entry.text, TitleScaleX()), entry.y);
  }
  if (front.mouse_hit == 0) return;

  // Open bands: a click exactly on 150, 250, ... belongs to no entry. The x of
  // the click is not looked at, so the whole row counts.
  if (front.mouse_y > 50 && front.mouse_y < 150) {
    StartLevelRun(0);
  } else if (front.mouse_y > 150 && front.mouse_y < 250) {
    StartLevelRun(1);
  } else if (front.mouse_y > 250 && front.mouse_y < 350) {
    front.config_open = true;
    front.mouse_hit = 0;   // the same click must not also pick a configuration line
  } else if (front.mouse_y > 350 && front.mouse_y < 450) {
    front.quit_requested = true;
  }
}

// A dark box with light text near the bottom, readable over any title picture.
// The draw state is restored, because the pointer uses whatever scale the frame set.
void DrawMenuMessage() {
  std::string text = CurrentMenuMessage();
  if (text.empty()) return;
  const TDrawState saved = GetDrawState();

  int width = std::max(1, MeasureTextWidth(text));
  float scale = std::min(1.5f, float(screen.screen_width - 48) / float(width));
  float box_w = float(width) * scale + 24;
  float box_h = float(FontLineHeight()) * scale + 14;
  float box_x = (float(screen.screen_width) - box_w) / 2;
  float box_y = float(screen.screen_height) - box_h - 16;

  SetDrawOrigin(0, 0);
  SetDrawRotation(0);
  SetDrawScale(1, 1);
  SetColor(24, 24, 32);
  SetAlpha(0.85f);
  DrawRect(box_x, box_y, box_w, box_h);
  SetAlpha(1);
  SetColor(250, 246, 230);
  SetDrawScale(scale, scale);
  DrawTextAt(text, box_x + 12, box_y + 7);

  SetDrawOrigin(saved.origin_x, saved.origin_y);
  SetDrawRotation(saved.tform_rot);
  SetDrawScale(saved.tform_scale_x, saved.tform_scale_y);
  SetColor(saved.color_red, saved.color_green, saved.color_blue);
  SetAlpha(saved.color_alpha);
}

void DrawPointer() {
  SetDrawRotation(225);
  DrawImageFrame(play_assets.gun_images[0], float(front.mouse_x) + 16.0f * TitleScaleX(),
                 float(front.mouse_y) + 16.0f * TitleScaleY(), 1);
  SetDrawRotation(0);
}

}  // namespace

void FrontEnd::Reset() { *this = FrontEnd{}; }

float CenteredTextX(const std::string& text, float scale) {
  return float(screen.screen_width / 2) - float(MeasureTextWidth(text)) * scale / 2;
}

void SetMenuMessage(const std::string& text) {
  front.menu_message = text;
  front.menu_message_until = ClockMillis() + kMessageMillis;
}

std::string CurrentMenuMessage() {
  if (front.menu_message.empty() || ClockMillis() > front.menu_message_until) return {};
  return front.menu_message;
}

bool MenuFrame() {
  SetColor(255, 255, 255);
  Cls();
  front.mouse_x = GetMouseX();
  front.mouse_y = GetMouseY();
  front.mouse_hit = uint8_t(TakeMouseHits(1));   // stored as a byte: counts wrap at 256

  SetDrawScale(TitleScaleX(), TitleScaleY());
  DrawImageFrame(front.title_image, 0, 0, 0);
  SetColor(254, 254, 254);

  if (!front.config_open) MainMenuStep();
  // Also in the frame in which the main menu has just opened the screen.
  if (front.config_open) ConfigScreenStep();
  DrawMenuMessage();
  DrawPointer();

  ScreenshotKeyStep();
  Flip(0);
  if (frame_timer) frame_timer->Wait();

  if (front.quit_requested) return false;
  return TakeCloseRequest() == 0;
}

int TitleMenu() {
  front.config_open = false;
  front.selected_line = 0;
  front.quit_requested = false;
  while (MenuFrame()) {
  }
  if (!SaveSettings()) {
    std::cerr << "Vornadel: could not write " << UserFilePath(kSettingsPath)
              << "; the previous settings file is unchanged." << std::endl;
  }
  return 0;
}

}  // namespace vn
