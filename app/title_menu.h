#pragma once
// The title menu: the program's outer loop.
#include <cstdint>
#include <string>

#include "engine/graphics.h"

namespace vn {

inline int32_t mouse_x = 0, mouse_y = 0;   // window pixels, sampled every frame
inline uint8_t mouse_hit = 0;              // left clicks since the last sample
inline bool config_open = false;           // the key configuration screen is shown
inline uint8_t selected_line = 0;          // configuration line 1..9 chosen for rebinding; 0 none
inline uint8_t config_cursor = 1;          // configuration line the keys or the pad point at
inline bool binding_once = false;          // selected_line was chosen by Enter: it takes one key
inline bool quit_requested = false;        // the menu ends after this frame
inline uint8_t menu_highlight = 0;         // entry 0..3 that Enter (or the pad) picks
inline uint8_t screenshot_count = 0;       // number of the next screenshot file, wraps after 255
inline PixmapRef screenshot_pixmap;        // the last screenshot taken (1600 x 900)

// Runs the menu until the player quits, saves the settings, returns the exit
// status 0. With a start level (an index of level_names) that level runs first.
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
