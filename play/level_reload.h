#pragma once
// Reloading the running level when its files change, for level authors who
// recompile a level while playing it. Off unless the program turns it on; off,
// no file is looked at.
#include <string>

namespace vn {

// Turns the watch on or off. On, the play loop looks at the running level's
// three files a few times a second and reloads the level once they changed
// and stayed the same for one look.
void SetLevelReload(bool on);
bool LevelReloadOn();
// Called by the play loop once per frame: looks at the files when it is time
// and reloads. A level that cannot be read keeps the running one and shows the
// load failure as a notice.
void ServeLevelReload();
// Reloads level_names[level_index] now. The player stands where it stood when
// that place is free in the new map, else at the new level's start. False when
// the files could not be read (nothing changed then).
bool ReloadRunningLevel();

}  // namespace vn
