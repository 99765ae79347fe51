// Every file the game reads, damaged in every way a disk, an editor or a
// careless copy can damage it: cut short at each byte, a directory in its place,
// unreadable for the player's account, wrong leading bytes. The game refuses the
// file with a message or falls back to its defaults; it never crashes and never
// loses what it had.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "play/key_names.h"
#include "engine/graphics.h"
#include "engine/sound.h"
#include "engine/stream.h"
#include "engine/text.h"
#include "play/bindings.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/save_load.h"
#include "tests/robustness/child_process.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"
#include "world/actions.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

void Cut(const std::string& path, const std::vector<uint8_t>& whole, size_t size) {
  WriteFileBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(size)));
}

// Runs check() as a user who may not read `path` (mode 000), and expects it to pass.
void ExpectWhenUnreadable(const std::string& path, const std::function<bool(std::string&)>& check) {
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  const auto outcome = test::RunInChild([&](auto report) {
    if (!test::DropPrivileges()) {
      report("cannot run as an unprivileged user");
      return test::kChildCannotSetUp;
    }
    std::string why;
    const bool passed = check(why);
    report(why);
    return passed ? test::kChildPassed : test::kChildFailed;
  });
  chmod(path.c_str(), 0644);
  if (outcome.status == test::kChildCannotSetUp) GTEST_SKIP() << outcome.output;
  EXPECT_EQ(outcome.status, test::kChildPassed) << path << ": " << outcome.output << " signal " << outcome.signal;
}

// ------------------------------------------------------------------ level files

// What a refused load must not touch: the running level's map and lists.
struct RunningLevel {
  uint16_t width = 0, height = 0;
  std::vector<uint16_t> tiles;
  std::vector<uint8_t> codes;
  size_t characters = 0, actions = 0, effects = 0;
  int32_t cam_x = 0, cam_shift = 0;

  static RunningLevel Now() {
    return {world.map_width, world.map_height, world.map_tiles, world.map_codes, world.character_list.Count(), world.action_list.Count(),
            world.effect_todo_list.Count(), camera.cam_tile_x, camera.cam_shift_x};
  }
  bool operator==(const RunningLevel&) const = default;
};

class DamagedLevelFiles : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    test::LevelBuilder running(6, 5);
    running.Floor(4).Player(32, 96).Enemy(96, 96).Action(3, 1, 1, 7, 0).Effect(3, 2, 2, 0, 2);
    running.Load("Running");
    camera.cam_tile_x = 1;
    camera.cam_shift_x = -5;
    before_ = RunningLevel::Now();

    // 3 x 2 cells, two characters, two actions, two effects.
    test::LevelBuilder bad(3, 2);
    bad.Player(0, 0).Enemy(64, 0).Action(1, 2, 1, 5, 0).Action(2, 0, 0, 6, 200).Effect(1, 1, 1, 0, 2).Effect(2, 2, 0, 1, 3);
    bad.Write("Bad");
    for (const char* ext : {".vnm", ".vnd", ".eff"}) whole_[ext] = ReadFileBytes(std::string("map/Bad") + ext);
  }

  // Loads map/Bad.*: either it is whole (accepted) or it is refused naming the
  // file, and then the running level is exactly as before.
  void ExpectRefusedOrWhole(bool whole, const std::string& file, const std::string& where) {
    const bool loaded = LoadLevel("Bad", "map");
    EXPECT_EQ(loaded, whole) << where << ": " << world.last_level_error;
    if (loaded) {
      test::LevelBuilder(6, 5).Floor(4).Player(32, 96).Enemy(96, 96).Action(3, 1, 1, 7, 0).Effect(3, 2, 2, 0, 2).Load("Running");
      camera.cam_tile_x = 1;
      camera.cam_shift_x = -5;
      return;
    }
    EXPECT_NE(world.last_level_error.find(file), std::string::npos) << where << ": " << world.last_level_error;
    ASSERT_TRUE(RunningLevel::Now() == before_) << where;
  }

  RunningLevel before_;
  std::map<std::string, std::vector<uint8_t>> whole_;
};

TEST_F(DamagedLevelFiles, CutAtEveryByteIsRefusedUnlessWholeRecordsRemain) {
  const size_t cells = 3 * 2;
  for (size_t size = 0; size < whole_[".vnm"].size(); ++size) {
    Cut("map/Bad.vnm", whole_[".vnm"], size);
    const bool whole_records = size >= 4 + 7 * cells && (size - (4 + 7 * cells)) % 22 == 0;
    ExpectRefusedOrWhole(whole_records, "map/Bad.vnm", "map file cut at " + std::to_string(size));
  }
  WriteFileBytes("map/Bad.vnm", whole_[".vnm"]);

  // Actions are 8 bytes and effects 7 bytes long; an empty file is no records.
  for (const auto& [ext, record] : {std::pair<std::string, size_t>{".vnd", 8}, {".eff", 7}}) {
    for (size_t size = 0; size < whole_[ext].size(); ++size) {
      Cut("map/Bad" + ext, whole_[ext], size);
      ExpectRefusedOrWhole(size % record == 0, "map/Bad" + ext, ext + " cut at " + std::to_string(size));
    }
    WriteFileBytes("map/Bad" + ext, whole_[ext]);
  }
}

TEST_F(DamagedLevelFiles, DirectoryInPlaceOfAFile) {
  for (const char* ext : {".vnm", ".eff"}) {
    const std::string file = std::string("map/Bad") + ext;
    fs::remove(file);
    fs::create_directory(file);
    ExpectRefusedOrWhole(false, file, file + " as a directory");
    fs::remove(file);
    WriteFileBytes(file, whole_[ext]);
  }
  // The actions file is optional: anything but a regular file means no actions.
  fs::remove("map/Bad.vnd");
  fs::create_directory("map/Bad.vnd");
  ASSERT_TRUE(LoadLevel("Bad", "map")) << world.last_level_error;
  EXPECT_EQ(world.action_list.Count(), 0u);
  EXPECT_EQ(world.character_list.Count(), 2u);
}

TEST_F(DamagedLevelFiles, UnreadableFileIsRefusedNamingIt) {
  for (const char* ext : {".vnm", ".vnd", ".eff"}) {
    const std::string file = std::string("map/Bad") + ext;
    ExpectWhenUnreadable(file, [&](std::string& why) {
      const bool refused = !LoadLevel("Bad", "map") && world.last_level_error.find(file) != std::string::npos &&
                           RunningLevel::Now() == before_;
      why = world.last_level_error;
      return refused;
    });
  }
}

// A character record may place a character outside the map, but not so far
// that arithmetic on its position overflows: such a file is damaged.
TEST_F(DamagedLevelFiles, CharactersFarOutsideAnyMapAreRefused) {
  for (const int32_t far : {INT32_MAX - 40, INT32_MIN + 40, kFarthestPosition + 1, -kFarthestPosition - 1}) {
    test::LevelBuilder level(3, 2);
    level.Player(0, 0).Enemy(far, 0);
    level.Write("Bad");
    ExpectRefusedOrWhole(false, "character record 2", "x " + std::to_string(far));
    test::LevelBuilder(3, 2).Player(0, far).Write("Bad");
    ExpectRefusedOrWhole(false, "character record 1", "y " + std::to_string(far));
  }
}

// Characters outside the map within that range play on without upsetting the
// loop or the camera.
TEST_F(DamagedLevelFiles, CharactersOutsideTheMapPlayOn) {
  for (const int32_t far : {kFarthestPosition, -kFarthestPosition, 100000}) {
    SCOPED_TRACE(far);
    test::LevelBuilder level(8, 6);
    level.Floor(5).Player(far, far).Enemy(-far, 64, 100, 1, 5).Enemy(64, far, 100, 2);
    level.Start("Far", 1);
    for (const int key : {39, 37, 32, 160, 162}) EXPECT_TRUE(test::StepFramesWhileHolding(key, 30));
    EXPECT_GE(camera.cam_shift_x, -kTileSize);
    EXPECT_LE(camera.cam_shift_x, 0);
    EXPECT_GE(camera.cam_shift_y, -kTileSize);
    EXPECT_LE(camera.cam_shift_y, 0);
  }
}

// Found by the soak: a player far left of the follow box (after a load or a
// teleport) pushed the shift past a whole tile, and the map was drawn off its
// cells. The view still steps one tile per frame, with the shift in -32..0.
TEST_F(DamagedLevelFiles, PlayerFarLeftOfTheViewKeepsTheShiftWithinATile) {
  test::LevelBuilder(80, 40).Floor(39).Player(1500, 600).Load("Wide");
  struct Case {
    int32_t sx, shift;
  };
  for (const Case& c : {Case{-500, -5}, Case{299, -1}, Case{0, -31}, Case{-10000, 0}}) {
    camera.cam_tile_x = 20;
    camera.cam_shift_x = c.shift;
    FollowCamera(c.sx, screen.screen_height / 2, 0);
    EXPECT_EQ(camera.cam_tile_x, 19) << c.sx;
    EXPECT_GE(camera.cam_shift_x, -kTileSize) << c.sx;
    EXPECT_LE(camera.cam_shift_x, 0) << c.sx;
  }
  // Within one tile the step is unchanged: shift -1 plus 1 px reaches 0 and takes one tile.
  camera.cam_tile_x = 20;
  camera.cam_shift_x = -1;
  FollowCamera(screen.screen_width / 2 - 100 - 1, screen.screen_height / 2, 0);
  EXPECT_EQ(camera.cam_tile_x, 19);
  EXPECT_EQ(camera.cam_shift_x, -32);
}

// ------------------------------------------------------------------ settings and key names

class DamagedSettings : public test::GameTest {
 protected:
  void TearDown() override {
    SetDefaultSettings();
    key_name_table.key_names = {};
    GameTest::TearDown();
  }
};

TEST_F(DamagedSettings, SettingsCutAtEveryByteRaiseTheReadError) {
  SetDefaultSettings();
  ASSERT_TRUE(SaveSettings());
  const auto whole = ReadFileBytes(kSettingsPath);
  ASSERT_EQ(whole.size(), 17u);
  for (size_t size = 0; size < whole.size(); ++size) {
    Cut(kSettingsPath, whole, size);
    EXPECT_THROW(LoadSettings(), TStreamReadException) << "cut at " << size;
  }
}

// Key names are a name line and a code byte each: a file that ends anywhere
// but right after a code byte is short by its code and raises the read error.
TEST_F(DamagedSettings, KeyNamesCutAtEveryByteRaiseTheReadErrorUnlessARecordEnds) {
  const std::vector<uint8_t> whole = {'L', 'e', 'e', 'r', 13, 10, 32, 'L', 'i', 'n', 'k', 's', 10, 37};
  for (size_t size = 0; size <= whole.size(); ++size) {
    Cut(kKeyNamesPath, whole, size);
    if (size == 0 || size == 7 || size == whole.size()) {
      EXPECT_NO_THROW(LoadKeyNames()) << "cut at " << size;
    } else {
      EXPECT_THROW(LoadKeyNames(), TStreamReadException) << "cut at " << size;
    }
  }
  EXPECT_EQ(key_name_table.key_names[32], "Leer");
  EXPECT_EQ(key_name_table.key_names[37], "Links");
}

TEST_F(DamagedSettings, DirectoryInPlaceOfTheSettingsGivesDefaultsAndIsNotReplaced) {
  fs::create_directory(kSettingsPath);
  bindings.key_jump = 99;
  LoadSettings();
  EXPECT_EQ(bindings.key_jump, 32);
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(GetFileKind(kSettingsPath), 2);
  EXPECT_FALSE(fs::exists(std::string(kSettingsPath) + ".tmp"));
}

TEST_F(DamagedSettings, KeyNamesThatCannotBeReadLeaveTheNamesEmpty) {
  fs::create_directory(kKeyNamesPath);
  key_name_table.key_names[32] = "old";
  LoadKeyNames();
  EXPECT_EQ(key_name_table.key_names[32], "");

  fs::remove(kKeyNamesPath);
  WriteFileBytes(kKeyNamesPath, {});
  LoadKeyNames();
  EXPECT_EQ(key_name_table.key_names[32], "");

  WriteFileBytes(kKeyNamesPath, {'L', 'e', 'e', 'r', 13, 10, 32});
  ExpectWhenUnreadable(kKeyNamesPath, [](std::string& why) {
    key_name_table.key_names[32] = "old";
    LoadKeyNames();
    why = key_name_table.key_names[32];
    return key_name_table.key_names[32].empty();
  });
}

// A settings file the player's account cannot read is played with the
// defaults, like a missing one, but it still holds the player's keys: the
// defaults are not written over it at the end.
TEST_F(DamagedSettings, UnreadableSettingsGiveTheDefaultsAndAreNotOverwritten) {
  const std::vector<uint8_t> players = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0x80, 0x3F, 0x20, 0x03, 0x58, 0x02};
  WriteFileBytes(kSettingsPath, players);
  // The directory itself stays writable, so only the settings code can keep the file.
  chmod("data", 0777);
  ExpectWhenUnreadable(kSettingsPath, [](std::string& why) {
    bindings.key_jump = 99;
    LoadSettings();
    const bool saved = SaveSettings();
    why = "key_jump " + std::to_string(bindings.key_jump) + (saved ? ", saved over the file" : "");
    return bindings.key_jump == 32 && !saved;
  });
  chmod("data", 0755);
  EXPECT_EQ(ReadFileBytes(kSettingsPath), players);

  // Once the file can be read again, saving works as before.
  LoadSettings();
  EXPECT_EQ(bindings.key_jump, 6);
  bindings.key_jump = 40;
  EXPECT_TRUE(SaveSettings());
}

// ------------------------------------------------------------------ save game

class DamagedSave : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    test::LevelBuilder level(10, 6);
    level.Floor(5).Player(64, 96).Enemy(200, 96);
    level.Start("Test", 1);
  }
};

TEST_F(DamagedSave, UnreadableSaveIsReportedAndChangesNothing) {
  ASSERT_TRUE(SaveGame(1));
  SetTile(2, 2, 1, 77);
  ExpectWhenUnreadable(kSaveGamePath, [](std::string& why) {
    ClearNotice();
    const uint8_t level = LoadGame();
    why = CurrentNotice() + " / " + run.last_save_error;
    return level == 0 && GetTile(2, 2, 1) == 77 && CurrentNotice() == "Spielstand ist beschädigt und wurde nicht geladen";
  });
}

// A save whose camera or characters lie where no map reaches is damaged; one
// at the edge of that range still loads and plays.
TEST_F(DamagedSave, CameraAndPositionsFarOutsideAnyMap) {
  ASSERT_TRUE(SaveGame(1));
  const auto good = ReadFileBytes(kSaveGamePath);
  // "Test\r\n", the change-list end 255, the auto-switch end 65535, then the characters.
  const size_t characters = 6 + 1 + 2, trailer = characters + 2 * 49 + 4;
  const auto with = [&](size_t at, int32_t v) {
    auto bytes = good;
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
    return bytes;
  };
  const int32_t far_tile = kFarthestPosition / kTileSize;
  struct Case {
    size_t at;
    int32_t value;
    bool loads;
  };
  for (const Case& c : {Case{characters, INT32_MAX - 10, false}, Case{characters + 4, INT32_MIN + 10, false},
                        Case{characters + 49, kFarthestPosition + 1, false}, Case{trailer, INT32_MAX, false},
                        Case{trailer + 4, INT32_MIN, false}, Case{trailer, far_tile + 1, false},
                        Case{characters, kFarthestPosition, true}, Case{characters + 53, -kFarthestPosition, true},
                        Case{trailer + 4, -far_tile, true}}) {
    SCOPED_TRACE(std::to_string(c.at) + ": " + std::to_string(c.value));
    WriteFileBytes(kSaveGamePath, with(c.at, c.value));
    SetTile(2, 2, 1, 77);
    ClearNotice();
    EXPECT_EQ(LoadGame(), c.loads ? 1 : 0) << run.last_save_error;
    if (!c.loads) {
      EXPECT_EQ(GetTile(2, 2, 1), 77) << "a refused save changes nothing";
      EXPECT_EQ(CurrentNotice(), "Spielstand ist beschädigt und wurde nicht geladen");
    }
    for (const int key : {39, 37, 32, 160, 162}) EXPECT_TRUE(test::StepFramesWhileHolding(key, 10));
    EXPECT_GE(camera.cam_shift_x, -kTileSize);
    EXPECT_LE(camera.cam_shift_x, 0);
  }
}

// ------------------------------------------------------------------ pictures, sounds, the font

std::vector<uint8_t> SmallBmp() {
  // 3 x 2 pixels, 24 bits, bottom-up rows padded to 4 bytes.
  std::vector<uint8_t> b = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0,
                            1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 24; ++i) b.push_back(uint8_t(i * 10));
  return b;
}

std::vector<uint8_t> SmallPng() {
  const PixmapRef pixmap = test::PaintedPixmap(5, 4, PF_RGBA8888, [](int x, int y) {
    return test::Rgba{(y * 5 + x) * 12, 40, 90, 255};
  });
  EXPECT_EQ(WritePixmapPNG(*pixmap, "small.png", 5), 1);
  return ReadFileBytes("small.png");
}

std::vector<uint8_t> SmallWav() {
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                            1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 8, 0, 0, 0};
  for (int i = 0; i < 8; ++i) w.push_back(uint8_t(i * 30));
  return w;
}

class DamagedMedia : public test::GameTest {};

bool SameDimensions(const PixmapRef& a, const PixmapRef& b) {
  return a && b && a->width == b->width && a->height == b->height;
}

TEST_F(DamagedMedia, PicturesAndSoundsCutAtEveryByteAreRefusedOrComplete) {
  struct Kind {
    const char* file;
    std::vector<uint8_t> bytes;
  };
  for (const Kind& kind : {Kind{"gfx/p.bmp", SmallBmp()}, Kind{"gfx/p.png", SmallPng()}}) {
    WriteFileBytes(kind.file, kind.bytes);
    const PixmapRef good = LoadPixmap(kind.file);
    ASSERT_TRUE(good) << kind.file;
    for (size_t size = 0; size < kind.bytes.size(); ++size) {
      Cut(kind.file, kind.bytes, size);
      const PixmapRef cut = LoadPixmap(kind.file);
      // A cut in a picture's trailing chunk may still leave the whole picture.
      EXPECT_TRUE(!cut || (SameDimensions(cut, good) && cut->pixels == good->pixels)) << kind.file << " cut at " << size;
    }
  }
  const auto wav = SmallWav();
  {
    StreamRef whole = OpenMemoryStream(wav);
    ASSERT_TRUE(DecodeWAV(*whole));
  }
  for (size_t size = 0; size < wav.size(); ++size) {
    StreamRef cut = OpenMemoryStream(std::vector<uint8_t>(wav.begin(), wav.begin() + std::ptrdiff_t(size)));
    const auto sample = DecodeWAV(*cut);
    // The data chunk's size may claim more than is left: only whole frames play.
    EXPECT_TRUE(!sample || size_t(sample->length) * 2 <= size - 44) << "wav cut at " << size;
  }
}

TEST_F(DamagedMedia, PicturesSoundsAndFontsWithWrongMagicOrAsDirectoriesAreRefused) {
  auto bmp = SmallBmp();
  bmp[0] = 'X';
  auto png = SmallPng();
  png[1] = 'Q';
  auto wav = SmallWav();
  wav[8] = 'X';
  WriteFileBytes("gfx/bad.bmp", bmp);
  WriteFileBytes("gfx/bad.png", png);
  WriteFileBytes("sfx/bad.wav", wav);
  WriteFileBytes("gfx/bad.ttf", std::vector<uint8_t>(64, 0xAB));
  EXPECT_FALSE(LoadPixmap("gfx/bad.bmp"));
  EXPECT_FALSE(LoadPixmap("gfx/bad.png"));
  EXPECT_FALSE(LoadSound("sfx/bad.wav", 0));
  EXPECT_FALSE(LoadFontFile("gfx/bad.ttf", 12, 4));

  for (const char* dir : {"gfx/dir.bmp", "gfx/dir.png", "sfx/dir.wav", "gfx/dir.ttf"}) fs::create_directory(dir);
  EXPECT_FALSE(LoadPixmap("gfx/dir.bmp"));
  EXPECT_FALSE(LoadImageFile("gfx/dir.png", -1));
  EXPECT_FALSE(LoadSound("sfx/dir.wav", 0));
  EXPECT_FALSE(LoadFontFile("gfx/dir.ttf", 12, 4));
}

TEST_F(DamagedMedia, UnreadablePicturesSoundsAndFontsAreRefused) {
  WriteFileBytes("gfx/p.bmp", SmallBmp());
  WriteFileBytes("gfx/p.png", SmallPng());
  WriteFileBytes("sfx/s.wav", SmallWav());
  ASSERT_TRUE(LoadPixmap("gfx/p.bmp"));
  ASSERT_TRUE(LoadPixmap("gfx/p.png"));
  ExpectWhenUnreadable("gfx/p.bmp", [](std::string&) { return !LoadPixmap("gfx/p.bmp"); });
  ExpectWhenUnreadable("gfx/p.png", [](std::string&) { return !LoadImageFile("gfx/p.png", -1); });
  ExpectWhenUnreadable("sfx/s.wav", [](std::string&) { return !LoadSound("sfx/s.wav", 0); });
}

// The game font cut anywhere: refused, or a font whose glyphs can be measured.
TEST_F(DamagedMedia, FontCutShortIsRefusedOrStillMeasures) {
  const char* data = std::getenv("VN_GAME_DATA");
  std::vector<uint8_t> font;
  if (data) font = ReadFileBytes(std::string(data) + "/gfx/comicbd.ttf");
  if (font.empty()) GTEST_SKIP() << "no built game font (VN_GAME_DATA)";
  WriteFileBytes("gfx/font.ttf", font);
  ExpectWhenUnreadable("gfx/font.ttf", [](std::string&) { return !LoadFontFile("gfx/font.ttf", 12, 4); });

  // Every byte of the table directory, then a stride through the tables.
  for (size_t size = 0; size < font.size(); size += size < 512 ? 1 : 61) {
    Cut("gfx/font.ttf", font, size);
    const FontRef cut = LoadFontFile("gfx/font.ttf", 12, 4);
    if (!cut) continue;
    SetCurrentFont(cut);
    EXPECT_GE(MeasureTextWidth("Grüße, Vornadel!"), 0) << "cut at " << size;
    SetCurrentFont(nullptr);
  }
}

}  // namespace
}  // namespace vn
