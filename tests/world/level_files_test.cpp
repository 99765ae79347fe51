#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>

#include "engine/stream.h"
#include "play/entities.h"
#include "tests/support/harness.h"
#include "tests/world/world_test_support.h"
#include "world/actions.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/map_effects.h"

namespace vn::test {
namespace {

class LevelFiles : public GameTest {};

TEST_F(LevelFiles, SmallestMapFileIsElevenBytesLaidOutAsStored) {
  LevelBuilder b(1, 1);
  b.Tile(0, 0, 0, 0x0102).Tile(1, 0, 0, 0x0304).Tile(2, 0, 0, 0x0506).Code(0, 0, 7);
  EXPECT_EQ(EncodeMapFile(b.Data()),
            (std::vector<uint8_t>{1, 0, 1, 0, 0x02, 0x01, 0x04, 0x03, 0x06, 0x05, 7}));

  b.Load();
  EXPECT_EQ(map_width, 1);
  EXPECT_EQ(GetTile(0, 0, 1), 0x0304);
  EXPECT_EQ(GetCode(0, 0), 7);
  EXPECT_TRUE(character_list.IsEmpty());   // no characters, no player
}

TEST_F(LevelFiles, MapFileSizeAndCellOffsetsFollowTheLayerMajorLayout) {
  LevelBuilder b(3, 2);
  b.Tile(2, 1, 1, 0xBEEF).Code(2, 1, 0x42).Player(10, 20).Enemy(30, 40);
  const auto bytes = EncodeMapFile(b.Data());
  ASSERT_EQ(bytes.size(), 4u + 7 * 3 * 2 + 22 * 2);
  // (x 1, y 1, layer 2) lies at 4 + 2 * (2*W*H + y*W + x); the code grid follows the layers.
  EXPECT_EQ(bytes[4 + 2 * (2 * 6 + 1 * 3 + 1)], 0xEF);
  EXPECT_EQ(bytes[4 + 6 * 6 + 1 * 3 + 2], 0x42);
}

TEST_F(LevelFiles, CharactersAreCreatedInFileOrderWithTheirFields) {
  LevelBuilder(4, 4).Enemy(64, 32, 255, 1, 96, 231, 2).Player(32, 64, 100, 0).Load();
  const auto chars = character_list.Snapshot();
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0]->typ, 2);
  EXPECT_EQ(chars[0]->x, 64);
  EXPECT_EQ(chars[0]->power, 255);
  EXPECT_EQ(chars[0]->gun, 1);
  EXPECT_EQ(chars[0]->action_radius, 96);
  EXPECT_EQ(chars[0]->item, 231);
  EXPECT_EQ(chars[1]->typ, 0);
  EXPECT_EQ(chars[1]->y, 64);
}

TEST_F(LevelFiles, FillerBytesAreSkippedAndEmptyFilesGiveEmptyLists) {
  LevelBuilder(4, 4).Write("Fill");
  const auto action = Bytes().U8(9).U16(1).U16(2).U16(300).U8(200).data;
  const auto effect = Bytes().U8(9).U16(3).U16(1).U8(1).U8(2).data;

  Bytes vnd;
  vnd.U8(0).Text(std::string(action.begin(), action.end())).U8(0).U8(0).Text(std::string(action.begin(), action.end()));
  Bytes eff;
  eff.U8(0).Text(std::string(effect.begin(), effect.end())).U8(0);
  WriteFileBytes("map/Fill.vnd", vnd.data);
  WriteFileBytes("map/Fill.eff", eff.data);
  ASSERT_TRUE(LoadLevel("Fill", "map")) << last_level_error;
  ASSERT_EQ(action_list.Count(), 2u);
  EXPECT_EQ(action_list.First()->new_tile, 300);
  EXPECT_EQ(action_list.First()->layer, 200);
  ASSERT_EQ(effect_todo_list.Count(), 1u);
  EXPECT_EQ(effect_todo_list.First()->x, 3);
  EXPECT_EQ(effect_todo_list.First()->typ, 2);

  for (const auto& contents : {std::vector<uint8_t>{}, std::vector<uint8_t>(5, 0)}) {
    WriteFileBytes("map/Fill.vnd", contents);
    WriteFileBytes("map/Fill.eff", contents);
    ASSERT_TRUE(LoadLevel("Fill", "map")) << last_level_error;
    EXPECT_TRUE(action_list.IsEmpty());
    EXPECT_TRUE(effect_todo_list.IsEmpty());
  }
}

TEST_F(LevelFiles, MissingActionsFileMeansNoActions) {
  LevelBuilder(2, 2).Action(1, 0, 0, 5, 0).Load("Acts");
  ASSERT_EQ(action_list.Count(), 1u);
  LevelBuilder(2, 2).Load("Plain");   // no actions: no .vnd is written
  EXPECT_EQ(GetFileKind("map/Plain.vnd"), 0);
  EXPECT_TRUE(action_list.IsEmpty());
}

TEST_F(LevelFiles, LoadResetsCameraAndListsButKeepsRunningEffects) {
  LevelBuilder(2, 2).Load("First");
  cam_tile_x = 3;
  cam_shift_y = -7;
  shot_list.AddLast(std::make_shared<Tshot>());
  fragment_list.AddLast(std::make_shared<Tfragment>());
  explosion_list.AddLast(std::make_shared<Texplosion>());
  map_effect_list.AddLast(std::make_shared<Tmap_effects>());
  change_list.AddLast(std::make_shared<Tmap_change_done>());
  effect_todo_list.AddLast(std::make_shared<Tmap_effects_todo>());

  LevelBuilder(2, 2).Player(0, 0).Load("Second");
  EXPECT_EQ(cam_tile_x, 0);
  EXPECT_EQ(cam_shift_y, 0);
  EXPECT_TRUE(shot_list.IsEmpty());
  EXPECT_TRUE(fragment_list.IsEmpty());
  EXPECT_TRUE(effect_todo_list.IsEmpty());
  EXPECT_EQ(explosion_list.Count(), 1u);
  EXPECT_EQ(map_effect_list.Count(), 1u);
  EXPECT_EQ(change_list.Count(), 1u);   // a level run's records are not the loader's
  EXPECT_EQ(character_list.Count(), 1u);
}

TEST_F(LevelFiles, SmallerSecondLevelReplacesTheArraysAndKeepsTheMarginZero) {
  LevelBuilder big(6, 5);
  big.Fill(0, 0, 0, 5, 4, 9).Fill(2, 0, 0, 5, 4, 120);
  for (int x = 0; x < 6; ++x) big.Code(x, 4, 33);
  big.Load("Big");

  LevelBuilder(2, 3).Fill(1, 0, 0, 1, 2, 4).Load("Small");
  EXPECT_EQ(map_width, 2);
  EXPECT_EQ(map_height, 3);
  EXPECT_EQ(map_tiles.size(), size_t(5 * 6 * 3));
  EXPECT_EQ(map_codes.size(), size_t(5 * 6));
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 6; ++y) {
      const bool inside = x < 2 && y < 3;
      EXPECT_EQ(GetTile(x, y, 0), 0) << x << "," << y;
      EXPECT_EQ(GetTile(x, y, 1), inside ? 4 : 0) << x << "," << y;
      EXPECT_EQ(GetTile(x, y, 2), 0) << x << "," << y;
      EXPECT_EQ(GetCode(x, y), 0) << x << "," << y;
    }
  }
}

// A damaged level of every kind is refused with the file named, and the level
// that was running stays exactly as it was.
struct Damage {
  const char* what;
  std::function<void()> apply;    // breaks map/Bad.* after a good level was written
  const char* file_in_error;
};

void Truncate(const std::string& path, size_t size) {
  auto bytes = ReadFileBytes(path);
  bytes.resize(size);
  WriteFileBytes(path, bytes);
}

class DamagedLevel : public LevelFiles, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedLevel, IsRefusedAndLeavesTheRunningLevelUntouched) {
  LevelBuilder running(5, 4);
  running.Fill(0, 0, 3, 4, 3, 1).Code(1, 1, 201).Player(32, 32).Enemy(64, 32).Action(4, 1, 1, 9, 1).Effect(4, 2, 2, 0, 2);
  running.Load("Running");
  cam_tile_x = 1;
  cam_shift_x = -4;
  const auto before = LevelSnapshot::Take();

  // W 3, H 2, one character, two actions, two effects: every section present.
  LevelBuilder bad(3, 2);
  bad.Player(0, 0).Action(1, 2, 1, 5, 0).Action(2, 0, 0, 6, 200).Effect(1, 1, 1, 0, 2).Effect(2, 2, 0, 203, 4);
  bad.Write("Bad");
  GetParam().apply();

  std::string error;
  LevelData data;
  EXPECT_FALSE(ReadLevelData("map", "Bad", data, error));
  EXPECT_NE(error.find(GetParam().file_in_error), std::string::npos) << error;
  EXPECT_FALSE(LoadLevel("Bad", "map"));
  EXPECT_EQ(last_level_error, error);
  EXPECT_TRUE(LevelSnapshot::Take() == before);
}

const size_t kBadMapSize = 4 + 7 * 6 + 22;

std::function<void()> Replace(const char* path, const Bytes& bytes) {
  return [path, data = bytes.data] { WriteFileBytes(path, data); };
}
std::function<void()> Cut(const char* path, size_t size) {
  return [path, size] { Truncate(path, size); };
}

INSTANTIATE_TEST_SUITE_P(
    LevelFiles, DamagedLevel,
    ::testing::Values(
        Damage{"missing map file", [] { std::filesystem::remove("map/Bad.vnm"); }, "map/Bad.vnm: file is missing"},
        Damage{"missing effects file", [] { std::filesystem::remove("map/Bad.eff"); }, "map/Bad.eff: file is missing"},
        Damage{"map file too short for its size", Cut("map/Bad.vnm", 3), "map/Bad.vnm: file is shorter"},
        Damage{"zero width", Replace("map/Bad.vnm", Bytes().U16(0).U16(2)), "empty dimension"},
        Damage{"zero height", Replace("map/Bad.vnm", Bytes().U16(2).U16(0)), "empty dimension"},
        Damage{"absurd size", Replace("map/Bad.vnm", Bytes().U16(65535).U16(65535)), "larger than any level"},
        Damage{"cut in layer 0", Cut("map/Bad.vnm", 4 + 5), "file ends inside tile layer 0"},
        Damage{"cut in layer 2", Cut("map/Bad.vnm", 4 + 24 + 11), "file ends inside tile layer 2"},
        Damage{"cut in codes", Cut("map/Bad.vnm", 4 + 36 + 5), "file ends inside the code grid"},
        Damage{"cut in character", Cut("map/Bad.vnm", kBadMapSize - 1), "map/Bad.vnm: file ends inside character record 1"},
        Damage{"cut in action", Cut("map/Bad.vnd", 8 + 7), "map/Bad.vnd: file ends inside action record 2"},
        Damage{"action beyond the spare columns", Replace("map/Bad.vnd", Bytes().U8(1).U16(6).U16(0).U16(1).U8(0)), "outside the map"},
        Damage{"action beyond the spare rows", Replace("map/Bad.vnd", Bytes().U8(1).U16(0).U16(5).U16(1).U8(0)), "outside the map"},
        Damage{"action layer 3", Replace("map/Bad.vnd", Bytes().U8(1).U16(0).U16(0).U16(1).U8(3)), "layer 3"},
        Damage{"cut in effect", Cut("map/Bad.eff", 7 + 1), "map/Bad.eff: file ends inside effect record 2"},
        Damage{"effect kind 0", Replace("map/Bad.eff", Bytes().U8(1).U16(0).U16(0).U8(0).U8(0)), "kind 0"},
        Damage{"effect kind 6", Replace("map/Bad.eff", Bytes().U8(1).U16(0).U16(0).U8(0).U8(6)), "kind 6"},
        Damage{"effect beyond the spare rows", Replace("map/Bad.eff", Bytes().U8(1).U16(0).U16(5).U8(0).U8(2)), "outside the map"},
        Damage{"falling tile from layer 200", Replace("map/Bad.eff", Bytes().U8(1).U16(0).U16(0).U8(200).U8(2)), "layer 200"},
        Damage{"column layer 3", Replace("map/Bad.eff", Bytes().U8(1).U16(0).U16(0).U8(3).U8(5)), "layer 3"}),
    [](const ::testing::TestParamInfo<Damage>& param) {
      std::string name = param.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST_F(LevelFiles, ParsedLevelKeepsWhatTheEncodersWrote) {
  LevelBuilder b(3, 2);
  b.Tile(0, 2, 1, 700).Player(1, 2).Action(255, 2, 1, 0x1FA, 200).Effect(7, 0, 1, 250, 5);
  b.Data().characters[0].reserved[6] = 0x5A;
  const auto vnd = EncodeActionsFile(b.Data());
  LevelData out;
  std::string error;
  ASSERT_TRUE(ParseLevelData(EncodeMapFile(b.Data()), &vnd, EncodeEffectsFile(b.Data()), out, error)) << error;
  EXPECT_EQ(out.tiles[0], b.Data().tiles[0]);
  EXPECT_EQ(out.characters.at(0).reserved[6], 0x5A);
  EXPECT_EQ(out.actions.at(0).new_tile, 0x1FA);   // 255 is a valid number, 200 the code layer
  EXPECT_EQ(out.effects.at(0).layer, 250);        // a column may chain an action
}

}  // namespace
}  // namespace vn::test
