#include "world/save_game.h"

#include "engine/paths.h"
#include "engine/stream.h"
#include "play/notice.h"
#include "play/push_vehicle.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"

namespace vn {

namespace {

constexpr int kChangeListEnd = 255;
constexpr int kAutoswitchListEnd = 65535;
constexpr int32_t kCharacterListEnd = -1;

void WriteCharacter(TStream& out, const Tplayer& ch) {
  // The list ends at an x of -1 and the format has no escape for it: a
  // character standing exactly there is saved one pixel to the right instead of
  // cutting the list (and every block after it) short.
  out.WriteInt(ch.x == kCharacterListEnd ? 0 : ch.x);
  out.WriteInt(ch.y);
  out.WriteByte(ch.typ);
  out.WriteByte(ch.jump);
  out.WriteFloat(ch.tempy);
  out.WriteFloat(ch.speed);
  out.WriteByte(ch.gun);
  // A character killed earlier in this frame still waits for its step to be
  // removed; its negative health must not come back as a byte near 255.
  out.WriteByte(ch.power < 0 ? 0 : ch.power & 0xFF);
  out.WriteByte(ch.mode);
  out.WriteInt(ch.frame);
  out.WriteShort(ch.gunangle);
  out.WriteInt(ch.anim);
  out.WriteByte(ch.gun_active);
  out.WriteInt(ch.source_x);
  out.WriteByte(ch.breath);
  out.WriteShort(ch.action_radius);
  out.WriteInt(ch.dest_x);
  out.WriteFloat(ch.speed_max);
  out.WriteShort(ch.item);
}

void WriteSave(TStream& out, uint8_t level) {
  out.WriteLine(level_names[level]);

  change_list.ForEach([&](const std::shared_ptr<Tmap_change_done>& c) {
    out.WriteByte(c->layer);
    out.WriteShort(c->x);
    out.WriteShort(c->y);
    out.WriteShort(c->tile_new);
  });
  out.WriteByte(kChangeListEnd);

  autoswitch_list.ForEach([&](const std::shared_ptr<Tautoswitch_done>& a) {
    out.WriteShort(a->x);
    out.WriteShort(a->y);
  });
  out.WriteShort(kAutoswitchListEnd);

  character_list.ForEach([&](const PlayerRef& ch) { WriteCharacter(out, *ch); });
  out.WriteInt(kCharacterListEnd);

  out.WriteInt(cam_tile_x);
  out.WriteInt(cam_tile_y);
  out.WriteByte(level);
  out.WriteFloat(save_reserved_float);
  out.WriteByte(in_vehicle);
  out.WriteShort(vehicle_tile);
  out.WriteInt(vehicle_angle);

  for (const auto& slot : inventory) {
    out.WriteShort(slot[0]);
    out.WriteShort(slot[1]);
  }
}

bool WriteSaveFile(uint8_t level) {
  if (level >= std::size(level_names)) return false;
  StreamRef out = OpenAtomicWriteStream(UserFilePath(kSaveGamePath));
  if (!out) return false;
  try {
    WriteSave(*out, level);
  } catch (const TStreamException&) {
    return false;   // the stream is dropped without its commit: the old save stays
  }
  return out->Close();
}

Tplayer ReadCharacter(TStream& in, int32_t x) {
  Tplayer ch;   // the fields a save does not hold (timers, sight) start at 0
  ch.x = x;
  ch.y = in.ReadInt();
  ch.typ = uint8_t(in.ReadByte());
  ch.jump = uint8_t(in.ReadByte());
  ch.tempy = in.ReadFloat();
  ch.speed = in.ReadFloat();
  ch.gun = uint8_t(in.ReadByte());
  ch.power = in.ReadByte();
  ch.mode = uint8_t(in.ReadByte());
  ch.frame = in.ReadInt();
  ch.gunangle = uint16_t(in.ReadShort());
  ch.anim = in.ReadInt();
  ch.gun_active = uint8_t(in.ReadByte());
  ch.source_x = in.ReadInt();
  ch.breath = uint8_t(in.ReadByte());
  ch.action_radius = uint16_t(in.ReadShort());
  ch.dest_x = in.ReadInt();
  ch.speed_max = in.ReadFloat();
  ch.item = uint16_t(in.ReadShort());
  return ch;
}

void ReadBlocks(TStream& in, SaveGameData& out, std::string& block) {
  block = "the level name";
  out.level_name = in.ReadLine();

  block = "the change records";
  for (int layer = in.ReadByte(); layer != kChangeListEnd; layer = in.ReadByte()) {
    Tmap_change_done c;
    c.layer = uint8_t(layer);
    c.x = uint16_t(in.ReadShort());
    c.y = uint16_t(in.ReadShort());
    c.tile_new = uint16_t(in.ReadShort());
    out.changes.push_back(c);
  }

  block = "the auto-switch records";
  for (int x = in.ReadShort(); x != kAutoswitchListEnd; x = in.ReadShort()) {
    Tautoswitch_done a;
    a.x = uint16_t(x);
    a.y = uint16_t(in.ReadShort());
    out.autoswitches.push_back(a);
  }

  block = "the character records";
  for (int32_t x = in.ReadInt(); x != kCharacterListEnd; x = in.ReadInt())
    out.characters.push_back(ReadCharacter(in, x));

  block = "the trailer";
  out.cam_tile_x = in.ReadInt();
  out.cam_tile_y = in.ReadInt();
  out.level = uint8_t(in.ReadByte());
  out.reserved_float = in.ReadFloat();
  out.in_vehicle = uint8_t(in.ReadByte());
  out.vehicle_tile = uint16_t(in.ReadShort());
  out.vehicle_angle = in.ReadInt();

  block = "the inventory";
  for (auto& slot : out.inventory) {
    slot[0] = uint16_t(in.ReadShort());
    slot[1] = uint16_t(in.ReadShort());
  }
}

// A name read from the file becomes part of a path: it must stay a plain name
// inside the map directory.
bool PlainLevelName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32) return false;
  return true;
}

// Always 0: the level byte LoadGame returns for "nothing loaded".
uint8_t RefuseLoad(const std::string& why) {
  last_save_error = std::string(kSaveGamePath) + ": " + why;
  ShowNotice("Spielstand ist beschädigt und wurde nicht geladen");
  return 0;
}

}  // namespace

bool ParseSaveGame(const std::vector<uint8_t>& bytes, SaveGameData& out, std::string& error) {
  StreamRef in = OpenMemoryStream(bytes);
  SaveGameData save;
  std::string block;
  try {
    ReadBlocks(*in, save, block);
  } catch (const TStreamReadException&) {
    error = "file ends inside " + block;
    return false;
  }
  if (!in->Eof()) {
    error = std::to_string(in->Size() - in->Position()) + " unexpected bytes follow the inventory";
    return false;
  }
  out = std::move(save);
  return true;
}

bool CheckSaveAgainstLevel(const SaveGameData& save, const LevelData& level, std::string& error) {
  // The arrays' margin counts as inside: play may write there (a character at
  // the map's edge), and a replay must repeat that.
  const auto inside = [&](uint16_t x, uint16_t y) {
    return int32_t(x) < int32_t(level.width) + kMapMargin && int32_t(y) < int32_t(level.height) + kMapMargin;
  };
  const auto cell = [](uint16_t x, uint16_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; };

  if (save.level == 0 || save.level >= std::size(level_names)) {
    error = "level number " + std::to_string(save.level) + " cannot have been saved";
    return false;
  }
  for (size_t i = 0; i < save.changes.size(); ++i) {
    const auto& c = save.changes[i];
    const std::string which = "change record " + std::to_string(i + 1);
    if (c.layer > 2 && c.layer != kCodeLayer) {
      error = which + " names layer " + std::to_string(c.layer) + ", which does not exist";
      return false;
    }
    if (!inside(c.x, c.y)) {
      error = which + " changes cell " + cell(c.x, c.y) + " outside the map";
      return false;
    }
  }
  for (size_t i = 0; i < save.autoswitches.size(); ++i) {
    const auto& a = save.autoswitches[i];
    if (!inside(a.x, a.y)) {
      error = "auto-switch record " + std::to_string(i + 1) + " names cell " + cell(a.x, a.y) + " outside the map";
      return false;
    }
  }
  for (size_t i = 0; i < save.characters.size(); ++i) {
    const auto& ch = save.characters[i];
    if (!PositionPlayable(ch.x, ch.y)) {
      error = "character record " + std::to_string(i + 1) + " stands at (" + std::to_string(ch.x) + ", " +
              std::to_string(ch.y) + "), far outside any map";
      return false;
    }
  }
  constexpr int32_t kFarthestTile = kFarthestPosition / kTileSize;
  const auto far = [](int32_t tile) { return tile < -kFarthestTile || tile > kFarthestTile; };
  if (far(save.cam_tile_x) || far(save.cam_tile_y)) {
    error = "camera tile (" + std::to_string(save.cam_tile_x) + ", " + std::to_string(save.cam_tile_y) +
            ") lies far outside any map";
    return false;
  }
  return true;
}

uint8_t ApplySaveGame(const SaveGameData& save, const LevelData& level) {
  change_list.Clear();
  action_list.Clear();
  ApplyLevelData(level);

  // The map file's characters are replaced by the saved ones.
  character_list.Clear();
  autoswitch_list.Clear();

  // In the saved order, so the last change of a cell wins as it did in play;
  // re-recorded so that the next save writes them again.
  for (const auto& c : save.changes) {
    SetCell(c.x, c.y, c.layer, c.tile_new);
    RecordMapChange(c.x, c.y, c.layer, c.tile_new);
  }

  // Automatic cells that fired before the save cannot fire again.
  for (const auto& a : save.autoswitches) {
    SetCode(a.x, a.y, 0);
    autoswitch_list.AddLast(std::make_shared<Tautoswitch_done>(a));
  }

  for (const auto& ch : save.characters) character_list.AddLast(std::make_shared<Tplayer>(ch));

  cam_tile_x = save.cam_tile_x;
  cam_tile_y = save.cam_tile_y;
  save_reserved_float = save.reserved_float;
  in_vehicle = save.in_vehicle;
  vehicle_tile = save.vehicle_tile;
  vehicle_angle = save.vehicle_angle;
  inventory = save.inventory;
  return save.level;
}

bool SaveGame(uint8_t level) {
  const bool saved = WriteSaveFile(level);
  ShowNotice(saved ? "Gespeichert" : "Speichern fehlgeschlagen");
  return saved;
}

uint8_t LoadGame() {
  // A directory of that name counts as a save game, and then as a damaged one.
  const std::string path = UserFileToRead(kSaveGamePath);
  if (GetFileKind(path) == 0) return 0;

  // Everything is read and checked before anything of the running level changes.
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) return RefuseLoad("file cannot be read");
  SaveGameData save;
  std::string error;
  if (!ParseSaveGame(bytes, save, error)) return RefuseLoad(error);
  if (!PlainLevelName(save.level_name)) return RefuseLoad("level name is not a plain file name");
  LevelData level;
  if (!ReadLevelData("map", save.level_name, level, error)) return RefuseLoad("its level does not load: " + error);
  if (!CheckSaveAgainstLevel(save, level, error)) return RefuseLoad(error);

  last_save_error.clear();
  return ApplySaveGame(save, level);
}

}  // namespace vn
