#pragma once
// Short German messages over the play screen ("Gespeichert", load failures).
#include <cstdint>
#include <string>

namespace vn {

// Shows text for duration_ms from now (replacing any current notice).
void ShowNotice(const std::string& text, int32_t duration_ms = 2000);
// Draws the current notice, if any, unobtrusively at the bottom of the window.
void DrawNotice();
void ClearNotice();
const std::string& CurrentNotice();

}  // namespace vn
