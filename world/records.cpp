#include "world/records.h"

#include "engine/random.h"
#include "world/world.h"

namespace vn {

void Create_Player(int32_t x, int32_t y, uint8_t typ, uint8_t gun, uint8_t power,
                   uint16_t action_radius, uint16_t item) {
  auto ch = std::make_shared<Tplayer>();
  ch->x = x;
  ch->y = y;
  ch->typ = typ;
  ch->gun = gun;
  ch->power = power;
  ch->action_radius = action_radius;
  ch->item = item;
  ch->source_x = x;
  ch->mode = static_cast<uint8_t>(RandRange(kPoseWalkRight, kPoseWalkLeft));
  ch->gunangle = ch->mode == kPoseWalkRight ? 0 : 180;
  ch->breath = 100;
  ch->speed_max = 4.0f;
  world.character_list.AddLast(ch);
}

}  // namespace vn
