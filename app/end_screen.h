#pragma once
// The closing screen after the last level.

namespace vn {

// Shows the German closing screen until a key or click (or a few seconds).
void ShowEndScreen();

}  // namespace vn
