#pragma once
// The German names of the things the player can carry.
#include <cstdint>
#include <string>

namespace vn {

// The name a pick-up notice shows for an item picture (layer-1 value 230..259).
std::string PickUpName(uint16_t obj);
// The name of a bag slot's item (0..29): "Geld", "Heiltrank", "Maschinengewehr" ...
std::string SlotName(int32_t slot);
// How the bag shows a slot's count beside its picture ("40 Schuss", "× 2");
// empty when the count says nothing (none, or the basic gun).
std::string SlotCountText(int32_t slot, uint16_t count);
// The ammunition of a gun slot for the screen, also at zero ("0 Schuss");
// empty for the basic gun, which never runs out, and for other slots.
std::string AmmunitionText(int32_t slot, uint16_t count);

}  // namespace vn
