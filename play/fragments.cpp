// Debris of a dead character: thrown pieces that fall through everything.
#include "engine/graphics.h"
#include "engine/numbers.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "play/shots.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr float kFragmentFriction = 0.98f;   // share of the sideways speed kept per frame
constexpr float kFragmentGravity = 0.14f;    // px/frame added to the fall speed per frame

// The pieces are the parts of the character picture: head, body, two eyes, two feet.
void DrawFragment(const Tfragment& f) {
  const float sx = static_cast<float>(ScreenX(f.x));
  const float sy = static_cast<float>(ScreenY(f.y));
  switch (f.typ) {
    case 0: SetColor(0, 0, 0); DrawOval(sx, sy, 12, 12); break;
    case 1: SetColor(0, 0, 0); DrawOval(sx, sy, 14, 12); break;
    case 2:
    case 3: SetColor(0, 200, 0); DrawOval(sx, sy, 3, 3); break;
    case 4:
    case 5: SetColor(33, 47, 58); DrawOval(sx, sy, 7, 7); break;
    default: break;
  }
}

void UpdateFragment(const FragmentRef& f) {
  DrawFragment(*f);
  // Whole pixels only: the fraction of each frame's motion is lost. The map is
  // not consulted, so debris falls through floors until its time is up.
  f->x = Trunc(static_cast<float>(f->x) + f->speedx);
  f->y = Trunc(static_cast<float>(f->y) + f->speedy);
  f->speedx = f->speedx * kFragmentFriction;
  f->speedy = f->speedy + kFragmentGravity;
  if (run.now_ms > f->timeout) world.fragment_list.Remove(f);
}

}  // namespace

void UpdateFragments() {
  world.fragment_list.ForEach([](const FragmentRef& f) { UpdateFragment(f); });
  SetColor(255, 255, 255);
}

}  // namespace vn
