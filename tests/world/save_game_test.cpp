#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/stream.h"
#include "play/entities.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/save_load.h"
#include "play/tables.h"
#include "tests/support/harness.h"
#include "tests/world/world_test_support.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn::test {
namespace {

const char* const kDamaged = "Spielstand ist beschädigt und wurde nicht geladen";

std::shared_ptr<Tplayer> Character(int32_t x, int32_t y, uint8_t typ) {
  auto ch = std::make_shared<Tplayer>();
  ch->x = x;
  ch->y = y;
  ch->typ = typ;
  ch->jump = 1;
  ch->tempy = -2.5f;
  ch->speed = 3.25f;
  ch->gun = 2;
  ch->power = 255;
  ch->mode = 13;
  ch->frame = 7;
  ch->gunangle = 270;
  ch->anim = -1;
  ch->gun_active = 1;
  ch->source_x = 96;
  ch->breath = 42;
  ch->action_radius = 128;
  ch->dest_x = 200;
  ch->speed_max = 4;
  ch->item = 231;
  // Not part of a save: these come back as 0.
  ch->shot_timer = 999;
  ch->breath_timer = 77;
  ch->on_sight = 1;
  ch->on_sight_timer = 5;
  return ch;
}

void ExpectSavedFieldsEqual(const Tplayer& a, const Tplayer& b) {
  EXPECT_EQ(std::tuple(a.x, a.y, a.typ, a.jump, a.tempy, a.speed, a.gun, a.power, a.mode, a.frame),
            std::tuple(b.x, b.y, b.typ, b.jump, b.tempy, b.speed, b.gun, b.power, b.mode, b.frame));
  EXPECT_EQ(std::tuple(a.gunangle, a.anim, a.gun_active, a.source_x, a.breath, a.action_radius, a.dest_x,
                       a.speed_max, a.item),
            std::tuple(b.gunangle, b.anim, b.gun_active, b.source_x, b.breath, b.action_radius, b.dest_x,
                       b.speed_max, b.item));
}

class SaveGameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    tables.level_names[1] = "Test";
    run.level_index = 1;
  }
  void TearDown() override {
    SetAtomicWriteInterruptForTest(false);
    progress.save_reserved_float = 0;
    GameTest::TearDown();
  }

  // A level run with every kind of record: actions fired, an item taken, an
  // automatic cell used, characters, camera, vehicle and inventory.
  void PlaySomeOfALevel() {
    LevelBuilder b(8, 6);
    b.Floor(5).Code(3, 4, 205).Tile(1, 2, 4, 231).Action(4, 6, 2, 670, 0).Action(4, 6, 3, 0x1FA, 200);
    b.Player(64, 128).Enemy(192, 128, 30, 1, 64, 232, 2);
    b.Load("Test");
    TriggerAction(4);
    SetTile(2, 4, 1, 0);
    RecordMapChange(2, 4, 1, 0);
    SetCode(3, 4, 0);
    progress.autoswitch_list.AddLast(std::make_shared<Tautoswitch_done>(Tautoswitch_done{3, 4}));
    world.character_list.Clear();
    world.character_list.AddLast(Character(70, 130, 0));
    world.character_list.AddLast(Character(-1, 0, 2));   // x -1 collides with the list's end mark
    world.character_list.AddLast(Character(300, 12, 5));
    camera.cam_tile_x = 2;
    camera.cam_tile_y = 1;
    camera.cam_shift_x = -9;
    push_vehicle.in_vehicle = 1;
    push_vehicle.vehicle_tile = 651;
    push_vehicle.vehicle_angle = -7;
    progress.save_reserved_float = 1.5f;
    progress.inventory[0] = {1, 300};
    progress.inventory[29] = {1, 2};
  }

  std::vector<uint8_t> SavedBytes() { return ReadFileBytes(kSaveGamePath); }
};

TEST_F(SaveGameTest, SaveRightAfterEnteringALevelHoldsExactlyTheBlocks) {
  LevelBuilder(3, 3).Load("Test");
  auto ch = Character(100, -50, 0);
  ch->power = 300;   // only the low 8 bits are stored
  world.character_list.AddLast(ch);
  camera.cam_tile_x = 2;
  camera.cam_tile_y = -1;
  push_vehicle.in_vehicle = 1;
  push_vehicle.vehicle_tile = 651;
  push_vehicle.vehicle_angle = -7;
  progress.inventory[0] = {1, 300};
  progress.inventory[29] = {1, 2};
  ASSERT_TRUE(SaveGame(1));
  EXPECT_EQ(CurrentNotice(), "Gespeichert");

  Bytes expected;
  expected.Text("Test").U8(13).U8(10).U8(255).U16(65535);
  expected.I32(100).I32(-50).U8(0).U8(1).F32(-2.5f).F32(3.25f).U8(2).U8(44).U8(13).I32(7).U16(270).I32(-1);
  expected.U8(1).I32(96).U8(42).U16(128).I32(200).F32(4).U16(231);
  expected.I32(-1);
  expected.I32(2).I32(-1).U8(1).F32(0).U8(1).U16(651).I32(-7);
  for (int slot = 0; slot < kInventorySlots; ++slot) {
    expected.U16(slot == 0 || slot == 29 ? 1 : 0);
    expected.U16(slot == 0 ? 300 : slot == 29 ? 2 : 0);
  }
  const auto bytes = SavedBytes();
  EXPECT_EQ(bytes.size(), (4u + 2) + 1 + 2 + 49 + 4 + 20 + 120);
  EXPECT_EQ(bytes, expected.data);
}

TEST_F(SaveGameTest, SizeGrowsByTheRecordSizes) {
  PlaySomeOfALevel();
  ASSERT_TRUE(SaveGame(1));
  EXPECT_EQ(SavedBytes().size(), (4u + 2) + 7 * 3 + 1 + 4 * 1 + 2 + 49 * 3 + 4 + 20 + 120);
}

TEST_F(SaveGameTest, LoadingReproducesTheRun) {
  PlaySomeOfALevel();
  ASSERT_TRUE(SaveGame(1));
  const auto tiles = world.map_tiles;
  const auto codes = world.map_codes;
  const auto saved = world.character_list.Snapshot();
  const auto inventory_saved = progress.inventory;

  // Play on and change everything, then load.
  SetTile(0, 0, 0, 9);
  RecordMapChange(0, 0, 0, 9);
  world.character_list.Clear();
  ClearInventory();
  camera.cam_tile_x = camera.cam_tile_y = 0;
  push_vehicle.in_vehicle = 0;
  push_vehicle.vehicle_tile = 0;
  push_vehicle.vehicle_angle = 0;
  progress.save_reserved_float = 0;
  run.level_index = 3;

  ASSERT_EQ(LoadGame(), 1) << run.last_save_error;
  EXPECT_EQ(world.map_tiles, tiles);
  EXPECT_EQ(world.map_codes, codes);
  EXPECT_EQ(GetTile(6, 2, 0), 670);
  EXPECT_EQ(GetCode(6, 3), 250);
  EXPECT_EQ(GetCode(3, 4), 0);   // the automatic cell cannot fire again
  EXPECT_EQ(progress.change_list.Count(), 3u);
  EXPECT_EQ(progress.change_list.First()->tile_new, 670);
  ASSERT_EQ(progress.autoswitch_list.Count(), 1u);
  EXPECT_EQ(progress.autoswitch_list.First()->x, 3);
  EXPECT_EQ(world.action_list.Count(), 2u);

  const auto loaded = world.character_list.Snapshot();
  ASSERT_EQ(loaded.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    Tplayer expected = *saved[i];
    if (expected.x == -1) expected.x = 0;   // saved one pixel over, the list goes on
    ExpectSavedFieldsEqual(*loaded[i], expected);
    EXPECT_EQ(loaded[i]->power, 255);
    EXPECT_EQ(loaded[i]->shot_timer, 0);
    EXPECT_EQ(loaded[i]->breath_timer, 0);
    EXPECT_EQ(loaded[i]->on_sight, 0);
    EXPECT_EQ(loaded[i]->on_sight_timer, 0);
  }
  EXPECT_EQ(camera.cam_tile_x, 2);
  EXPECT_EQ(camera.cam_tile_y, 1);
  EXPECT_EQ(camera.cam_shift_x, 0);
  EXPECT_EQ(push_vehicle.in_vehicle, 1);
  EXPECT_EQ(push_vehicle.vehicle_tile, 651);
  EXPECT_EQ(push_vehicle.vehicle_angle, -7);
  EXPECT_FLOAT_EQ(progress.save_reserved_float, 1.5f);
  EXPECT_EQ(progress.inventory, inventory_saved);
  EXPECT_TRUE(run.last_save_error.empty());

  // Saving again writes the replayed records again: the same file.
  const auto first = SavedBytes();
  ASSERT_TRUE(SaveGame(1));
  EXPECT_EQ(SavedBytes(), first);
}

// A character shot dead in the previous frame is removed only at its own step,
// which may come after the player's save in the same frame.
TEST_F(SaveGameTest, CharacterKilledButNotYetRemovedStaysDeadAfterLoading) {
  LevelBuilder(3, 3).Load("Test");
  world.character_list.AddLast(Character(32, 32, 0));
  for (const int32_t power : {-5, -256, 0}) {
    auto enemy = Character(64, 32, 1);
    enemy->power = power;
    world.character_list.AddLast(enemy);
  }
  ASSERT_TRUE(SaveGame(1));
  ASSERT_EQ(LoadGame(), 1) << run.last_save_error;

  const auto loaded = world.character_list.Snapshot();
  ASSERT_EQ(loaded.size(), 4u);
  EXPECT_EQ(loaded[0]->power, 255);
  for (size_t i = 1; i < loaded.size(); ++i) EXPECT_EQ(loaded[i]->power, 0) << "enemy " << i;
}

TEST_F(SaveGameTest, NoSaveGameChangesNothing) {
  PlaySomeOfALevel();
  const auto before = LevelSnapshot::Take();
  EXPECT_EQ(LoadGame(), 0);
  EXPECT_TRUE(LevelSnapshot::Take() == before);
  EXPECT_EQ(CurrentNotice(), "");
}

TEST_F(SaveGameTest, TruncatedSaveIsRefusedAtEveryLength) {
  PlaySomeOfALevel();
  ASSERT_TRUE(SaveGame(1));
  const auto good = SavedBytes();
  SetTile(1, 1, 2, 123);
  const auto before = LevelSnapshot::Take();
  for (size_t size = 0; size < good.size(); ++size) {
    WriteFileBytes(kSaveGamePath, std::vector<uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)));
    ClearNotice();
    ASSERT_EQ(LoadGame(), 0) << "cut at " << size;
    EXPECT_FALSE(run.last_save_error.empty());
    EXPECT_EQ(CurrentNotice(), kDamaged);
    ASSERT_TRUE(LevelSnapshot::Take() == before) << "cut at " << size;
  }
}

// Damage done to a good save, found before anything is applied.
struct Corruption {
  const char* what;
  std::function<void(std::vector<uint8_t>&)> apply;
  const char* error;
};

class CorruptSave : public SaveGameTest, public ::testing::WithParamInterface<Corruption> {};

// The good save: "Test\r\n" (6 bytes), three change records from offset 6, the
// end byte at 27, one auto-switch record at 28, its end at 32, characters at 34,
// their end mark at 181.
TEST_P(CorruptSave, IsRefusedAndChangesNothing) {
  PlaySomeOfALevel();
  ASSERT_TRUE(SaveGame(1));
  auto bytes = SavedBytes();
  GetParam().apply(bytes);
  WriteFileBytes(kSaveGamePath, bytes);
  const auto before = LevelSnapshot::Take();
  EXPECT_EQ(LoadGame(), 0);
  EXPECT_NE(run.last_save_error.find(GetParam().error), std::string::npos) << run.last_save_error;
  EXPECT_EQ(CurrentNotice(), kDamaged);
  EXPECT_TRUE(LevelSnapshot::Take() == before);
}

const size_t kTrailerLevelByte = 6 + 21 + 1 + 4 + 2 + 3 * 49 + 4 + 8;

INSTANTIATE_TEST_SUITE_P(
    SaveGameTest, CorruptSave,
    ::testing::Values(
        Corruption{"layer 3", [](auto& b) { b[6] = 3; }, "layer 3"},
        Corruption{"layer 201", [](auto& b) { b[13] = 201; }, "layer 201"},
        Corruption{"change outside", [](auto& b) { b[7] = 11; }, "outside the map"},
        Corruption{"change row outside", [](auto& b) { b[9] = 9; }, "outside the map"},
        Corruption{"auto-switch outside", [](auto& b) { b[29] = 0x10; }, "auto-switch record 1"},
        Corruption{"level byte 0", [](auto& b) { b[kTrailerLevelByte] = 0; }, "level number 0"},
        Corruption{"level byte 10", [](auto& b) { b[kTrailerLevelByte] = 10; }, "level number 10"},
        Corruption{"trailing byte", [](auto& b) { b.push_back(0); }, "1 unexpected bytes"},
        Corruption{"missing level", [](auto& b) { b[0] = 'N'; }, "map/Nest.vnm: file is missing"},
        Corruption{"path in the name", [](auto& b) { b[1] = '/'; }, "not a plain file name"},
        Corruption{"empty name", [](auto& b) { b.erase(b.begin(), b.begin() + 4); }, "not a plain file name"},
        Corruption{"character end mark lost", [](auto& b) { b[181] = 5; }, "file ends inside the character records"}),
    [](const ::testing::TestParamInfo<Corruption>& param) { return "case" + std::to_string(param.index); });

TEST_F(SaveGameTest, DamagedLevelFilesRefuseTheSave) {
  PlaySomeOfALevel();
  ASSERT_TRUE(SaveGame(1));
  std::filesystem::remove("map/Test.eff");
  const auto before = LevelSnapshot::Take();
  EXPECT_EQ(LoadGame(), 0);
  EXPECT_NE(run.last_save_error.find("map/Test.eff"), std::string::npos) << run.last_save_error;
  EXPECT_TRUE(LevelSnapshot::Take() == before);
}

TEST_F(SaveGameTest, DirectoryInPlaceOfTheSaveIsADamagedSave) {
  PlaySomeOfALevel();
  std::filesystem::create_directory(kSaveGamePath);
  const auto before = LevelSnapshot::Take();
  EXPECT_EQ(LoadGame(), 0);
  EXPECT_EQ(CurrentNotice(), kDamaged);
  EXPECT_TRUE(LevelSnapshot::Take() == before);
}

TEST_F(SaveGameTest, FailedSaveKeepsThePreviousOne) {
  PlaySomeOfALevel();
  ASSERT_TRUE(SaveGame(1));
  const auto good = SavedBytes();
  progress.inventory[5] = {1, 9};
  world.character_list.Clear();

  SetAtomicWriteInterruptForTest(true);
  EXPECT_FALSE(SaveGame(1));
  SetAtomicWriteInterruptForTest(false);
  EXPECT_EQ(CurrentNotice(), "Speichern fehlgeschlagen");
  EXPECT_EQ(SavedBytes(), good);

  std::filesystem::remove_all("data");
  EXPECT_FALSE(SaveGame(1));
  EXPECT_EQ(CurrentNotice(), "Speichern fehlgeschlagen");
}

}  // namespace
}  // namespace vn::test
