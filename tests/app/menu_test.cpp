// The title menu, the key configuration screen, screenshots and the menu message.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/key_config.h"
#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/gamepad.h"
#include "engine/input.h"
#include "engine/stream.h"
#include "engine/timing.h"
#include "play/bindings.h"
#include "play/play_loop.h"
#include "tests/support/harness.h"
#include "world/inventory.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int kEscape = 27, kF1 = 112, kF3 = 114, kF12 = 123;
constexpr int kEnter = 13, kUp = 38, kDown = 40;

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetGameState();
    front.config_open = false;
    front.selected_line = 0;
    front.config_cursor = 1;
    front.binding_once = false;
    front.menu_highlight = 0;
    front.quit_requested = false;
    front.screenshot_count = 0;
    run.level_index = 9;   // no entry sets 9: a changed value shows that a run started
  }
  void TearDown() override {
    SetMenuMessage("");
    test::ResetGameState();
  }

  // A left click at the given window row, seen by the next frame.
  static void Click(int x, int y) {
    InjectMouseMove(x, y);
    InjectMouseButton(1, true);
    InjectMouseButton(1, false);
  }

  test::TempGameDir dir_;   // no level files: a level run returns at once
};

TEST_F(MenuTest, ClicksOnTheBandEdgesOrOutsideChooseNothing) {
  for (int y : {20, 50, 150, 250, 350, 450, 520}) {
    Click(400, y);
    EXPECT_TRUE(MenuFrame()) << "y " << y;
    EXPECT_EQ(run.level_index, 9) << "y " << y;
    EXPECT_FALSE(front.config_open) << "y " << y;
    EXPECT_FALSE(front.quit_requested) << "y " << y;
  }
}

TEST_F(MenuTest, ClickAnywhereAlongTheRowStartsTheRunWithAnEmptyBag) {
  struct Case { int x, y; uint8_t level; };
  for (const Case& c : {Case{2, 120, 0}, Case{790, 51, 0}, Case{5, 200, 1}, Case{400, 249, 1}}) {
    run.level_index = 9;
    progress.inventory[0] = {1, 120};
    progress.inventory[29] = {1, 4};
    Click(c.x, c.y);
    EXPECT_TRUE(MenuFrame());
    EXPECT_EQ(run.level_index, c.level) << "click at " << c.x << ", " << c.y;
    for (const auto& slot : progress.inventory) EXPECT_EQ(slot, (std::array<uint16_t, 2>{0, 0}));
  }
  // The run could not load its level (there are no files here); the menu says so.
  EXPECT_FALSE(CurrentMenuMessage().empty());
}

TEST_F(MenuTest, EscapeEndsTheMenuAfterTheFrameAndSavesTheSettings) {
  bindings.key_jump = 65;
  test::TapKey(kEscape);
  EXPECT_EQ(TitleMenu(), 0);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(kSettingsPath, bytes));
  ASSERT_EQ(bytes.size(), 17u);
  EXPECT_EQ(bytes[5], 65);
}

TEST_F(MenuTest, QuitEntryAndCloseButtonEndTheMenu) {
  Click(100, 400);
  EXPECT_FALSE(MenuFrame());

  front.quit_requested = false;
  InjectCloseRequest();
  EXPECT_FALSE(MenuFrame());

  front.quit_requested = false;
  front.config_open = true;
  InjectCloseRequest();
  EXPECT_FALSE(MenuFrame());
}

TEST_F(MenuTest, ConfigEntryOpensTheScreenWithoutPickingALineWithTheSameClick) {
  // y 300 also lies in the band of line 5 of the configuration screen.
  Click(400, 300);
  EXPECT_TRUE(MenuFrame());
  EXPECT_TRUE(front.config_open);
  EXPECT_EQ(front.selected_line, 0);
}

TEST_F(MenuTest, MessageIsShownInADarkBoxForAFewSeconds) {
  auto pixel = [] {
    PixmapRef shot = GrabPixmap(400, 581, 1, 1);
    uint8_t rgba[4] = {};
    GetPixelRGBA(*shot, 0, 0, rgba);
    return std::array<int, 3>{rgba[0], rgba[1], rgba[2]};
  };
  ASSERT_TRUE(MenuFrame());
  for (int channel : pixel()) EXPECT_GE(channel, 250);   // white without a message

  SetMenuMessage("Level konnte nicht geladen werden: map/Jungle.vnm");
  ASSERT_TRUE(MenuFrame());
  for (int channel : pixel()) EXPECT_LE(channel, 90);

  AdvanceVirtualClock(5100);
  EXPECT_EQ(CurrentMenuMessage(), "");
  ASSERT_TRUE(MenuFrame());
  for (int channel : pixel()) EXPECT_GE(channel, 250);
}

// ---------------------------------------------------------------------------------------

class ConfigScreenTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    front.config_open = true;
  }
};

TEST_F(ConfigScreenTest, EachLineBindsItsOwnKey) {
  // Screen order, which differs from the order of the settings file.
  uint8_t* lines[9] = {&bindings.key_right, &bindings.key_left, &bindings.key_up, &bindings.key_down, &bindings.key_jump,
                       &bindings.key_draw_weapon, &bindings.key_action, &bindings.key_inventory, &bindings.key_look};
  for (int k = 1; k <= 9; ++k) {
    int key = 64 + k;   // A, B, C, ...
    Click(10, 50 + 50 * k);
    test::TapKey(key);
    ASSERT_TRUE(MenuFrame());
    EXPECT_EQ(front.selected_line, k);
    EXPECT_EQ(*lines[k - 1], key) << "line " << k;
  }
}

TEST_F(ConfigScreenTest, SelectionStaysSoEveryKeyRebindsTheSameLine) {
  Click(400, 300);
  ASSERT_TRUE(MenuFrame());
  test::TapKey(66);
  test::TapKey(65);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(bindings.key_jump, 65);   // the lower code in this frame ...
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(bindings.key_jump, 66);   // ... the higher one in the next
  EXPECT_EQ(front.selected_line, 5);

  Click(400, 125);           // between lines 1 and 2: keeps the selection
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.selected_line, 5);
}

TEST_F(ConfigScreenTest, GameKeysAreNeverBound) {
  front.selected_line = 5;
  bindings.key_jump = 32;
  for (int key : {kF1, kF3, kF12}) {
    test::TapKey(key);
    ASSERT_TRUE(MenuFrame());
    EXPECT_EQ(bindings.key_jump, 32) << "key " << key;
  }
  // The poll took the F12 press, so no screenshot was written.
  EXPECT_FALSE(std::filesystem::exists("screen0.png"));

  // Escape only leaves the screen; the selection stays for the next visit.
  test::TapKey(kEscape);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(bindings.key_jump, 32);
  EXPECT_FALSE(front.config_open);
  EXPECT_EQ(front.selected_line, 5);
}

TEST_F(ConfigScreenTest, UpDownAndEnterPickALineThatTakesOneKeyArrowsAndEnterIncluded) {
  for (int key : {kDown, kDown, kUp}) test::TapKey(key);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.config_cursor, 2);
  EXPECT_EQ(front.selected_line, 0);
  test::TapKey(kEnter);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.selected_line, 2);
  test::TapKey(kUp);            // waiting: the arrow is bound, not a move
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(bindings.key_left, kUp);
  EXPECT_EQ(front.selected_line, 0);  // one key only; the arrows move again
  test::TapKey(kUp);
  test::TapKey(kEnter);
  ASSERT_TRUE(MenuFrame());
  test::TapKey(kEnter);         // Enter itself can be bound
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(bindings.key_right, kEnter);
  EXPECT_EQ(bindings.key_left, kUp);
  test::TapKey(kEscape);
  ASSERT_TRUE(MenuFrame());
  EXPECT_FALSE(front.config_open);
}

TEST_F(MenuTest, UpDownMoveTheHighlightAndThePointerAndEnterPicksTheEntry) {
  test::TapKey(kDown);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.menu_highlight, 1);
  EXPECT_GT(GetMouseY(), 150);
  EXPECT_LT(GetMouseY(), 250);
  test::TapKey(kUp);
  test::TapKey(kUp);            // from the first entry up to the last
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.menu_highlight, 3);
  test::TapKey(kUp);
  ASSERT_TRUE(MenuFrame());
  test::TapKey(kEnter);
  ASSERT_TRUE(MenuFrame());
  EXPECT_TRUE(front.config_open);
  EXPECT_EQ(run.level_index, 9);
  test::TapKey(kEscape);
  ASSERT_TRUE(MenuFrame());
  test::TapKey(kDown);
  ASSERT_TRUE(MenuFrame());
  test::TapKey(kEnter);
  EXPECT_FALSE(MenuFrame()) << "Raus hier... ends the menu";
}

TEST_F(MenuTest, HighlightStartsOnTutorialAndFollowsOnlyAPointerThePlayerMoves) {
  InjectMouseMove(400, 300);   // the window opened under a pointer resting on entry 3
  ASSERT_TRUE(MenuFrame());
  test::TapKey(kDown);
  ASSERT_TRUE(MenuFrame());
  test::TapKey(kEnter);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(run.level_index, 1) << "Down from Tutorial, Enter: Spiel starten";
  InjectMouseMove(400, 390);   // now the player moves it, onto entry 4
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.menu_highlight, 3);
}

TEST_F(MenuTest, ThePadWorksTheMenusAndItsBackButtonLeavesOnlyTheConfigurationScreen) {
  const int pad = AttachVirtualPad(true);
  ASSERT_GE(pad, 0);
  test::TapPadButton(pad, PAD_BUTTON_EAST);
  ASSERT_TRUE(MenuFrame()) << "B on the title menu does not end the program";
  test::TapPadButton(pad, PAD_BUTTON_DPAD_DOWN);
  test::TapPadButton(pad, PAD_BUTTON_DPAD_DOWN);
  ASSERT_TRUE(MenuFrame());
  test::TapPadButton(pad, PAD_BUTTON_SOUTH);
  ASSERT_TRUE(MenuFrame());
  EXPECT_TRUE(front.config_open);
  test::TapPadButton(pad, PAD_BUTTON_EAST);
  ASSERT_TRUE(MenuFrame());
  EXPECT_FALSE(front.config_open);
  test::TapPadButton(pad, PAD_BUTTON_DPAD_UP);
  ASSERT_TRUE(MenuFrame());
  test::TapPadButton(pad, PAD_BUTTON_START);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(run.level_index, 1) << "Spiel starten";
  DetachVirtualPad(pad);
}

// ---------------------------------------------------------------------------------------

TEST_F(MenuTest, F12WritesOneFullSizeScreenshotPerFrame) {
  test::TapKey(kF12);
  test::TapKey(kF12);
  ASSERT_TRUE(MenuFrame());
  EXPECT_EQ(front.screenshot_count, 1);
  PixmapRef shot = LoadPixmap("screen0.png");
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->width, 1600);
  EXPECT_EQ(shot->height, 900);
  EXPECT_FALSE(std::filesystem::exists("screen1.png"));
}

TEST_F(MenuTest, ScreenshotNumberWrapsAfter255AndAdvancesEvenWhenWritingFails) {
  front.screenshot_count = 255;
  test::TapKey(kF12);
  ScreenshotKeyStep();
  EXPECT_TRUE(std::filesystem::exists("screen255.png"));
  EXPECT_EQ(front.screenshot_count, 0);
  std::filesystem::create_directory("screen0.png");   // a directory where the file should go
  test::TapKey(kF12);
  ScreenshotKeyStep();
  EXPECT_EQ(front.screenshot_count, 1);
}

}  // namespace
}  // namespace vn
