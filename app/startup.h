#pragma once
// The program's entry: start-up, then the title menu.

namespace vn {

// Runs the whole program; returns the exit status.
int RunGame();

}  // namespace vn
