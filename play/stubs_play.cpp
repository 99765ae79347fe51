// TEMPORARY link stubs; each function moves to its real file as it is written.
#include "play/character_draw.h"
#include "play/entities.h"
#include "play/movement.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
namespace vn {
void Create_Player(int32_t x, int32_t y, uint8_t typ, uint8_t gun, uint8_t power, uint16_t radius, uint16_t item) {
  auto p = std::make_shared<Tplayer>(); p->x = x; p->y = y; p->typ = typ; p->gun = gun; p->power = power;
  p->action_radius = radius; p->item = item; p->source_x = x; p->mode = 1; p->breath = 100; p->speed_max = 4;
  character_list.AddLast(p);
}
void shot_create(float, float, uint8_t, float, uint8_t) {}
void Fragment_Create(int32_t, int32_t) {}
PlayerRef FindPlayer() { PlayerRef r; character_list.ForEach([&](const PlayerRef& p) { if (!r && p->typ == 0) r = p; }); return r; }
void PlayLevel() {}
bool BeginLevelRun() { return false; }
bool PlayFrame() { return false; }
void ReadInputFlags() {}
bool FinishLevel(const PlayerRef&) { return false; }
TileProbes ReadProbes(const Tplayer&) { return {}; }
void CommonPhysicsFirst(Tplayer&, const TileProbes&) {}
void PlayerStep(const PlayerRef&, const TileProbes&, int32_t, int32_t) {}
void CommonPhysicsSecond(const PlayerRef&, const TileProbes&, int32_t, int32_t) {}
void PlayerFire(Tplayer&) {}
void PlayGameSound(const SoundRef&, float) {}
void DrawCharacter(int32_t, int32_t, uint8_t, uint8_t, uint8_t, uint16_t) {}
void ResetPush() {}
void StartPush(Tplayer&, const TileProbes&) {}
void EnterOrLeaveVehicle(Tplayer&, const TileProbes&) {}
void RideVehicle(Tplayer&, const TileProbes&) {}
void RollBlock(Tplayer&) {}
void ShowNotice(const std::string&, int32_t) {}
void DrawNotice() {}
void ClearNotice() {}
const std::string& CurrentNotice() { static std::string s; return s; }
}  // namespace vn
