#include <gtest/gtest.h>

#include "engine/input.h"

namespace vn {
namespace {

// USB HID usage ids, the numbering of physical keys.
constexpr int kScanA = 4;
constexpr int kScanKeypad5 = 93;
constexpr int kScanRightShift = 229;

class Input : public testing::Test {
 protected:
  void SetUp() override { ResetInputForTest(); }
  void TearDown() override { ResetInputForTest(); }
};

TEST_F(Input, PhysicalKeysMapToTheGamesKeyCodes) {
  struct Case {
    int scancode;
    int key;
  };
  const Case cases[] = {
      {4, 65},    {29, 90},   {39, 48},   {30, 49},   {58, 112},  {69, 123},  {104, 124},
      {41, 27},   {40, 13},   {88, 13},   {44, 32},   {80, 37},   {79, 39},   {72, 19},
      {225, 160}, {229, 161}, {224, 162}, {228, 163}, {226, 164}, {230, 165}, {227, 91},
      {98, 96},   {93, 101},  {97, 105},  {85, 106},  {99, 110},  {84, 111},
      {51, 186},  {45, 189},  {53, 192},  {49, 220},  {50, 220},  {100, 226},
      {0, 0},     {-1, 0},    {512, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyCodeFromScancode(c.scancode), c.key) << "scancode " << c.scancode;
}

TEST_F(Input, GenericModifierCodesNeverAppearAndEveryCodeLeadsBackToItsKey) {
  for (int scancode = 0; scancode < 512; ++scancode) {
    const int key = KeyCodeFromScancode(scancode);
    EXPECT_TRUE(key != 16 && key != 17 && key != 18) << "scancode " << scancode;
    if (key != 0) {
      EXPECT_EQ(KeyCodeFromScancode(ScancodeFromKeyCode(key)), key);
    }
  }
  EXPECT_EQ(ScancodeFromKeyCode(13), 40) << "Enter is the main key, not the keypad's";
  EXPECT_EQ(ScancodeFromKeyCode(16), 0);
  EXPECT_EQ(ScancodeFromKeyCode(300), 0);
}

TEST_F(Input, KeyEventsArriveUnderTheirOwnCodes) {
  InjectScancode(kScanRightShift, true);
  InjectScancode(kScanKeypad5, true);
  EXPECT_EQ(IsKeyDown(161), 1);
  EXPECT_EQ(IsKeyDown(160), 0);
  EXPECT_EQ(IsKeyDown(16), 0);
  EXPECT_EQ(TakeKeyHits(101), 1);
  EXPECT_EQ(IsKeyDown(-1), 0);
  EXPECT_EQ(TakeKeyHits(256), 0);
}

TEST_F(Input, HoldingAKeyWithAutoRepeatIsOneHit) {
  InjectScancode(kScanA, true);
  for (int i = 0; i < 30; ++i) InjectScancode(kScanA, true, true);
  InjectScancode(kScanA, true);  // a second down without an up between
  EXPECT_EQ(IsKeyDown(65), 1);
  EXPECT_EQ(TakeKeyHits(65), 1);
  EXPECT_EQ(TakeKeyHits(65), 0);
}

TEST_F(Input, TwoPressesBetweenTakesCountTwoAndReleaseKeepsHits) {
  for (int i = 0; i < 2; ++i) {
    InjectKey(32, true);
    InjectKey(32, false);
  }
  EXPECT_EQ(IsKeyDown(32), 0);
  EXPECT_EQ(TakeKeyHits(32), 2);
  EXPECT_EQ(TakeKeyHits(32), 0);
}

TEST_F(Input, LosingOrRegainingFocusForgetsHeldKeysButtonsAndHits) {
  // Coming back from Alt+Tab, the Alt still held must not count as a press.
  for (const bool gained : {false, true}) {
    InjectKey(39, true);
    InjectKey(164, true);
    InjectMouseButton(1, true);
    InjectFocusChange(gained);
    EXPECT_EQ(IsKeyDown(39), 0) << gained;
    EXPECT_EQ(TakeKeyHits(39), 0) << gained;
    EXPECT_EQ(IsKeyDown(164), 0) << gained;
    EXPECT_EQ(TakeKeyHits(164), 0) << gained;
    EXPECT_EQ(IsMouseDown(1), 0) << gained;
    EXPECT_EQ(TakeMouseHits(1), 0) << gained;
  }
}

TEST_F(Input, MouseButtonsPositionAndHits) {
  InjectMouseMove(123, -4);
  EXPECT_EQ(GetMouseX(), 123);
  EXPECT_EQ(GetMouseY(), -4);
  for (const int button : {1, 2, 3}) {
    InjectMouseButton(button, true);
    EXPECT_EQ(IsMouseDown(button), 1) << button;
    InjectMouseButton(button, true);
    InjectMouseButton(button, false);
    InjectMouseButton(button, true);
    EXPECT_EQ(TakeMouseHits(button), 2) << button;
    EXPECT_EQ(TakeMouseHits(button), 0) << button;
  }
  EXPECT_EQ(IsMouseDown(4), 0);
}

TEST_F(Input, CloseRequestIsTakenOnce) {
  EXPECT_EQ(TakeCloseRequest(), 0);
  InjectCloseRequest();
  InjectCloseRequest();
  EXPECT_EQ(TakeCloseRequest(), 1);
  EXPECT_EQ(TakeCloseRequest(), 0);
}

TEST_F(Input, PadAxisEndsAreExactlyMinusOneAndOne) {
  struct Case {
    int16_t raw;
    float value;
  };
  const Case cases[] = {{-32768, -1.0f}, {-32767, -1.0f}, {32767, 1.0f}, {0, 0.0f}};
  for (const Case& c : cases) {
    InjectPadAxisRaw(0, c.raw);
    InjectPadAxisRaw(1, c.raw);
    EXPECT_EQ(GetPadX(0), c.value) << c.raw;
    EXPECT_EQ(GetPadY(0), c.value) << c.raw;
  }
  InjectPadAxis(0, 3.0f);
  InjectPadAxis(1, -1.0f);
  EXPECT_EQ(GetPadX(0), 1.0f);
  EXPECT_EQ(GetPadY(0), -1.0f);
  EXPECT_EQ(GetPadX(1), 0.0f) << "only port 0 exists";
  ResetInputForTest();
  EXPECT_EQ(GetPadX(0), 0.0f);
  EXPECT_EQ(GetPadY(0), 0.0f);
}

TEST_F(Input, PadButtonHitsCountPressesNotHolding) {
  InjectPadButton(3, true);
  InjectPadButton(3, true);
  EXPECT_EQ(IsPadButtonDown(3, 0), 1);
  InjectPadButton(3, false);
  EXPECT_EQ(IsPadButtonDown(3, 0), 0);
  InjectPadButton(3, true);
  EXPECT_EQ(TakePadButtonHits(3, 0), 2);
  EXPECT_EQ(TakePadButtonHits(3, 0), 0);
  EXPECT_EQ(IsPadButtonDown(3, 1), 0);

  InjectPadButton(5, true);
  ClearPadButtons(2);  // port 1 only
  EXPECT_EQ(IsPadButtonDown(5, 0), 1);
  ClearPadButtons(-1);
  EXPECT_EQ(IsPadButtonDown(5, 0), 0);
  EXPECT_EQ(TakePadButtonHits(5, 0), 0);
}

}  // namespace
}  // namespace vn
