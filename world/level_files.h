#pragma once
// Loading a level's files into the map model and the level's lists.
#include <string>

namespace vn {

// Loads directory/name.{eff,vnd,vnm}. The files are read and checked completely
// first; on a fault nothing of the running game changes, the function returns
// false and world.last_level_error names the file. On success the camera is reset,
// character/fragment/shot lists are emptied, actions, effects, map and
// characters are replaced (characters created in file order through Create_Player).
bool LoadLevel(const std::string& name, const std::string& directory);

struct LevelData;
// The state changes of a load, from level data already read and checked:
// camera, lists, effects, actions, arrays and characters, in that order.
void ApplyLevelData(const LevelData& level);

}  // namespace vn
