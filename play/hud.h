#pragma once
// What is drawn over the finished scene for the player: the sign box and the
// health and air bars with their icons, laid out so that none of them covers
// the player, each other or the notice.
#include <cstdint>
#include <string>

namespace vn {

struct HudRect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

// Band the bars and their icons take at the top of the window.
HudRect HealthBarArea();
HudRect BreathBarArea();
// Where the sign box for a text of text_w x text_h pixels goes: in the half of
// the window away from the player, beside the notice of notice_h pixels (0: none).
HudRect SignBoxRect(int32_t text_w, int32_t text_h, bool player_in_lower_half, int32_t notice_h);
// Whether the player's figure counts as being in the lower half of the window.
bool PlayerInLowerHalf();

// The sign box of sign text number text_number (1-based); nothing for numbers
// outside the table.
void DrawSignBox(int32_t text_number);
// Health (red, a heart) at the top left and air (blue, bubbles) at the top
// right; each an ellipse whose width is the value in pixels. The air bar only
// shows when show_breath is set.
void DrawBars(int32_t power, int32_t breath, bool show_breath = true);
// The chosen gun's ammunition ("40 Schuss") right of the health bar, red when
// it is used up; an empty text draws nothing (the pistol never runs out).
void DrawAmmunition(const std::string& text, bool empty);
// Air matters under water and while it is not full again after a dive, so the
// bar shows then and stays away otherwise.
inline bool BreathBarShown(int32_t breath, bool in_water) { return in_water || breath < 100; }

}  // namespace vn
