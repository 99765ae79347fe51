#pragma once
// Where the game's files lie. Run from its build folder (a gfx/ folder in the
// working directory) every path stays relative to the working directory. Run
// installed, the read-only data lies in ../share/games/vornadel seen from the
// executable's folder, and everything the game writes goes to the player's own
// folder ($XDG_DATA_HOME/vornadel, by default ~/.local/share/vornadel), which
// has the same data/ layout.
#include <string>

#include "engine/stream.h"

namespace vn {

// Decides once, before the first file is read, where the files lie. When the
// working directory has no gfx/ but the installed data folder beside the
// executable has, that folder becomes the working directory (so every read-only
// path stays as it is) and the player's folder with its data/ is created; a
// folder that cannot be created is no error (nothing can be saved then). A
// gfx/ right beside the executable is used the same way, as its build folder.
void FindGameFiles();
// The same with the executable's folder given; reads HOME and XDG_DATA_HOME.
void FindGameFiles(const std::string& executable_folder);

// The folder the running program lies in; empty when it cannot be found.
std::string ExecutableFolder();

// The player's folder, absolute; empty when running from a build folder.
const std::string& UserFolder();
// Where to write the file `relative` ("data/savegame.sg", "screen0.png"): in
// the player's folder when installed, else `relative` itself. Empty when
// installed without any home folder: every write then fails.
std::string UserFilePath(const std::string& relative);
// Where to read a file the player may change or replace: the player's copy
// when there is one, else the shipped one.
std::string UserFileToRead(const std::string& relative);
// Opens UserFilePath(relative) for an atomic replace, creating its folder
// first; empty when it cannot be written.
StreamRef OpenUserFileForWriting(const std::string& relative);

}  // namespace vn
