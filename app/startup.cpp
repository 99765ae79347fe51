// The program's entry: command line, start-up, the title menu, and the last-resort error exit.
#include "app/startup.h"

#include <iostream>

#include "app/command_line.h"
#include "app/options_file.h"
#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/display_scale.h"
#include "engine/gamepad.h"
#include "engine/paths.h"
#include "engine/stream.h"
#include "play/level_reload.h"
#include "play/tables.h"
#include "world/map.h"

namespace vn {

int RunGame(const std::vector<std::string>& args) {
  // The level table is needed to check --level before anything else happens.
  FillFixedTables();
  const TCommandLine command_line = ParseCommandLine(args);
  if (!command_line.error.empty()) {
    std::cerr << "vornadel: " << command_line.error << "\n" << UsageText() << std::flush;
    return 2;
  }
  if (command_line.help) {
    std::cout << UsageText() << std::flush;
    return 0;
  }
  if (command_line.version) {
    std::cout << VersionText() << std::flush;
    return 0;
  }
  try {
    FindGameFiles();
    LoadOptions();
    SetFullscreen(command_line.fullscreen >= 0 ? command_line.fullscreen == 1 : options.fullscreen);
    SetIntegerScaling(options.integer_scaling);
    SetControllersEnabled(options.gamepad);
    options.started_fullscreen = IsFullscreen();
    SetLevelReload(command_line.watch);
    if (!StartUp()) {
      std::cerr << "Vornadel: cannot open a " << screen.screen_width << " x " << screen.screen_height
                << " window (no display or no usable renderer)." << std::endl;
      return 1;
    }
    return TitleMenu(command_line.level);
  } catch (const TStreamException& error) {
    // A data file that ends too early: the text is all the player learns, and
    // the status -1 tells scripts the run failed.
    std::cerr << error.what() << std::endl;
    return -1;
  }
}

}  // namespace vn
