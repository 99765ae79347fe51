// Start-up to the first presented menu frame with the full game data: the
// game's own StartUp and one MenuFrame, timed from the start of main. Run it
// several times (fresh processes) and take the median; see README.md.
#include <chrono>
#include <filesystem>
#include <iostream>

#include "app/resources.h"
#include "app/title_menu.h"
#include "engine/graphics.h"
#include "engine/platform.h"
#include "engine/timing.h"

int main() {
  const auto start = std::chrono::steady_clock::now();
  std::filesystem::current_path(VN_GAME_DIR);
  // No X server here: the dummy video driver with SDL's software renderer,
  // the renderer the game itself picks on a machine without a GPU. The
  // virtual clock keeps the first frame from waiting for a timer tick.
  vn::SetHeadless(true);
  vn::UseVirtualClock(true);
  if (!vn::StartUp()) {
    std::cerr << "no window" << std::endl;
    return 1;
  }
  const auto started = std::chrono::steady_clock::now();
  vn::MenuFrame();
  const auto presented = std::chrono::steady_clock::now();
  using Ms = std::chrono::duration<double, std::milli>;
  std::cout << "startup_ms " << Ms(started - start).count() << " first_menu_frame_ms "
            << Ms(presented - start).count() << " renderer " << vn::RendererName() << std::endl;
  return 0;
}
