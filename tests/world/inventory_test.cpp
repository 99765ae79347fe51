#include <gtest/gtest.h>

#include "engine/graphics.h"
#include "engine/input.h"
#include "play/entities.h"
#include "play/inventory_screen.h"
#include "play/play_loop.h"
#include "tests/support/harness.h"
#include "world/inventory.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn::test {
namespace {

constexpr int kLeft = 37, kRight = 39, kUse = 162, kEscape = 27, kSpace = 32, kLetterI = 73;

class Inventory : public GameTest {
 protected:
  PlayerRef AddPlayer(int32_t power = 80, uint8_t gun = 0) {
    PlayerRef p = AddCharacter(0, 0, 0, 1, 100);
    p->power = power;
    p->gun = gun;
    return p;
  }
  void Hold(int32_t slot, uint16_t count = 1) { progress.inventory[static_cast<size_t>(slot)] = {1, count}; }
  // The bag screen opened on slot.
  void OpenAt(int32_t slot) {
    run.inventory_slot = slot;
    BeginInventoryScreen();
  }
  // One frame with a key tapped (down and up) before it.
  bool FrameWithTap(int key) {
    TapKey(key);
    return InventoryFrame();
  }
  // One frame with an arrow held, released afterwards.
  bool FrameHolding(int key) {
    HoldKey(key);
    const bool open = InventoryFrame();
    ReleaseKey(key);
    return open;
  }
  void FinishAnimation() {
    for (int i = 0; i < 60; ++i) InventoryFrame();
  }
};

struct PageCase {
  const char* what;
  std::vector<int32_t> held;
  int32_t from;
  int key;
  int32_t to;
};

class InventoryPaging : public Inventory, public ::testing::WithParamInterface<PageCase> {};

TEST_P(InventoryPaging, ArrowsFindTheNextHeldSlot) {
  for (const int32_t s : GetParam().held) Hold(s);
  OpenAt(GetParam().from);
  FrameHolding(GetParam().key);
  EXPECT_EQ(run.inventory_slot, GetParam().to) << GetParam().what;
}

// The left arrow searches forward and the right arrow backward.
INSTANTIATE_TEST_SUITE_P(
    Inventory, InventoryPaging,
    ::testing::Values(PageCase{"empty bag, left", {}, 0, kLeft, 0}, PageCase{"empty bag, right", {}, 7, kRight, 0},
                      PageCase{"only the shown slot is held", {4}, 4, kLeft, 0},
                      PageCase{"left searches forward", {2, 9, 20}, 2, kLeft, 9},
                      PageCase{"right searches backward", {2, 9, 20}, 20, kRight, 9},
                      PageCase{"forward from 29 wraps to 0", {0, 29}, 29, kLeft, 0},
                      PageCase{"backward from 0 wraps to 29", {0, 29}, 0, kRight, 29},
                      PageCase{"forward skips to a held slot past the end", {3}, 25, kLeft, 3}),
    [](const ::testing::TestParamInfo<PageCase>& param) { return "case" + std::to_string(param.index); });

TEST_F(Inventory, ChangingSlotShrinksForTwentyTwoFramesAndGrowsForTwentyThree) {
  Hold(1);
  Hold(2);
  Hold(3);
  BeginInventoryScreen();
  HoldKey(kLeft);   // held throughout: one press pages once
  std::vector<float> scales;
  std::vector<int32_t> slots;
  for (int frame = 1; frame <= 60; ++frame) {
    InventoryFrame();
    scales.push_back(GetDrawState().tform_scale_x);
    slots.push_back(run.inventory_slot);
  }
  ReleaseKey(kLeft);
  for (size_t i = 0; i < 22; ++i) EXPECT_FLOAT_EQ(scales[i], 11.5f - 0.5f * float(i)) << "frame " << i + 1;
  for (size_t i = 22; i < 45; ++i) EXPECT_FLOAT_EQ(scales[i], 1.0f + 0.5f * float(i - 22)) << "frame " << i + 1;
  EXPECT_EQ(slots[0], 1);
  EXPECT_EQ(slots[59], 1) << "holding on does not page again";
  // A press while a page turns waits for it, then pages once.
  FrameWithTap(kLeft);
  TapKey(kLeft);
  FinishAnimation();
  EXPECT_EQ(run.inventory_slot, 3);
}

// The page last shown may hold nothing any more (a load undid the potion): the
// bag opens on the money rather than on a picture that cannot be used.
TEST_F(Inventory, OpensOnTheMoneyWhenTheLastPageHoldsNothing) {
  Hold(1);
  OpenAt(1);
  EXPECT_EQ(run.inventory_slot, 1);
  progress.inventory[1] = {0, 0};
  OpenAt(1);
  EXPECT_EQ(run.inventory_slot, 0);
}

// The row of small pictures under the page shows everything held in its own
// colours, the page shown among them (held slots 0, 1, 2 run right to left
// from x 420 at y 496 on the 800 x 600 screen).
TEST_F(Inventory, ContentsRowShowsEveryHeldThingInItsColours) {
  for (int32_t slot = 0; slot < 3; ++slot) {
    Hold(slot);
    world_assets.tile_images[kFirstItemTile + slot][1] = SolidImage(32, 32, 250, 40, 40);
  }
  OpenAt(2);
  FinishAnimation();
  for (const int x : {432, 400, 368}) EXPECT_TRUE(PixelIs(x, 508, 250, 40, 40)) << "icon at x " << x;
  world_assets.Reset();
}

// Two pages pressed, then use, all before the first turn ends: the use acts on
// the second page, where the player was heading, not on the one passed.
TEST_F(Inventory, UsePressedDuringTurnsActsOnTheLastPagePressed) {
  PlayerRef p = AddPlayer(50, 0);
  Hold(1, 1);
  Hold(21, 5);
  OpenAt(0);
  FrameWithTap(kLeft);
  for (int i = 0; i < 5; ++i) InventoryFrame();
  FrameWithTap(kLeft);
  for (int i = 0; i < 5; ++i) InventoryFrame();
  TapKey(kUse);
  bool open = true;
  for (int i = 0; i < 120 && open; ++i) open = InventoryFrame();
  EXPECT_FALSE(open) << "taking the gun closes the bag";
  EXPECT_EQ(p->gun, 1);
  EXPECT_EQ(p->power, 50) << "the potion passed on the way stays in the bag";
}

TEST_F(Inventory, HealthRestoresPowerUpToOneHundred) {
  PlayerRef p = AddPlayer(80);
  Hold(1, 2);
  OpenAt(1);
  EXPECT_TRUE(FrameWithTap(kUse));
  EXPECT_EQ(p->power, 100);
  EXPECT_EQ(progress.inventory[1][1], 1);
  EXPECT_EQ(progress.inventory[1][0], 1);
  p->power = 10;
  EXPECT_TRUE(FrameWithTap(kUse));
  EXPECT_EQ(p->power, 60);
  EXPECT_EQ(progress.inventory[1][1], 0);
  EXPECT_EQ(progress.inventory[1][0], 0);   // the last one clears the flag
  EXPECT_TRUE(FrameWithTap(kUse));
  EXPECT_EQ(p->power, 60);
}

TEST_F(Inventory, BasicGunNeedsNoAmmunitionAndClosesTheScreen) {
  PlayerRef p = AddPlayer(100, 2);
  Hold(20, 0);
  OpenAt(20);
  EXPECT_FALSE(FrameWithTap(kUse));
  EXPECT_EQ(p->gun, 0);
  EXPECT_EQ(progress.inventory[20][0], 0);
  EXPECT_EQ(progress.inventory[22][0], 1);   // the gun in hand went into the bag
}

TEST_F(Inventory, OtherGunsNeedAmmunition) {
  PlayerRef p = AddPlayer(100, 0);
  Hold(21, 0);
  OpenAt(21);
  EXPECT_TRUE(FrameWithTap(kUse));
  EXPECT_EQ(p->gun, 0);
  progress.inventory[21][1] = 30;
  EXPECT_FALSE(FrameWithTap(kUse));
  EXPECT_EQ(p->gun, 1);
  EXPECT_EQ(progress.inventory[21][0], 0);
  EXPECT_EQ(progress.inventory[20][0], 1);
}

TEST_F(Inventory, GunKindBeyondTheBagIsReplacedSafely) {
  PlayerRef p = AddPlayer(100, 200);   // only a damaged level can give this
  Hold(23, 5);
  OpenAt(23);
  EXPECT_FALSE(FrameWithTap(kUse));
  EXPECT_EQ(p->gun, 3);
}

TEST_F(Inventory, UseDoesNothingOnOtherSlotsOrWithoutAPlayer) {
  PlayerRef p = AddPlayer(50);
  Hold(0, 12);
  Hold(2, 1);
  for (const int32_t slot : {0, 2}) {
    OpenAt(slot);
    EXPECT_TRUE(FrameWithTap(kUse));
    EXPECT_EQ(progress.inventory[static_cast<size_t>(slot)][1], slot == 0 ? 12 : 1);
  }
  EXPECT_EQ(p->power, 50);

  world.character_list.Clear();
  AddCharacter(0, 0, 3);   // an enemy is not the player
  Hold(1, 1);
  Hold(20, 0);
  for (const int32_t slot : {1, 20}) {
    OpenAt(slot);
    EXPECT_TRUE(FrameWithTap(kUse));
  }
  EXPECT_EQ(progress.inventory[1][1], 1);
  EXPECT_EQ(progress.inventory[20][0], 1);
}

TEST_F(Inventory, EscapeSpaceAndIClose) {
  for (const int key : {kEscape, kSpace, kLetterI}) {
    BeginInventoryScreen();
    EXPECT_TRUE(InventoryFrame());
    EXPECT_FALSE(FrameWithTap(key)) << key;
  }
  // Escape is found first; the Space press stays for whoever asks next.
  BeginInventoryScreen();
  TapKey(kSpace);
  EXPECT_FALSE(FrameWithTap(kEscape));
  EXPECT_EQ(TakeKeyHits(kSpace), 1);
}

}  // namespace
}  // namespace vn::test
