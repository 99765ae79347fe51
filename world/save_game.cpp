#include "world/save_game.h"

#include "engine/paths.h"
#include "engine/stream.h"
#include "world/level_data.h"
#include "world/map.h"
#include "world/world.h"

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

void WriteSave(TStream& out, const SaveRunValues& values) {
  out.WriteLine(values.level_name);

  progress.change_list.ForEach([&](const std::shared_ptr<Tmap_change_done>& c) {
    out.WriteByte(c->layer);
    out.WriteShort(c->x);
    out.WriteShort(c->y);
    out.WriteShort(c->tile_new);
  });
  out.WriteByte(kChangeListEnd);

  progress.autoswitch_list.ForEach([&](const std::shared_ptr<Tautoswitch_done>& a) {
    out.WriteShort(a->x);
    out.WriteShort(a->y);
  });
  out.WriteShort(kAutoswitchListEnd);

  world.character_list.ForEach([&](const PlayerRef& ch) { WriteCharacter(out, *ch); });
  out.WriteInt(kCharacterListEnd);

  out.WriteInt(camera.cam_tile_x);
  out.WriteInt(camera.cam_tile_y);
  out.WriteByte(values.level);
  out.WriteFloat(progress.save_reserved_float);
  out.WriteByte(values.in_vehicle);
  out.WriteShort(values.vehicle_tile);
  out.WriteInt(values.vehicle_angle);

  for (const auto& slot : progress.inventory) {
    out.WriteShort(slot[0]);
    out.WriteShort(slot[1]);
  }
}

}  // namespace

bool WriteSaveFile(const SaveRunValues& values) {
  StreamRef out = OpenAtomicWriteStream(UserFilePath(kSaveGamePath));
  if (!out) return false;
  try {
    WriteSave(*out, values);
  } catch (const TStreamException&) {
    return false;   // the stream is dropped without its commit: the old save stays
  }
  return out->Close();
}

namespace {

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

  if (save.level == 0 || save.level >= kLevelCount) {
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

int ReadSaveFile(SaveGameData& save, LevelData& level, std::string& error) {
  // A directory of that name counts as a save game, and then as a damaged one.
  const std::string path = UserFileToRead(kSaveGamePath);
  if (GetFileKind(path) == 0) return 0;

  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) {
    error = "file cannot be read";
    return -1;
  }
  if (!ParseSaveGame(bytes, save, error)) return -1;
  if (!PlainLevelName(save.level_name)) {
    error = "level name is not a plain file name";
    return -1;
  }
  if (!ReadLevelData(kLevelDirectory, save.level_name, level, error)) {
    error = "its level does not load: " + error;
    return -1;
  }
  if (!CheckSaveAgainstLevel(save, level, error)) return -1;
  return 1;
}

}  // namespace vn
