#pragma once
// The movement model of every character and the player's controls.
#include <cstdint>

#include "engine/sound.h"
#include "play/entities.h"

namespace vn {

// The six cells around a character, read once per character step before it moves.
struct TileProbes {
  uint16_t ceiling = 0;     // layer 0 at (x+16, y-1)
  uint16_t ground = 0;      // layer 0 at (x+16, y+32)
  uint16_t wall_left = 0;   // layer 0 at (x-1, y+16)
  uint16_t wall_right = 0;  // layer 0 at (x+32, y+16)
  uint16_t here_obj = 0;    // layer 1 at (x+16, y+16)
  uint16_t here_fg = 0;     // layer 2 at (x+16, y+16)
  int32_t col = 0;          // the centre cell the probes were read at: items, switches,
  int32_t row = 0;          // automatic cells and vehicles all act on this cell
};
TileProbes ReadProbes(const Tplayer& ch);

// Gravity, landing, walls, water damping (every character, before the controls).
void CommonPhysicsFirst(Tplayer& ch, const TileProbes& p);
// The player's controls; sx, sy are the screen position the character was drawn at.
void PlayerStep(const PlayerRef& ch, const TileProbes& p, int32_t sx, int32_t sy);
// Riding, slides, hazards, moving, walls, animation, drawn gun, rolling block.
void CommonPhysicsSecond(const PlayerRef& ch, const TileProbes& p, int32_t sx, int32_t sy);
// Fires the player's gun (ammunition, timer, sound).
void PlayerFire(Tplayer& ch);
// Plays a sound at sound_volume times factor.
void PlayGameSound(const SoundRef& sound, float factor = 1.0f);

// Motion constants that tests and other steps share (pixels per frame).
inline constexpr float kGravity = 0.34f;
inline constexpr float kTerminalSpeed = 15.0f;   // gravity stops here; landing at it kills
inline constexpr float kJumpSpeed = -7.8f;

// The player's step only notes the sign box, the bars and the crosshair; they
// are drawn over the finished scene (foreground, shots, effects) at the end of
// the frame, so no scenery hides them. Drawing forgets them for the next frame.
void DrawPlayerOverlay();
void ClearPlayerOverlay();

}  // namespace vn
