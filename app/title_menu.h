#pragma once
// The title menu: the program's outer loop.
#include <array>
#include <cstdint>
#include <string>

#include "engine/graphics.h"

namespace vn {

// The front group: the menu's state and pictures.
struct FrontEnd {
  int32_t mouse_x = 0, mouse_y = 0;   // window pixels, sampled every menu frame
  uint8_t mouse_hit = 0;              // left clicks since the last sample
  bool config_open = false;           // the key configuration screen is shown
  uint8_t selected_line = 0;          // configuration line 1..9 chosen for rebinding; 0 none
  uint8_t config_cursor = 1;          // configuration line the keys or the pad point at
  bool binding_once = false;          // selected_line was chosen by Enter: it takes one key
  bool quit_requested = false;        // the menu ends after this frame
  uint8_t menu_highlight = 0;         // entry 0..3 that Enter (or the pad) picks
  uint8_t screenshot_count = 0;       // number of the next screenshot file, wraps after 255
  PixmapRef screenshot_pixmap;        // the last screenshot taken (1600 x 900)
  std::string menu_message;           // a German message shown for a few seconds
  int32_t menu_message_until = 0;     // clock time after which it is gone
  ImageRef title_image;               // the title picture, loaded at start-up
  void Reset();                       // the start values above: no pictures, no names
};
inline FrontEnd front;

// Runs the menu until the player quits, saves the settings, returns the exit
// status 0. With a start level (an index of tables.level_names) that level runs first.
int TitleMenu(int start_level = -1);
// One menu frame; false when the menu ends.
bool MenuFrame();
// F12: writes "screen<n>.png" of the finished frame (shared by every frame loop).
void ScreenshotKeyStep();
// A German message shown on the menu for a few seconds (a level that failed to load).
void SetMenuMessage(const std::string& text);
// The x at which text drawn with horizontal scale `scale` is centred in the window.
float CenteredTextX(const std::string& text, float scale);
// The message the menu shows now; empty when none or when it has expired.
std::string CurrentMenuMessage();
// Colours of a line the keys or the pad point at, and of a line waiting for a key.
inline constexpr int kHighlightColour[3] = {255, 224, 96};
// Up/Down keys, Enter and the pad's counterparts this frame: lines to move
// (negative up, at most 3 either way), and whether something was picked.
int MenuMoveThisFrame();
bool MenuConfirmThisFrame();

}  // namespace vn
