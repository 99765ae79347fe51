// Prompts that name the player's keys, and the hints when a move fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "engine/gamepad.h"
#include "engine/input.h"
#include "play/bindings.h"
#include "play/hints.h"
#include "play/key_caps.h"
#include "play/key_names.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/save_load.h"
#include "tests/play/play_keys.h"
#include "tests/support/harness.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/map.h"
#include "world/save_game.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn::test {
namespace {

constexpr int kRow = kFloorRow - 1;
constexpr int kF3Key = 114;

class Prompts : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    key_name_table.Reset();
    key_name_table.key_names[162] = "Strg links";
    key_name_table.key_names[160] = "Umschalt links";
    key_name_table.key_names[32] = "Leertaste";
    key_name_table.key_names[69] = "E";
    key_name_table.key_names[73] = "I";
    key_name_table.key_names[114] = "F3";
    key_name_table.key_names[27] = "Esc";
  }
  void TearDown() override {
    bindings.Reset();
    key_name_table.Reset();
    GameTest::TearDown();
  }
  // A floor, the player in column 4 and whatever the test adds.
  static LevelBuilder Room() {
    LevelBuilder level(30, 20);
    level.Floor(kFloorRow).Player(128, kStandY);
    return level;
  }
  static bool NoticeHas(const std::string& part) { return CurrentNotice().find(part) != std::string::npos; }
  void DrawGun() {
    TapKey(kDrawWeapon);
    ASSERT_TRUE(StepFrames(1));
    ASSERT_EQ(Player()->gun_active, 1);
  }
  void TapAction(int times) {
    for (int i = 0; i < times; ++i) {
      TapKey(kAction);
      ASSERT_TRUE(StepFrames(1));
    }
  }
};

TEST_F(Prompts, CapsFollowTheBindingAndTheLastDevice) {
  EXPECT_EQ(KeyCapLabel(PromptKey::kAction), "Strg");
  EXPECT_EQ(KeyCapLabel(PromptKey::kJump), "Leertaste");
  EXPECT_EQ(KeyCapLabel(PromptKey::kRight), "\xE2\x86\x92");
  EXPECT_EQ(ShortKeyName(163), "Taste 163") << "a key the name file does not know";
  bindings.key_action = 69;
  EXPECT_EQ(KeyCapLabel(PromptKey::kAction), "E");
  ShowNotice("Halten: " + CapToken(PromptKey::kAction) + "!");
  EXPECT_EQ(CurrentNotice(), "Halten: [E]!");

  const int pad = AttachVirtualPad(true);
  ASSERT_GE(pad, 0);
  PollInput();
  TapPadButton(pad, PAD_BUTTON_SOUTH);
  PollInput();
  EXPECT_EQ(LastInputDevice(), INPUT_PAD);
  EXPECT_EQ(KeyCapLabel(PromptKey::kAction), "X");
  EXPECT_EQ(KeyCapLabel(PromptKey::kJump), "A");
  EXPECT_EQ(CurrentNotice(), "Halten: [X]!");
  TapKey(kJump);
  PollInput();
  EXPECT_EQ(KeyCapLabel(PromptKey::kAction), "E");
  DetachVirtualPad(pad);
}

TEST_F(Prompts, ActionWithTheGunAtALadderSaysToPutItAway) {
  Room().Tile(1, 4, kRow, 1).Start();
  TapAction(1);
  EXPECT_EQ(HintCount(Hint::kGunAtLadder), 0) << "without the gun the action climbs";
  DrawGun();
  TapAction(1);
  EXPECT_EQ(CurrentNotice(), "Waffe wegstecken ([Umschalt]) zum Klettern");
  TapAction(6);
  EXPECT_EQ(HintCount(Hint::kGunAtLadder), kHintsPerRun);
  EXPECT_EQ(HintCount(Hint::kHoldToFire), 0) << "one hint for one press";
}

TEST_F(Prompts, StoppingAtALadderWithTheGunDrawnSaysToPutItAwayBeforeATry) {
  Room().Tile(1, 4, kRow, 1).Start();
  DrawGun();
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(HintCount(Hint::kGunAtLadder), 0) << "not at once";
  ASSERT_TRUE(StepFrames(3));
  EXPECT_EQ(CurrentNotice(), "Waffe wegstecken ([Umschalt]) zum Klettern");
  TapKey(kDrawWeapon);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "") << "the advice goes once the gun is away";
}

TEST_F(Prompts, ClimbingBesideALadderSaysHowFarToGo) {
  Room().Tile(1, 6, kRow, 1).Start();
  Player()->x = 5 * kTileSize - 10;
  HoldKey(kAction);
  HoldKey(kUp);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(CurrentNotice(), "") << "not at once: a figure drifting in climbs by itself";
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(CurrentNotice(), "Noch ein Stück nach [\xE2\x86\x92]: ganz an die Leiter");
}

TEST_F(Prompts, ActionAndADirectionAtAStepWithTheGunSaysToPutItAway) {
  Room().Tile(0, 6, kRow, 1).Start();
  Player()->x = 5 * kTileSize;
  DrawGun();
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(3));
  EXPECT_EQ(HintCount(Hint::kGunAtLadder), 0) << "walking against the step alone";
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Waffe wegstecken ([Umschalt]) zum Klettern");
}

// Up and down are the climb a player tries first; a tap on an item with the
// gun drawn takes it, so it is not answered with the hint about holding to fire.
TEST_F(Prompts, UpOrDownAtALadderSaysWhatTheClimbNeedsAndATapTakesAnItem) {
  Room().Tile(1, 4, kRow, 1).Tile(1, 8, kRow, 231).Start();
  DrawGun();
  TapKey(kUp);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Waffe wegstecken ([Umschalt]) zum Klettern");
  Player()->x = 8 * kTileSize;
  TapAction(1);
  ASSERT_TRUE(StepFrames(2));
  EXPECT_EQ(CurrentNotice(), "Heiltrank eingesteckt: bei Bedarf im Inventar ([I]) mit [Strg] trinken");
  TapKey(kDrawWeapon);
  ASSERT_TRUE(StepFrames(1));
  Player()->x = 4 * kTileSize;
  TapKey(kDown);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Hinunterklettern: [Strg] halten und [↓]");
}

// A jump straight up a few pixels short of a wall, action held, misses the ledge.
TEST_F(Prompts, AJumpBesideAWallWithoutTheDirectionSaysToPressTowardIt) {
  Room().Tile(0, 5, kRow, 1).Tile(0, 5, kRow - 1, 1).Start();
  Player()->x = 5 * kTileSize - 32 - 8;
  HoldKey(kAction);
  TapKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Zum Festhalten beim Sprung zur Wand drücken ([→])");
}

// Caught at the ledge and left hanging there: the second half of the move.
TEST_F(Prompts, HangingAtALedgeSaysHowToPullUp) {
  Room().Tile(0, 5, kRow, 1).Tile(0, 5, kRow - 1, 1).Tile(0, 5, kRow - 2, 1).Start();
  Player()->x = 5 * kTileSize - 32;
  HoldKey(kAction);
  HoldKey(kRight);
  HoldKey(kJump);
  for (int i = 0; i < 60 && Player()->mode != kPoseLedgeRight; ++i) ASSERT_TRUE(StepFrames(1));
  ASSERT_EQ(Player()->mode, kPoseLedgeRight);
  ReleaseKey(kRight);
  ReleaseKey(kJump);
  ASSERT_TRUE(StepFrames(31));
  EXPECT_EQ(CurrentNotice(), "Hochziehen: [Strg] halten und [→] zur Wand halten");
}

TEST_F(Prompts, TheFirstAimSaysWhatTheCrosshairMarksOnce) {
  Room().Enemy(10 * kTileSize, kStandY).Start();
  DrawGun();
  ASSERT_TRUE(StepFrames(3));
  EXPECT_TRUE(NoticeHas("zielt von selbst"));
  EXPECT_EQ(HintCount(Hint::kAimTarget), 1);
}

TEST_F(Prompts, FiringAtAnEnemyBehindCoverSaysWhyItDoesNotAim) {
  Room().Tile(0, 7, kRow, 1).Tile(0, 7, kRow - 1, 1).Enemy(10 * kTileSize, kStandY).Start();
  DrawGun();
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(45));
  EXPECT_EQ(CurrentNotice(), "Der Gegner ist verdeckt: Schüsse treffen nur die Deckung. [Strg] loslassen, mit Anlauf und [Leertaste] auf die Deckung springen und [Strg] schon im Sprung halten");
  EXPECT_EQ(HintCount(Hint::kAimTarget), 0);
  // Once the enemy is gone the advice would be wrong.
  RemoveEnemies();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "");
}

// Down in a pit the rim hides the enemy: the way is to the edge, not onto cover.
TEST_F(Prompts, FiringAtAnEnemyDownInAPitSaysToGoToTheEdge) {
  LevelBuilder level = Room();
  for (int col = 8; col < 12; ++col) level.Tile(0, col, kFloorRow, 0).Tile(0, col, kFloorRow + 1, 0);
  level.Tile(0, 7, kFloorRow + 1, 1).Tile(0, 12, kFloorRow + 1, 1).Floor(kFloorRow + 2).Enemy(10 * kTileSize, kStandY + 2 * kTileSize).Start();
  DrawGun();
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(45));
  EXPECT_TRUE(NoticeHas("Der Gegner unten ist verdeckt")) << CurrentNotice();
  EXPECT_TRUE(NoticeHas("an die Kante gehen")) << CurrentNotice();
}

// Shooting a cracked wall open is no blind fire, enemy near or not.
TEST_F(Prompts, FiringAtACrackedWallIsNotTakenForBlindFire) {
  // The cracked brick hangs above the line of fire; solid cover hides the enemy.
  Room().Tile(0, 6, kRow - 1, kBreakableTile).Tile(0, 8, kRow, 1).Tile(0, 8, kRow - 1, 1).Enemy(10 * kTileSize, kStandY).Start();
  DrawGun();
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(45));
  EXPECT_EQ(HintCount(Hint::kEnemyHidden), 0);
}

TEST_F(Prompts, LockBesideOrWithoutAKey) {
  Room().Tile(1, 5, kRow, 285).Start();
  TapAction(1);
  EXPECT_TRUE(NoticeHas("Schlüssel"));
  progress.inventory[kKeySlot] = {1, 1};
  TapAction(1);
  EXPECT_EQ(CurrentNotice(), "Ganz ins Schloss hineinlaufen, dann [Strg] drücken");
  EXPECT_EQ(progress.inventory[kKeySlot][1], 1) << "the hint opens nothing";
  Player()->x = 5 * kTileSize;
  TapAction(1);
  EXPECT_EQ(progress.inventory[kKeySlot][1], 0);
  EXPECT_EQ(CurrentNotice(), "") << "the opened lock takes its advice away";
}

TEST_F(Prompts, JumpBesideABoatAndNotInIt) {
  Room().Tile(1, 6, kRow, 651).Start();
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(1));
  ReleaseKey(kJump);
  EXPECT_EQ(CurrentNotice(), "Zum Einsteigen noch ein Stück nach [\xE2\x86\x92], ganz ins Boot oder genau darunter "
                             "laufen, dann [Leertaste] drücken");
  EXPECT_EQ(HintCount(Hint::kBoatNotBoarded), 1);
}

// The first jump that starts from a key held since the last one says so, once.
TEST_F(Prompts, AJumpKeyHeldOverALandingSaysItJumpsAgain) {
  Room().Start();
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(5));
  EXPECT_EQ(HintCount(Hint::kJumpHeld), 0) << "the first jump is a press";
  ASSERT_TRUE(StepUntil([] { return HintCount(Hint::kJumpHeld) == 1; }, 120));
  EXPECT_TRUE(NoticeHas("nach der Landung gleich wieder"));
  ASSERT_TRUE(StepFrames(120));
  EXPECT_EQ(HintCount(Hint::kJumpHeld), 1);
}

// Walking against a low wall says how to get up: a jump, or for one block the step-up.
TEST_F(Prompts, WalkingAgainstALowWallSaysHowToGetUp) {
  const char* const told[] = {
      "Stufe: mit [Leertaste] hinaufspringen oder [Strg] und [\xE2\x86\x92] halten",
      "Hinauf: ein paar Schritte Anlauf, dann mit [Leertaste] springen und [\xE2\x86\x92] dabei halten",
      "",   // three blocks: no jump gets up there
  };
  for (int high = 1; high <= 3; ++high) {
    LevelBuilder level = Room();
    for (int r = 0; r < high; ++r) level.Tile(0, 5, kRow - r, 1);
    level.Start();
    HoldKey(kRight);
    ASSERT_TRUE(StepFrames(25));
    EXPECT_EQ(HintCount(Hint::kWallToClimb), high < 3 ? 1 : 0) << high;
    if (high < 3) {
      EXPECT_EQ(CurrentNotice(), told[high - 1]);
    }
    ReleaseKey(kRight);
  }
}

// Once the figure has ridden a boat, in this run or before the save it was
// loaded from (the boat left somewhere is a change record), jumps beside it are
// not tries to board.
TEST_F(Prompts, NoBoardingHintAfterTheFigureHasRiddenTheBoat) {
  for (const bool before_the_save : {false, true}) {
    Room().Tile(1, 6, kRow, 651).Start();
    if (before_the_save) {
      RecordMapChange(6, kRow, 1, 651);
    } else {
      push_vehicle.in_vehicle = 1;
      ASSERT_TRUE(StepFrames(1));
      push_vehicle.in_vehicle = 0;
    }
    ASSERT_TRUE(StepFrames(10));
    TapKey(kJump);
    ASSERT_TRUE(StepFrames(1));
    EXPECT_EQ(HintCount(Hint::kBoatNotBoarded), 0) << before_the_save;
  }
}

// A switch says what it is the first times the figure stands in one; walking
// onto an item with action held on takes nothing, and says so.
TEST_F(Prompts, ASwitchSaysWhatItIsAndActionHeldOnAnItemSaysToPressAgain) {
  Room().Tile(1, 4, kRow, 260).Tile(1, 6, kRow, 231).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Ein Schalter: [Strg] drücken, er öffnet oder bewegt etwas");
  for (int told = 2; told <= 4; ++told) {
    ClearNotice();
    ASSERT_TRUE(StepFrames(1));
  }
  EXPECT_EQ(HintCount(Hint::kSwitchHere), 3) << "told again while nothing else is up, but only three times a run";
  Player()->x = 5 * kTileSize;
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(5));
  Player()->x = 6 * kTileSize;
  ASSERT_TRUE(StepFrames(24));
  EXPECT_EQ(HintCount(Hint::kPressAgainToTake), 0) << "not at once";
  ASSERT_TRUE(StepFrames(2));
  EXPECT_EQ(CurrentNotice(), "Zum Aufheben [Strg] loslassen und neu drücken");
  EXPECT_EQ(GetTile(6, kRow, 1), 231) << "the hint takes nothing";
}

// The exit is said once a run when the figure comes near it; a rocket of the
// player's own that hurts the player says so.
TEST_F(Prompts, TheExitNearAndTheOwnRocketsBlastSaySo) {
  Room().Code(9, kRow, kExitCode).Tile(0, 6, kRow, 1).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(HintCount(Hint::kExitNear), 0) << "five cells off";
  Player()->x = 7 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Der Ausgang: einfach hineingehen");
  Player()->x = 4 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  Player()->x = 7 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(HintCount(Hint::kExitNear), 1) << "once a run";
  Player()->x = 4 * kTileSize;
  Player()->gun = 2;
  progress.inventory[22] = {0, 4};
  HoldKey(kAction);
  TapKey(kDrawWeapon);
  ASSERT_TRUE(StepUntil([] { return HintCount(Hint::kOwnBlast) == 1; }, 30));
  EXPECT_TRUE(NoticeHas("Die eigene Rakete trifft auch dich"));
}

TEST_F(Prompts, PushingWalkingOrStandingAtABlockAtAWallSaysToJumpOntoIt) {
  for (const int keys : {2, 1, 0}) {   // action and right, right, nothing
    Room().Tile(0, 5, kRow, 680).Tile(0, 6, kRow, 1).Start();
    if (keys == 2) HoldKey(kAction);
    if (keys >= 1) HoldKey(kRight);
    ASSERT_TRUE(StepFrames(40));
    EXPECT_EQ(push_vehicle.pushing, 0);
    EXPECT_EQ(CurrentNotice(), "Die Kiste steht fest: mit [Leertaste] hinaufspringen") << keys;
    EXPECT_EQ(HintCount(Hint::kPushAgain), 0);
    ReleaseKey(kAction);
    ReleaseKey(kRight);
  }
}

TEST_F(Prompts, APushThatEndsAgainstAWallSaysAtOnceToJumpOntoIt) {
  Room().Tile(0, 5, kRow, 680).Tile(0, 7, kRow, 1).Start();
  HoldKey(kAction);
  HoldKey(kRight);
  ASSERT_TRUE(StepUntil([] { return push_vehicle.pushing == 1; }, 3));
  ReleaseKey(kRight);
  ASSERT_TRUE(StepUntil([] { return push_vehicle.pushing == 0; }, 60));
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(GetTile(6, kRow, 0), 680);
  EXPECT_EQ(CurrentNotice(), "Die Kiste steht fest: mit [Leertaste] hinaufspringen");
}

// An enemy standing on the figure is never hit; a cracked wall near says a shot opens it.
TEST_F(Prompts, PointBlankAimAndACrackedWallSayWhatToDo) {
  Room().Tile(0, 2, kRow, kBreakableTile).Enemy(4 * kTileSize + 8, kStandY).Start();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(NoticeHas("Rissige Mauer")) << "two cells off the cracked wall";
  DrawGun();
  HoldKey(kAction);
  ASSERT_TRUE(StepUntil([] { return HintCount(Hint::kPointBlank) == 1; }, 5));
  EXPECT_EQ(CurrentNotice(), "Zu nah zum Treffen: einen Schritt zurücktreten");
}

TEST_F(Prompts, HoldingOnAfterAPushSaysToPressAgain) {
  Room().Tile(0, 5, kRow, 680).Start();
  HoldKey(kAction);
  HoldKey(kRight);
  ASSERT_TRUE(StepUntil([] { return push_vehicle.pushing == 1; }, 3));
  ASSERT_TRUE(StepFrames(32 + 10));
  EXPECT_EQ(HintCount(Hint::kPushAgain), 0) << "not at once";
  ASSERT_TRUE(StepFrames(15));
  EXPECT_EQ(HintCount(Hint::kPushAgain), 1);
  EXPECT_EQ(HintCount(Hint::kBlockStuck), 0) << "a block with room behind it is not stuck";
  EXPECT_TRUE(NoticeHas("[\xE2\x86\x92] loslassen und neu drücken"));
  ReleaseKey(kRight);
  TapKey(kRight);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(push_vehicle.pushing, 1) << "a new press pushes on as before";
}

TEST_F(Prompts, AnActionPressThatDoesNotFireSaysWhy) {
  Room().Start();
  DrawGun();
  TapAction(1);
  EXPECT_EQ(CurrentNotice(), "Zum Schießen [Strg] gedrückt halten");
  ClearNotice();
  HoldKey(kAction);
  ASSERT_TRUE(StepFrames(3));
  ReleaseKey(kAction);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "") << "a hold fired";
  TapAction(1);
  EXPECT_TRUE(NoticeHas("lädt nach")) << "right after a shot the gun is not ready";
  Player()->gun = 1;
  TapAction(1);
  EXPECT_TRUE(NoticeHas("Keine Munition"));
}

TEST_F(Prompts, DeathPromptStaysUntilTheGameIsLoaded) {
  Room().Start();
  ASSERT_TRUE(SaveGame(1));
  ClearNotice();
  ASSERT_TRUE(StepFrames(1));
  Player()->power = 0;
  ASSERT_TRUE(StepFrames(60));
  ASSERT_EQ(Player(), nullptr);
  EXPECT_EQ(CurrentNotice(), "Du bist gestorben.   [F3] Spielstand laden   [Esc] zum Hauptmenü");
  ASSERT_TRUE(StepFrames(600));
  EXPECT_TRUE(NoticeHas("gestorben")) << "it stays";
  TapKey(kF3Key);
  ASSERT_TRUE(StepFrames(2));
  ASSERT_NE(Player(), nullptr);
  EXPECT_EQ(CurrentNotice(), "");
}

TEST_F(Prompts, ARunStartsByNamingTheKeysAndF1WhereTheGameDoesNotSaveSaysWhy) {
  Room().Start();
  ASSERT_TRUE(BeginLevelRun());
  EXPECT_TRUE(NoticeHas("[Leertaste] springen   [Strg] Aktion   [Umschalt] Waffe"));
  HoldKey(kJump);
  ASSERT_TRUE(StepFrames(3));
  ReleaseKey(kJump);
  ASSERT_EQ(Player()->jump, 1);
  TapKey(kF1);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(NoticeHas("festem Boden"));
  EXPECT_FALSE(std::filesystem::exists(kSaveGamePath));
}

// The action key takes an item only from its very cell, so a cap over the item
// shows when the figure stands right, a faint one while it only overlaps it,
// and a press from there says which way to go.
TEST_F(Prompts, ACapOverAnItemWhileTheFigureCanTakeIt) {
  Room().Tile(1, 4, kRow, 231).Start();
  const KeyCapFace face = KeyCapFaceOf(PromptKey::kAction);
  auto darkest_in_cap = [&] {
    const int left = ScreenX(4 * kTileSize) + kTileSize / 2 - KeyCapWidth(face) / 2;
    const int top = ScreenY(kRow * kTileSize) - KeyCapHeight() - 4;
    int darkest = 3 * 255;
    for (int y = top; y < top + KeyCapHeight(); ++y)
      for (int x = left; x < left + KeyCapWidth(face); ++x) {
        const Rgb c = PixelAt(x, y);
        darkest = std::min(darkest, c.r + c.g + c.b);
      }
    return darkest;
  };
  ASSERT_TRUE(StepFrames(30));   // the camera has settled on the figure
  const int full = darkest_in_cap();
  EXPECT_LT(full, 3 * 200);
  Player()->x += 20;   // the centre is in the next cell now, the body still overlaps
  ASSERT_TRUE(StepFrames(1));
  const int faint = darkest_in_cap();
  EXPECT_GT(faint, full + 60);
  EXPECT_LT(faint, 3 * 250);
  ASSERT_TRUE(StepFrames(10));
  EXPECT_EQ(CurrentNotice(), "Noch ein Stück nach [\xE2\x86\x90]: erst wenn die Taste hell ist, wirkt [Strg]")
      << "said before a press once the figure stands still beside it";
  ClearNotice();
  TapAction(1);
  EXPECT_EQ(CurrentNotice(), "Noch ein Stück nach [\xE2\x86\x90]: erst wenn die Taste hell ist, wirkt [Strg]");
  EXPECT_EQ(GetTile(4, kRow, 1), 231) << "not taken from beside it";
  Player()->x += 20;   // in the cell beside it: still faint
  ASSERT_TRUE(StepFrames(1));
  EXPECT_LT(darkest_in_cap(), 3 * 250);
  Player()->x += kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_GE(darkest_in_cap(), 3 * 250);
}

// A pictogram's move is also said in words, with the real keys, once a visit
// and never over another notice.
TEST_F(Prompts, APictogramIsExplainedWhenTheFigureComesToIt) {
  Room().Tile(1, 10, kRow - 2, 306).Tile(1, 11, kRow - 2, 307).Tile(1, 12, kRow - 2, 308).Tile(1, 17, kRow - 2, 336).Start();
  ClearNotice();
  Player()->x = 12 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Schieben: ganz an die Kiste gehen, [Strg] halten und [\xE2\x86\x92] für jedes Feld neu drücken, sobald die Kiste steht");
  ClearNotice();
  ASSERT_TRUE(StepFrames(2));
  EXPECT_EQ(CurrentNotice(), "") << "once a visit";
  Player()->x = 4 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  ShowNotice("Geld");
  Player()->x = 10 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Geld") << "another notice goes first";
  ClearNotice();
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(NoticeHas("Schieben")) << "and the explanation follows it";
  Player()->x = 17 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(NoticeHas("Aufheben")) << "the next pictogram's sentence replaces the last one's";
  Player()->x = 25 * kTileSize;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_TRUE(NoticeHas("Aufheben"));
  ASSERT_TRUE(StepFrames(160));
  EXPECT_EQ(CurrentNotice(), "") << "gone a moment after the figure has left the pictogram";
}

TEST_F(Prompts, AirRunningOutInWaterAndWalkingUpASlideSaySo) {
  Room().Tile(2, 4, kRow, 1).Tile(1, 9, kRow, 665).Start();
  Player()->breath = 62;
  ASSERT_TRUE(StepFrames(30));
  EXPECT_TRUE(NoticeHas("Luft wird knapp"));
  EXPECT_EQ(HintCount(Hint::kAirRunningOut), 1);
  EXPECT_EQ(HintCount(Hint::kSlideUp), 0);
  Player()->x = 9 * kTileSize;
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(CurrentNotice(), "Eine Rutsche: hinauf geht es nicht, nur hinunter");
}

// Pressed against the bank below the surface, the climb out cannot start.
TEST_F(Prompts, ClimbingOutBelowTheSurfaceSaysToSwimUp) {
  Room().Tile(2, 4, kRow, 1).Tile(2, 4, kRow - 1, 2).Tile(0, 5, kRow, 1).Tile(0, 5, kRow - 1, 1).Start();
  HoldKey(kAction);
  HoldKey(kRight);
  ASSERT_TRUE(StepFrames(35));
  EXPECT_EQ(CurrentNotice(), "Zum Hinausklettern erst mit [\xE2\x86\x91] nach oben schwimmen, [Strg] und die Richtung dabei halten");
  EXPECT_EQ(HintCount(Hint::kSwimUpToBank), 1);
}

// Right of the health bar: nothing for the pistol, the count for another gun,
// in red once it is empty.
TEST_F(Prompts, TheChosenGunsAmmunitionStandsBesideTheHealthBar) {
  Room().Start();
  auto count_pixels = [](auto wanted) {
    int n = 0;
    for (int y = 16; y < 36; ++y)
      for (int x = 134; x < 220; ++x) n += wanted(PixelAt(x, y)) ? 1 : 0;
    return n;
  };
  auto dark = [](Rgb c) { return c.r < 40 && c.g < 40 && c.b < 40; };
  auto red = [](Rgb c) { return c.r > 200 && c.g < 140 && c.b < 140; };
  ASSERT_TRUE(StepFrames(1));
  EXPECT_EQ(count_pixels(dark), 0) << "the pistol never runs out";
  Player()->gun = 1;
  progress.inventory[kFirstGunSlot + 1][1] = 40;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_GT(count_pixels(dark), 20);
  EXPECT_EQ(count_pixels(red), 0);
  progress.inventory[kFirstGunSlot + 1][1] = 0;
  ASSERT_TRUE(StepFrames(1));
  EXPECT_GT(count_pixels(red), 20);
}

}  // namespace
}  // namespace vn::test
