#pragma once
// Short notices when a move fails in a way the game can tell, and the prompt
// that says how to go on after the player's death. They only look: no rule
// of play changes because of them.
#include "play/movement.h"

namespace vn {

enum class Hint : int { kGunAtLadder, kBoatNotBoarded, kLockNotTouched, kNoKey, kPushAgain,
                        kHoldToFire, kReloading, kNoAmmunition, kSaveRefused, kJumpToWall, kAimTarget, kLadderDown,
                        kNotInReach, kAirRunningOut, kSlideUp, kEnemyHidden, kBlockStuck, kSwitchHere,
                        kPressAgainToTake, kSwimUpToBank, kExitNear, kOwnBlast, kPointBlank, kCrackedWall,
                        kJumpHeld, kWallToClimb, kPullUp, kLadderReach, kCount };

// Each hint shows at most this often in one level run.
inline constexpr int kHintsPerRun = 3;

// Forgets the counts and the moves being watched: a new level run.
void ResetHints();
// Before the player's step acts on the input flags, and after it.
void HintsBeforePlayerStep(const Tplayer& ch, const TileProbes& p);
void HintsAfterPlayerStep(const Tplayer& ch, const TileProbes& p);
// F1 was pressed where the game does not save: says why (every time: the
// player asked for something and must learn it did not happen).
void HintSaveRefused(bool in_tutorial);
// The player's own rocket has hurt the player: twice a run, that blasts reach back.
void HintOwnBlast();
// The drawn gun has taken aim at an enemy: once a run, what the crosshair means.
void HintAimTarget();
// Every play frame: after the player's death, the prompt to load or leave,
// shown until the player is back (a load) or the run ends.
void ServeDeathPrompt();
// Where an item, switch or lock lies that the figure overlaps or stands
// beside but whose cell it is not yet in: -1 left, +1 right, 0 none (or
// already in it).
int ActionTargetSide(const Tplayer& ch, const TileProbes& p);
// How often a hint has been shown in this run (tests).
int HintCount(Hint hint);

}  // namespace vn
