#pragma once
// Short German messages over the play screen ("Gespeichert", load failures,
// hints). A notice may name keys as caps (play/key_caps.h, CapToken).
#include <cstdint>
#include <string>

namespace vn {

// A duration for a notice that stays until it is cleared or replaced.
inline constexpr int32_t kNoticeUntilCleared = 24 * 60 * 60 * 1000;

// Shows text for duration_ms from now (replacing any current notice).
void ShowNotice(const std::string& text, int32_t duration_ms = 2000);
// Draws the current notice, if any, at the bottom of the window, or at the
// top while the player stands in the lower half, so it never hides the player.
void DrawNotice();
void ClearNotice();
// Height of the notice's box in pixels (it wraps on a narrow window); 0 when none.
int32_t NoticeBoxHeight();
// The notice as the player reads it, each cap as its label in brackets
// ("Waffe wegstecken ([Umschalt]) zum Klettern"); empty when none.
std::string CurrentNotice();

}  // namespace vn
