#pragma once
// The play loop: one level run, frame by frame.
#include <cstdint>
#include <functional>
#include <string>

#include "engine/timing.h"
#include "world/records.h"

namespace vn {

// The run group: the state of the current level run.
struct LevelRun {
  uint8_t level_index = 0;            // level being played
  int32_t now_ms = 0;                 // clock read once at the start of each frame
  uint8_t mouse_down = 0;             // left button held (sampled every frame)
  int32_t player_x = 0, player_y = 0; // the player's position this frame; 0, 0 once dead
  PlayerRef aim_target;               // enemy the drawn gun points at, or none
  uint8_t anim_frame = 0;             // foreground animation frame 0..7
  int32_t anim_timer = 0;             // time of the next animation step
  float fg_offset = 0;                // foreground x offset this frame
  int32_t look_home_x = -1, look_home_y = -1;  // camera tile saved by the look key; -1 none
  bool level_changed_this_frame = false;       // the character walk stops after a level change
  int32_t inventory_slot = 0;         // bag slot shown; kept between openings
  std::string last_save_error;        // why the last load of the save game was refused
  void Reset();                       // the start values above
};
inline LevelRun run;

// What play tells the program around it; set once by the program (app/startup.h).
struct PlayHooks {
  std::function<void()> frame_drawn;                        // every frame loop, just before Flip (F12)
  std::function<void(const std::string&)> level_not_loaded; // a level failed to load: the German message
  std::function<void()> game_finished;                      // the exit of the last level was reached
};
inline PlayHooks play_hooks;

inline TimerRef frame_timer;   // 60 Hz request every frame loop waits on: ticks every 16 ms

// Every group of the world and of play to its start values, the tables filled;
// the pictures, the bindings and the window size are left as they are.
void ResetPlayState();

// Runs a level run of tables.level_names[run.level_index] until Escape or the tutorial's exit.
void PlayLevel();
// The German message for a level whose files could not be loaded (after LoadLevel failed).
std::string LevelLoadFailureMessage(const std::string& name);
// Starts a run (empties the change lists, loads the level). False when the level
// could not be loaded (play_hooks.level_not_loaded has then been told).
bool BeginLevelRun();
// One frame of play; false when the run ends.
bool PlayFrame();
// Calls play_hooks.frame_drawn if set; every frame loop does so before Flip.
void FrameDrawn();
// While the window is not in front: the clock stands still and the last picture
// shows "Pause"; one waiting frame per call, true while paused.
bool PauseInBackground();
// Camera: keeps the player (drawn at sx, sy) inside a 200 x 200 box around the
// window's centre, one tile step per axis and direction at most per frame.
void FollowCamera(int32_t sx, int32_t sy, float player_speed);
// Look key held: moves the view 6 px per frame up to 10 tiles from where it
// started; released: the view jumps back to that tile, and the player's screen
// position sx, sy is moved with it for the follow of the same frame.
void LookOrRestoreCamera(int32_t& sx, int32_t& sy);
// Forgets what belongs to a map about to be or just replaced: its change
// records, a rolling block, a vehicle being ridden and the look key's home tile.
void ForgetReplacedMap();
// Ends the level for the character's exit: tutorial -> run ends; else next level.
// Returns false when the run ends.
bool FinishLevel(const PlayerRef& ch);

}  // namespace vn
