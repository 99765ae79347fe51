#include "world/level_data.h"

#include <filesystem>

#include "engine/stream.h"
#include "world/map.h"

namespace vn {

namespace {

constexpr int64_t kCharacterRecordBytes = 22;
constexpr int64_t kActionRecordBytes = 8;   // nr included
constexpr int64_t kEffectRecordBytes = 7;   // nr included

// File names used in error messages.
struct LevelFileNames {
  std::string map, actions, effects;
};

bool Fail(std::string& error, const std::string& file, const std::string& what) {
  error = file + ": " + what;
  return false;
}

int64_t Remaining(TStream& in) { return in.Size() - in.Position(); }

}  // namespace

bool PositionPlayable(int32_t x, int32_t y) {
  return x >= -kFarthestPosition && x <= kFarthestPosition && y >= -kFarthestPosition && y <= kFarthestPosition;
}

namespace {

bool ParseMapFile(const std::vector<uint8_t>& bytes, const std::string& file, LevelData& out,
                  std::string& error) {
  if (bytes.size() < 4) return Fail(error, file, "file is shorter than the 4 bytes of the map size");
  StreamRef in = OpenMemoryStream(bytes);
  const auto width = uint16_t(in->ReadShort());
  const auto height = uint16_t(in->ReadShort());
  if (width == 0 || height == 0)
    return Fail(error, file, "map size " + std::to_string(width) + " x " + std::to_string(height) +
                                 " has an empty dimension");
  const uint64_t cells = uint64_t(width) * height;
  if (cells > kMaxMapCells)
    return Fail(error, file, "map of " + std::to_string(cells) + " cells is larger than any level can be");

  // Check every section's length before allocating anything for it.
  const uint64_t size = bytes.size();
  for (int layer = 0; layer < 3; ++layer)
    if (size < 4 + 2 * cells * uint64_t(layer + 1))
      return Fail(error, file, "file ends inside tile layer " + std::to_string(layer));
  if (size < 4 + 7 * cells) return Fail(error, file, "file ends inside the code grid");
  const uint64_t character_bytes = size - (4 + 7 * cells);
  if (character_bytes % kCharacterRecordBytes != 0)
    return Fail(error, file, "file ends inside character record " +
                                 std::to_string(character_bytes / kCharacterRecordBytes + 1));

  out.Resize(width, height);
  for (auto& layer : out.tiles)
    for (auto& value : layer) value = uint16_t(in->ReadShort());
  for (auto& code : out.codes) code = uint8_t(in->ReadByte());

  out.characters.clear();
  out.characters.reserve(static_cast<size_t>(character_bytes / kCharacterRecordBytes));
  while (!in->Eof()) {
    LevelCharacter c;
    c.x = in->ReadInt();
    c.y = in->ReadInt();
    c.typ = uint8_t(in->ReadByte());
    c.power = uint8_t(in->ReadByte());
    c.action_radius = uint16_t(in->ReadShort());
    c.item = uint16_t(in->ReadShort());
    c.gun = uint8_t(in->ReadByte());
    in->ReadBytes(c.reserved, sizeof c.reserved);
    if (!PositionPlayable(c.x, c.y))
      return Fail(error, file, "character record " + std::to_string(out.characters.size() + 1) + " stands at (" +
                                   std::to_string(c.x) + ", " + std::to_string(c.y) + "), far outside any map");
    out.characters.push_back(c);
  }
  return true;
}

// Actions and effects may address the three spare columns and rows beside the
// map: the arrays hold them, and stored levels made to the file layout use them.
bool CellInside(const LevelData& level, uint16_t x, uint16_t y) {
  return int32_t(x) < level.width + kMapMargin && int32_t(y) < level.height + kMapMargin;
}

std::string CellText(uint16_t x, uint16_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

bool ParseActionsFile(const std::vector<uint8_t>& bytes, const std::string& file, LevelData& out,
                      std::string& error) {
  StreamRef in = OpenMemoryStream(bytes);
  int record = 0;
  while (!in->Eof()) {
    LevelAction a;
    a.nr = uint8_t(in->ReadByte());
    if (a.nr == 0) continue;   // a lone filler byte between records
    ++record;
    if (Remaining(*in) < kActionRecordBytes - 1)
      return Fail(error, file, "file ends inside action record " + std::to_string(record));
    a.x = uint16_t(in->ReadShort());
    a.y = uint16_t(in->ReadShort());
    a.new_tile = uint16_t(in->ReadShort());
    a.layer = uint8_t(in->ReadByte());
    if (!CellInside(out, a.x, a.y))
      return Fail(error, file, "action record " + std::to_string(record) + " changes cell " +
                                   CellText(a.x, a.y) + " outside the map");
    if (a.layer > 2 && a.layer != 200)
      return Fail(error, file, "action record " + std::to_string(record) + " names layer " +
                                   std::to_string(a.layer) + ", which does not exist");
    out.actions.push_back(a);
  }
  return true;
}

bool EffectLayerValid(const LevelEffect& e) {
  if (e.layer <= 2) return true;
  // A column's layer byte may instead name the action it chains when it falls.
  return (e.typ == 4 || e.typ == 5) && e.layer >= 200;
}

bool ParseEffectsFile(const std::vector<uint8_t>& bytes, const std::string& file, LevelData& out,
                      std::string& error) {
  StreamRef in = OpenMemoryStream(bytes);
  int record = 0;
  while (!in->Eof()) {
    LevelEffect e;
    e.nr = uint8_t(in->ReadByte());
    if (e.nr == 0) continue;
    ++record;
    if (Remaining(*in) < kEffectRecordBytes - 1)
      return Fail(error, file, "file ends inside effect record " + std::to_string(record));
    e.x = uint16_t(in->ReadShort());
    e.y = uint16_t(in->ReadShort());
    e.layer = uint8_t(in->ReadByte());
    e.typ = uint8_t(in->ReadByte());
    const std::string which = "effect record " + std::to_string(record);
    if (e.typ < 1 || e.typ > 5)
      return Fail(error, file, which + " has kind " + std::to_string(e.typ) + ", which does not exist");
    if (!CellInside(out, e.x, e.y))
      return Fail(error, file, which + " starts at cell " + CellText(e.x, e.y) + " outside the map");
    if (!EffectLayerValid(e))
      return Fail(error, file, which + " names layer " + std::to_string(e.layer) + ", which does not exist");
    out.effects.push_back(e);
  }
  return true;
}

bool ParseLevelFiles(const std::vector<uint8_t>& vnm, const std::vector<uint8_t>* vnd,
                     const std::vector<uint8_t>& eff, const LevelFileNames& names, LevelData& out,
                     std::string& error) {
  LevelData level;
  // The map comes first: the other two files are checked against its size.
  if (!ParseMapFile(vnm, names.map, level, error)) return false;
  level.has_actions_file = vnd != nullptr;
  if (vnd && !ParseActionsFile(*vnd, names.actions, level, error)) return false;
  if (!ParseEffectsFile(eff, names.effects, level, error)) return false;
  out = std::move(level);
  return true;
}

void WriteLE16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t(v >> 8));
}

void WriteLE32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = uint32_t(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t((u >> shift) & 0xFF));
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  StreamRef out = OpenWriteStream(path);
  if (!out) return false;
  try {
    out->WriteBytes(bytes.data(), bytes.size());
  } catch (const TStreamException&) {
    out->Close();
    return false;
  }
  return out->Close();
}

}  // namespace

void LevelData::Resize(uint16_t w, uint16_t h) {
  width = w;
  height = h;
  for (auto& layer : tiles) layer.assign(static_cast<size_t>(w) * h, 0);
  codes.assign(static_cast<size_t>(w) * h, 0);
}

bool ParseLevelData(const std::vector<uint8_t>& vnm, const std::vector<uint8_t>* vnd,
                    const std::vector<uint8_t>& eff, LevelData& out, std::string& error) {
  return ParseLevelFiles(vnm, vnd, eff, {"map file", "map-data file", "effects file"}, out, error);
}

bool ReadLevelData(const std::string& directory, const std::string& name, LevelData& out,
                   std::string& error) {
  const std::string base = directory + "/" + name;
  const LevelFileNames names{base + ".vnm", base + ".vnd", base + ".eff"};

  std::vector<uint8_t> vnm, vnd, eff;
  if (GetFileKind(names.map) != 1 || !ReadWholeFile(names.map, vnm))
    return Fail(error, names.map, "file is missing or cannot be read");
  const bool has_actions = GetFileKind(names.actions) == 1;
  if (has_actions && !ReadWholeFile(names.actions, vnd))
    return Fail(error, names.actions, "file cannot be read");
  if (GetFileKind(names.effects) != 1 || !ReadWholeFile(names.effects, eff))
    return Fail(error, names.effects, "file is missing or cannot be read");

  return ParseLevelFiles(vnm, has_actions ? &vnd : nullptr, eff, names, out, error);
}

std::vector<uint8_t> EncodeMapFile(const LevelData& level) {
  std::vector<uint8_t> out;
  const size_t cells = static_cast<size_t>(level.width) * level.height;
  out.reserve(4 + 7 * cells + 22 * level.characters.size());
  WriteLE16(out, level.width);
  WriteLE16(out, level.height);
  for (const auto& layer : level.tiles)
    for (size_t i = 0; i < cells; ++i) WriteLE16(out, i < layer.size() ? layer[i] : 0);
  for (size_t i = 0; i < cells; ++i) out.push_back(i < level.codes.size() ? level.codes[i] : 0);
  for (const auto& c : level.characters) {
    WriteLE32(out, c.x);
    WriteLE32(out, c.y);
    out.push_back(c.typ);
    out.push_back(c.power);
    WriteLE16(out, c.action_radius);
    WriteLE16(out, c.item);
    out.push_back(c.gun);
    out.insert(out.end(), std::begin(c.reserved), std::end(c.reserved));
  }
  return out;
}

std::vector<uint8_t> EncodeActionsFile(const LevelData& level) {
  std::vector<uint8_t> out;
  for (const auto& a : level.actions) {
    if (a.nr == 0) continue;   // a 0 would be read back as a filler byte and shift every later record
    out.push_back(a.nr);
    WriteLE16(out, a.x);
    WriteLE16(out, a.y);
    WriteLE16(out, a.new_tile);
    out.push_back(a.layer);
  }
  return out;
}

std::vector<uint8_t> EncodeEffectsFile(const LevelData& level) {
  std::vector<uint8_t> out;
  for (const auto& e : level.effects) {
    if (e.nr == 0) continue;   // see EncodeActionsFile
    out.push_back(e.nr);
    WriteLE16(out, e.x);
    WriteLE16(out, e.y);
    out.push_back(e.layer);
    out.push_back(e.typ);
  }
  return out;
}

bool WriteLevelFiles(const std::string& directory, const std::string& name, const LevelData& level) {
  const std::string base = directory + "/" + name;
  if (!WriteFile(base + ".vnm", EncodeMapFile(level))) return false;
  if (!WriteFile(base + ".eff", EncodeEffectsFile(level))) return false;
  if (level.has_actions_file || !level.actions.empty()) return WriteFile(base + ".vnd", EncodeActionsFile(level));
  // A stale .vnd of an earlier level of the same name would give this one actions it does not have.
  std::error_code ignored;
  std::filesystem::remove(base + ".vnd", ignored);
  return true;
}

}  // namespace vn
