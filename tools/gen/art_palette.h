#pragma once
// The colours of every theme. The figures are black (player) and dark red
// (enemies), so tiles stay in the middle tones where both stand out.
#include "tools/gen/art_canvas.h"

namespace vngen::palette {

// Contour of things the player uses or must avoid: near black with a blue
// cast, so it reads as a line and not as a figure.
constexpr Rgba kOutline{26, 22, 34, 255};
constexpr Rgba kWhite{246, 244, 236, 255};
constexpr Rgba kShadow{40, 34, 44, 255};

// Training ground: warm sandstone, meadow, painted steel.
constexpr Rgba kSand{214, 188, 136, 255};
constexpr Rgba kSandDark{172, 142, 96, 255};
constexpr Rgba kSandMortar{138, 110, 74, 255};
constexpr Rgba kMeadow{104, 178, 64, 255};
constexpr Rgba kMeadowLight{156, 214, 88, 255};
constexpr Rgba kSoil{150, 108, 70, 255};
constexpr Rgba kSteel{138, 156, 176, 255};

// Castle: cool greys.
constexpr Rgba kStone{150, 150, 160, 255};
constexpr Rgba kStoneLight{184, 184, 192, 255};
constexpr Rgba kStoneDark{100, 102, 116, 255};
constexpr Rgba kMortar{72, 70, 82, 255};
constexpr Rgba kMoss{92, 128, 64, 255};

// Jungle: greens and browns.
constexpr Rgba kGrass{72, 156, 48, 255};
constexpr Rgba kGrassLight{128, 198, 72, 255};
constexpr Rgba kGrassDark{44, 110, 40, 255};
constexpr Rgba kEarth{132, 90, 54, 255};
constexpr Rgba kEarthDark{98, 66, 42, 255};
constexpr Rgba kRock{118, 120, 106, 255};
constexpr Rgba kLiana{70, 120, 44, 255};

// Wood: ship and fortress.
constexpr Rgba kPlank{182, 128, 74, 255};
constexpr Rgba kPlankDark{140, 96, 56, 255};
constexpr Rgba kBeam{118, 78, 46, 255};
constexpr Rgba kHull{92, 66, 50, 255};
constexpr Rgba kIron{86, 88, 100, 255};
constexpr Rgba kIronLight{150, 154, 168, 255};
constexpr Rgba kRope{198, 170, 110, 255};

// Breakable wall: a warm red-brown, unlike every theme's ground.
constexpr Rgba kBrickRed{168, 84, 58, 255};
constexpr Rgba kBrickMortar{96, 70, 60, 255};

// Treasure and signals.
constexpr Rgba kGold{244, 196, 48, 255};
constexpr Rgba kGoldDark{178, 118, 24, 255};
constexpr Rgba kGoldLight{255, 240, 150, 255};
constexpr Rgba kRed{214, 40, 44, 255};
constexpr Rgba kBlue{52, 110, 220, 255};
constexpr Rgba kGreen{48, 176, 80, 255};
constexpr Rgba kPurple{142, 64, 176, 255};

// Liquids. Water is drawn at 35 % opacity: light tones, so that the dark
// figure stays visible under the surface; the deadly liquids are loud and sickly.
constexpr Rgba kWater{80, 168, 250, 255};
constexpr Rgba kWaterLight{190, 232, 255, 255};
constexpr Rgba kWaterDeep{46, 128, 232, 255};
constexpr Rgba kPoison{90, 220, 0, 255};
constexpr Rgba kPoisonDark{12, 48, 0, 255};
constexpr Rgba kPoisonFroth{226, 255, 70, 255};
constexpr Rgba kToxicPurple{170, 0, 190, 255};
constexpr Rgba kToxicPurpleDark{44, 0, 56, 255};
constexpr Rgba kToxicPurpleFroth{255, 140, 255, 255};
constexpr Rgba kLava{232, 84, 20, 255};
constexpr Rgba kLavaLight{255, 206, 70, 255};
constexpr Rgba kLavaDark{150, 30, 16, 255};

}  // namespace vngen::palette
