// The settings file, the key-name file and the key poll.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "app/command_line.h"
#include "app/options_file.h"
#include "app/resources.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/title_menu.h"
#include "play/key_names.h"
#include "engine/input.h"
#include "engine/stream.h"
#include "play/bindings.h"
#include "tests/support/harness.h"
#include "world/map.h"

namespace vn {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

// right 39, left 37, up 38, down 40, action 162, jump 32, inventory 73, weapon 160,
// look 76, volume 1.0f, 800 x 600.
const std::vector<uint8_t> kShippedSettings = {39, 37, 38, 40, 162, 32, 73, 160, 76,
                                               0x00, 0x00, 0x80, 0x3F, 0x20, 0x03, 0x58, 0x02};

std::vector<uint8_t> SettingsWithWindow(int width, int height) {
  std::vector<uint8_t> bytes = kShippedSettings;
  bytes[13] = uint8_t(width & 0xFF);
  bytes[14] = uint8_t(width >> 8);
  bytes[15] = uint8_t(height & 0xFF);
  bytes[16] = uint8_t(height >> 8);
  return bytes;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetGameState();
    bindings.key_right = bindings.key_left = bindings.key_up = bindings.key_down = bindings.key_action = bindings.key_jump = 0;
    bindings.key_inventory = bindings.key_draw_weapon = bindings.key_look = 0;
    bindings.sound_volume = 0.25f;
    screen.screen_width = screen.screen_height = 0;
  }
  void TearDown() override {
    SetAtomicWriteInterruptForTest(false);
    test::ResetGameState();   // the shared window size and bindings again
  }
  // The bindings, volume and window size of the shipped record.
  static void ExpectShippedValues() {
    EXPECT_EQ((std::array{bindings.key_right, bindings.key_left, bindings.key_up, bindings.key_down, bindings.key_action,
                          bindings.key_jump, bindings.key_inventory, bindings.key_draw_weapon, bindings.key_look}),
              (std::array<uint8_t, 9>{39, 37, 38, 40, 162, 32, 73, 160, 76}));
    EXPECT_FLOAT_EQ(bindings.sound_volume, 1.0f);
    EXPECT_EQ(screen.screen_width, 800);
    EXPECT_EQ(screen.screen_height, 600);
  }
  test::TempGameDir dir_;
};

TEST_F(SettingsTest, ReadsTheRecordAndWritesTheSameBytesBack) {
  WriteFileBytes(kSettingsPath, kShippedSettings);
  LoadSettings();
  ExpectShippedValues();

  // Bytes after the record are ignored and gone after the next write.
  std::vector<uint8_t> longer = kShippedSettings;
  longer.insert(longer.end(), {1, 2, 3});
  WriteFileBytes(kSettingsPath, longer);
  LoadSettings();
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(ReadFileBytes(kSettingsPath), kShippedSettings);
}

TEST_F(SettingsTest, ShortFileRaisesTheStreamReadError) {
  for (size_t length : {size_t(0), size_t(5), size_t(9), size_t(16)}) {
    WriteFileBytes(kSettingsPath, std::vector<uint8_t>(kShippedSettings.begin(), kShippedSettings.begin() + long(length)));
    try {
      LoadSettings();
      ADD_FAILURE() << "no error for a file of " << length << " bytes";
    } catch (const TStreamReadException& error) {
      EXPECT_STREQ(error.what(), "Error reading from stream");
    }
  }
}

TEST_F(SettingsTest, MissingFileGivesTheShippedDefaultsAndIsWrittenOnSave) {
  LoadSettings();
  ExpectShippedValues();
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(ReadFileBytes(kSettingsPath), kShippedSettings);
}

TEST_F(SettingsTest, WindowSizesAndVolumesThatMakeNoSenseFallBack) {
  struct Case { int width, height, expect_width, expect_height; };
  for (const Case& c : {Case{0, 0, 800, 600}, Case{0, 600, 800, 600}, Case{319, 600, 800, 600},
                        Case{800, 239, 800, 600}, Case{7681, 600, 800, 600}, Case{1024, 4321, 800, 600},
                        Case{320, 240, 320, 240}, Case{7680, 4320, 7680, 4320}, Case{1024, 768, 1024, 768}}) {
    WriteFileBytes(kSettingsPath, SettingsWithWindow(c.width, c.height));
    LoadSettings();
    EXPECT_EQ(screen.screen_width, c.expect_width) << c.width << " x " << c.height;
    EXPECT_EQ(screen.screen_height, c.expect_height) << c.width << " x " << c.height;
  }
  // A NaN volume would turn every sound into noise; every other value, the
  // infinities included, is the sound service's to clamp.
  constexpr float kInf = std::numeric_limits<float>::infinity();
  for (auto [bits, expected] : {std::pair{0x7FC00000u, 1.0f}, std::pair{0x3F000000u, 0.5f},
                                std::pair{0x7F800000u, kInf}, std::pair{0xFF800000u, -kInf}}) {
    std::vector<uint8_t> bytes = kShippedSettings;
    std::memcpy(&bytes[9], &bits, 4);
    WriteFileBytes(kSettingsPath, bytes);
    LoadSettings();
    EXPECT_FLOAT_EQ(bindings.sound_volume, expected);
  }
}

TEST_F(SettingsTest, InterruptedSaveKeepsThePreviousFile) {
  std::vector<uint8_t> before = SettingsWithWindow(1024, 768);
  WriteFileBytes(kSettingsPath, before);
  SetDefaultSettings();
  bindings.key_jump = 65;
  SetAtomicWriteInterruptForTest(true);
  SaveSettings();
  EXPECT_EQ(ReadFileBytes(kSettingsPath), before);
}

TEST_F(SettingsTest, ShortSettingsFileEndsTheRunWithStatusMinusOne) {
  WriteFileBytes(kSettingsPath, {39, 37, 38});
  testing::internal::CaptureStderr();
  int status = RunGame();
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, -1);
  EXPECT_EQ(printed, "Error reading from stream\n");
}

TEST_F(SettingsTest, OptionsKeepUnknownLinesAndDamageFallsBackToTheDefaultsWithOneLine) {
  TOptions read;
  ASSERT_TRUE(ParseOptions("# mine\r\nfullscreen=1\nlater_option=abc\n\ngamepad=0\n", read));
  EXPECT_TRUE(read.fullscreen);
  EXPECT_FALSE(read.integer_scaling);
  EXPECT_FALSE(read.gamepad);
  read.fullscreen = false;
  EXPECT_EQ(FormatOptions(read), "# mine\nfullscreen=0\nlater_option=abc\n\ngamepad=0\ninteger_scaling=0\n");

  for (const std::string& damaged : {std::string("fullscreen=yes\n"), std::string("just words\n"),
                                    std::string("=1\n"), std::string("gamepad=1\0\n", 11),
                                    std::string(65500, '#'), std::string(70000, '#')}) {
    std::ofstream(kOptionsPath, std::ios::binary) << damaged;
    testing::internal::CaptureStderr();
    LoadOptions();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_FALSE(options.fullscreen);
    EXPECT_TRUE(options.gamepad);
  }
  // A damaged file is written anew and kept beside it as it was (where it
  // cannot be kept, it stays); the settings file is no part of this.
  std::filesystem::create_directory(kDamagedOptionsPath);
  EXPECT_FALSE(SaveOptions());
  EXPECT_EQ(ReadFileBytes(kOptionsPath).size(), 70000u);
  std::filesystem::remove(kDamagedOptionsPath);
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(ReadFileBytes(kOptionsPath).size(), std::string("fullscreen=0\ninteger_scaling=0\ngamepad=1\n").size());
  EXPECT_EQ(ReadFileBytes(kDamagedOptionsPath), std::vector<uint8_t>(70000, '#'));
  EXPECT_FALSE(std::filesystem::exists(kSettingsPath));
  // A sound file on the next start leaves the kept one alone.
  LoadOptions();
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(ReadFileBytes(kDamagedOptionsPath).size(), 70000u);
}

TEST_F(SettingsTest, BadCommandLinesExitWithStatusTwoAndWriteNothing) {
  const TCommandLine good = ParseCommandLine({"--windowed", "--level", "Jungle"});
  EXPECT_EQ(good.fullscreen, 0);
  EXPECT_EQ(good.level, 2);
  EXPECT_EQ(ParseCommandLine({"--level=Tutorial", "--fullscreen"}).level, 0);
  EXPECT_FALSE(good.watch);
  EXPECT_TRUE(ParseCommandLine({"--level", "Jungle", "--watch"}).watch);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"--level"}, {"--level", "Nowhere"}, {"--fullscreen", "level1"}}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunGame(args), 2) << args[0];
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.rfind("vornadel: ", 0), 0u) << printed;
    EXPECT_NE(printed.find("Usage: vornadel"), std::string::npos);
  }
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunGame({"--help"}), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("--level NAME"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty("data"));
}

// ---------------------------------------------------------------------------------------

class KeyNamesTest : public SettingsTest {};

TEST_F(KeyNamesTest, ReadsRecordsDroppingCarriageReturnsAndConvertingLatin1) {
  std::vector<uint8_t> bytes;
  auto record = [&](const std::string& name, uint8_t code) {
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back(code);
  };
  record("Leertaste\r\n", 32);
  record("Pfeil rechts\n", 39);
  record("Zur\xFC" "ck\n", 8);      // Latin-1 u-umlaut
  record("Space\n", 32);            // a later record for the same code wins
  record("Nullbyte", 0);            // a 0 byte also ends a line ...
  bytes.push_back(65);              // ... so this is the code byte of that record
  WriteFileBytes(kKeyNamesPath, bytes);
  key_name_table.key_names[100] = "stale";

  LoadKeyNames();
  EXPECT_EQ(key_name_table.key_names[32], "Space");
  EXPECT_EQ(key_name_table.key_names[39], "Pfeil rechts");
  EXPECT_EQ(key_name_table.key_names[8], "Zur\xC3\xBC" "ck");
  EXPECT_EQ(key_name_table.key_names[65], "Nullbyte");
  EXPECT_EQ(key_name_table.key_names[100], "");
}

TEST_F(KeyNamesTest, LineFeedAfterTheLastCodeRaisesTheReadErrorAndAMissingFileDoesNot) {
  key_name_table.key_names[32] = "stale";
  LoadKeyNames();
  EXPECT_EQ(key_name_table.key_names[32], "");
  WriteFileBytes(kKeyNamesPath, {'A', '\n', 65, '\n'});
  EXPECT_THROW(LoadKeyNames(), TStreamReadException);
}

// ---------------------------------------------------------------------------------------

TEST(PollKeyHit, ReturnsTheLowestCodeFirstAndKeepsTheHigherOnes) {
  ResetInputForTest();
  test::TapKey(65);
  test::TapKey(40);
  EXPECT_EQ(PollKeyHit(), 40);
  EXPECT_EQ(PollKeyHit(), 65);
  EXPECT_EQ(PollKeyHit(), 0);
}

TEST(PollKeyHit, FunctionKeysOfTheGameAreSkippedAndThrownAway) {
  ResetInputForTest();
  test::TapKey(112);
  test::TapKey(114);
  test::TapKey(123);
  test::TapKey(162);
  EXPECT_EQ(PollKeyHit(), 162);
  EXPECT_EQ(TakeKeyHits(112), 0);
  EXPECT_EQ(TakeKeyHits(123), 0);

  test::TapKey(123);
  EXPECT_EQ(PollKeyHit(), 0);
  EXPECT_EQ(TakeKeyHits(123), 0);
}

}  // namespace
}  // namespace vn
