// Explosions: the record, the blast on nearby characters and the animation.
#include <cstdint>
#include <memory>

#include "app/resources.h"
#include "engine/graphics.h"
#include "engine/pool_allocator.h"
#include "engine/timing.h"
#include "play/entities.h"
#include "play/fight_effects.h"
#include "play/shots.h"
#include "world/map.h"

namespace vn {
namespace {

constexpr int32_t kBlastReach = 100;       // pixels on each axis; the window is 200 x 200
constexpr int32_t kPictureMillis = 26;     // each picture shows at least this long
constexpr int kPictureCount = 18;

bool InsideBlast(const Tplayer& ch, int32_t x, int32_t y) {
  return x - kBlastReach < ch.x && ch.x < x + kBlastReach && y - kBlastReach < ch.y &&
         ch.y < y + kBlastReach;
}

}  // namespace

// The blast hurts most at its centre and fades linearly to nothing at 100
// pixels of horizontal distance; the vertical distance only decides who is
// inside the blast window at all. Truncated toward zero, never negative, so a
// blast never heals.
int32_t BlastDamage(int32_t damage, int32_t dx) {
  const int64_t distance = dx < 0 ? -static_cast<int64_t>(dx) : dx;
  if (damage <= 0 || distance >= kBlastReach) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(damage) * (kBlastReach - distance) / kBlastReach);
}

void Explosion_Create(int32_t x, int32_t y, int32_t damage) {
  auto explosion = MakePooled<Texplosion>();
  explosion->x = x;
  explosion->y = y;
  explosion->frame = 0;
  // The clock itself, not the frame's now_ms: explosions made later in a frame start later.
  explosion->frame_timer = ClockMillis() + kPictureMillis;
  explosion_list.AddLast(explosion);

  character_list.ForEach([&](const PlayerRef& ch) {
    if (!InsideBlast(*ch, x, y)) return;
    const int32_t loss = BlastDamage(damage, ch->x - x);
    ch->power -= loss;
    if (ch->typ == 0 && loss > 0) NotePlayerHurt();
  });
}

void UpdateExplosions() {
  explosion_list.ForEach([](const ExplosionRef& e) {
    // The strip's handle is its centre, so the picture is centred on (x, y).
    DrawImageFrame(explosion_image, static_cast<float>(ScreenX(e->x)), static_cast<float>(ScreenY(e->y)),
                   e->frame);
    const int32_t now = ClockMillis();
    if (e->frame_timer < now) {
      e->frame_timer = now + kPictureMillis;
      e->frame = static_cast<uint8_t>(e->frame + 1);
    }
    if (e->frame >= kPictureCount) explosion_list.Remove(e);
  });
}

}  // namespace vn
