#pragma once
// The play loop: one level run, frame by frame.
#include <cstdint>
#include <memory>
#include <string>

#include "play/entities.h"

namespace vn {

inline int32_t now_ms = 0;                 // clock read once at the start of each frame
inline uint8_t mouse_down = 0;             // left button held (sampled every frame)
inline int32_t player_x = 0, player_y = 0; // the player's position this frame; 0, 0 once dead
inline PlayerRef aim_target;               // enemy the drawn gun points at, or none

// The fourteen input flags, recomputed every frame (press count or 1; 0 = not set).
inline uint8_t hit_jump = 0, hit_right = 0, hit_left = 0, hit_up = 0, hit_down = 0,
               hit_action = 0, hit_draw_weapon = 0;
inline uint8_t held_jump = 0, held_right = 0, held_left = 0, held_up = 0, held_down = 0,
               held_action = 0, held_look = 0;

// State of one run, reset when a run starts.
inline uint8_t anim_frame = 0;             // foreground animation frame 0..7
inline int32_t anim_timer = 0;             // time of the next animation step
inline float fg_offset = 0;                // foreground x offset this frame
inline int32_t look_home_x = -1, look_home_y = -1;  // camera tile saved by the look key; -1 none
inline bool level_changed_this_frame = false;       // the character walk stops after a level change

// Runs a level run of level_names[level_index] until Escape or the tutorial's exit.
void PlayLevel();
// The German message for a level whose files could not be loaded (after LoadLevel failed).
std::string LevelLoadFailureMessage(const std::string& name);
// Starts a run (empties the change lists, loads the level). False when the level
// could not be loaded (the menu then shows the message).
bool BeginLevelRun();
// One frame of play; false when the run ends.
bool PlayFrame();
// While the window is not in front: the clock stands still and the last picture
// shows "Pause"; one waiting frame per call, true while paused.
bool PauseInBackground();
// Reads the fourteen input flags (keys, then pad port 0 as fallback).
void ReadInputFlags();
// Camera: keeps the player (drawn at sx, sy) inside a 200 x 200 box around the
// window's centre, one tile step per axis and direction at most per frame.
void FollowCamera(int32_t sx, int32_t sy, float player_speed);
// Look key held: moves the view 6 px per frame up to 10 tiles from where it
// started; released: the view jumps back to that tile, and the player's screen
// position sx, sy is moved with it for the follow of the same frame.
void LookOrRestoreCamera(int32_t& sx, int32_t& sy);
// Ends the level for the character's exit: tutorial -> run ends; else next level.
// Returns false when the run ends.
bool FinishLevel(const PlayerRef& ch);

}  // namespace vn
