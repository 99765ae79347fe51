// The title menu: the outer loop of the whole run.
#include "app/title_menu.h"

#include <algorithm>
#include <array>
#include <iostream>

#include "app/key_config.h"
#include "app/options_file.h"
#include "app/resources.h"
#include "app/settings.h"
#include "engine/display_scale.h"
#include "engine/gamepad.h"
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
  // The pad press that picked the entry must not also jump in the level.
  ClearPadActions();
  PlayLevel();
  ClearPadActions();
  // The pointer of this frame is drawn where the mouse is now, after the run.
  front.mouse_x = GetMouseX();
  front.mouse_y = GetMouseY();
}

// The entry whose open band (50 .. 150, 150 .. 250, ...) holds y; -1 for none.
int EntryAt(int32_t y) {
  for (size_t i = 0; i < kEntries.size(); ++i)
    if (float(y) > kEntries[i].y - 50 && float(y) < kEntries[i].y + 50) return int(i);
  return -1;
}

void PickEntry(int entry) {
  switch (entry) {
    case 0: StartLevelRun(0); break;
    case 1: StartLevelRun(1); break;
    case 2:
      front.config_open = true;
      front.mouse_hit = 0;   // the same click must not also pick a configuration line
      break;
    case 3: front.quit_requested = true; break;
    default: break;
  }
}

void MainMenuStep() {
  if (TakeKeyHits(kKeyEscape) != 0) front.quit_requested = true;
  // The pad's back button has no meaning here (it must not end the program),
  // and a press kept for later would close the configuration screen at once.
  TakePadActionHits(PAD_CANCEL);
  // The highlight follows the pointer when the mouse moves and the keys or the
  // pad when they are used; the pointer then goes to the highlighted entry.
  // Only a move the player made counts: a pointer resting where the window
  // opened leaves the highlight on the first entry.
  if (TakeMouseMoves() != 0 && EntryAt(front.mouse_y) >= 0) front.menu_highlight = uint8_t(EntryAt(front.mouse_y));
  if (const int move = MenuMoveThisFrame(); move != 0) {
    const int count = int(kEntries.size());
    front.menu_highlight = uint8_t((int(front.menu_highlight) + count + move) % count);
    const MenuEntry& entry = kEntries[front.menu_highlight];
    MovePointer(int(CenteredTextX(entry.text, TitleScaleX())) - 24, int(entry.y) + 24);
    front.mouse_x = GetMouseX();
    front.mouse_y = GetMouseY();
  }
  for (size_t i = 0; i < kEntries.size(); ++i) {
    if (i == front.menu_highlight) SetColor(kHighlightColour[0], kHighlightColour[1], kHighlightColour[2]);
    else SetColor(254, 254, 254);
    DrawTextAt(kEntries[i].text, CenteredTextX(kEntries[i].text, TitleScaleX()), kEntries[i].y);
  }
  SetColor(254, 254, 254);
  if (MenuConfirmThisFrame()) {
    PickEntry(front.menu_highlight);
    return;
  }
  if (front.mouse_hit == 0) return;

  // Open bands: a click exactly on 150, 250, ... belongs to no entry. The x of
  // the click is not looked at, so the whole row counts.
  PickEntry(EntryAt(front.mouse_y));
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

int MenuMoveThisFrame() {
  const int up = TakeKeyHits(kKeyUp) + TakePadActionHits(PAD_UP);
  const int down = TakeKeyHits(kKeyDown) + TakePadActionHits(PAD_DOWN);
  return std::clamp(down - up, -3, 3);
}

bool MenuConfirmThisFrame() { return (TakeKeyHits(kKeyEnter) + TakePadActionHits(PAD_CONFIRM)) != 0; }

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

int TitleMenu(int start_level) {
  front.config_open = false;
  front.selected_line = 0;
  front.config_cursor = 1;
  front.binding_once = false;
  front.quit_requested = false;
  front.menu_highlight = 0;
  if (start_level >= 0) StartLevelRun(uint8_t(start_level));
  while (MenuFrame()) {
  }
  if (!SaveSettings()) {
    std::cerr << "Vornadel: could not write " << UserFilePath(kSettingsPath)
              << "; the previous settings file is unchanged." << std::endl;
  }
  RememberDisplayChoices();
  SaveOptions();
  return 0;
}

}  // namespace vn
