// The program's entry: start-up, the title menu, and the last-resort error exit.
#include "app/startup.h"

#include <iostream>

#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/paths.h"
#include "engine/stream.h"
#include "world/map.h"

namespace vn {

int RunGame() {
  try {
    FindGameFiles();
    if (!StartUp()) {
      std::cerr << "Vornadel: cannot open a " << screen.screen_width << " x " << screen.screen_height
                << " window (no display or no usable renderer)." << std::endl;
      return 1;
    }
    return TitleMenu();
  } catch (const TStreamException& error) {
    // A data file that ends too early: the text is all the player learns, and
    // the status -1 tells scripts the run failed.
    std::cerr << error.what() << std::endl;
    return -1;
  }
}

}  // namespace vn
