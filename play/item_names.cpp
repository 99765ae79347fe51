#include "play/item_names.h"

#include <iterator>

#include "world/inventory.h"

namespace vn {
namespace {

// Slots 0..19: money, health, the key and the collectibles.
const char* const kItemNames[] = {
    "Geld",         "Heiltrank",   "Schlüssel", "Rubin",  "Saphir",    "Smaragd", "Krone",
    "Schriftrolle", "Ring",        "Kelch",     "Amulett", "Goldstern", "Perle",   "Buch",
    "Sanduhr",      "Schatzkarte", "Feder",     "Glocke", "Pilz",      "Kristallkugel"};
// Slots 20..29: the guns; only the first three shoot.
const char* const kGunNames[] = {"Pistole",        "Maschinengewehr", "Raketenwerfer", "Silberrevolver",
                                 "Langes Gewehr",  "Blaster",         "Goldene Pistole", "Roter Karabiner",
                                 "Strahlenpistole", "Donnerbüchse"};

}  // namespace

std::string PickUpName(uint16_t obj) {
  // A gun's pick-up is mostly its ammunition.
  static const char* const kGunPickUps[] = {"Pistole", "Munition", "Raketen"};
  const int32_t slot = int32_t(obj) - kFirstItemTile;
  if (slot >= 0 && slot < kFirstGunSlot) return kItemNames[slot];
  const int32_t gun = slot - kFirstGunSlot;
  return gun >= 0 && gun < int32_t(std::size(kGunPickUps)) ? kGunPickUps[gun] : "Waffe";
}

std::string SlotName(int32_t slot) {
  if (slot >= 0 && slot < kFirstGunSlot) return kItemNames[slot];
  if (slot >= kFirstGunSlot && slot < kInventorySlots) return kGunNames[slot - kFirstGunSlot];
  return {};
}

namespace {

// "40 Schuss", "3 Raketen", "2 Münzen", "× 2": a count with the unit its slot holds.
std::string CountWithUnit(int32_t slot, uint16_t count) {
  const std::string n = std::to_string(count);
  if (slot == kCoinSlot) return n + (count == 1 ? " Münze" : " Münzen");
  if (slot == kFirstGunSlot + 2) return n + (count == 1 ? " Rakete" : " Raketen");
  if (slot > kFirstGunSlot) return n + " Schuss";
  return "\xC3\x97 " + n;
}

}  // namespace

std::string SlotCountText(int32_t slot, uint16_t count) {
  if (count == 0 || slot == kFirstGunSlot) return {};
  return CountWithUnit(slot, count);
}

std::string AmmunitionText(int32_t slot, uint16_t count) {
  return slot > kFirstGunSlot && slot < kInventorySlots ? CountWithUnit(slot, count) : std::string();
}

}  // namespace vn
