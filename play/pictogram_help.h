#pragma once
// A pictogram shows a move in caps and a word; a player standing beside it
// also gets the move said in a sentence with the real keys, because "+" alone
// does not say which key is held and which is pressed.
#include <string>

#include "play/movement.h"

namespace vn {

// Forgets which pictograms were explained: a new level run.
void ResetPictogramHelp();
// Every player step: explains the pictogram the figure has come to, once a
// visit, when no other notice is up.
void ExplainPictogramNearby(const TileProbes& p);
// The sentence for the pictogram a layer-1 value belongs to; empty for none
// (the skull speaks for itself).
std::string PictogramHelpText(uint16_t value);

}  // namespace vn
