#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/display_scale.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/timing.h"

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

TEST(DisplayScale, PictureFillsAsFarAsItsAspectAllowsOrByWholeMultiples) {
  struct Case {
    int out_w, out_h;
    bool whole;
    TPictureRect expected;
  };
  const Case cases[] = {
      {800, 600, false, {0, 0, 800, 600}},        {1920, 1080, false, {240, 0, 1440, 1080}},
      {800, 1000, false, {0, 200, 800, 600}},     {1920, 1080, true, {560, 240, 800, 600}},
      {2560, 1440, true, {480, 120, 1600, 1200}}, {400, 300, true, {-200, -150, 800, 600}},
  };
  for (const Case& c : cases) {
    const TPictureRect r = FitPicture(c.out_w, c.out_h, 800, 600, c.whole);
    EXPECT_EQ((std::array<int, 4>{r.x, r.y, r.w, r.h}),
              (std::array<int, 4>{c.expected.x, c.expected.y, c.expected.w, c.expected.h}))
        << c.out_w << " x " << c.out_h << (c.whole ? " whole" : "");
  }
}

TEST_F(Input, InAScaledWindowTheMouseMapsToThePictureAndTheBarsTakeNoClicks) {
  ResizeWindow(1920, 1080);   // the 800 x 600 picture fills 1440 x 1080 from x 240
  InjectMouseMove(240 + 720, 540);
  EXPECT_EQ(GetMouseX(), 400);
  EXPECT_EQ(GetMouseY(), 300);
  InjectMouseButton(1, true);
  InjectMouseButton(1, false);
  EXPECT_EQ(TakeMouseHits(1), 1);
  int x = 0, y = 0;
  PictureToWindow(400, 300, x, y);
  EXPECT_EQ(x, 960);
  EXPECT_EQ(y, 540);
  InjectMouseMove(100, 540);   // the bar on the left
  InjectMouseButton(1, true);
  InjectMouseButton(1, false);
  EXPECT_EQ(TakeMouseHits(1), 0);
  // Drawing and grabs keep the logical size.
  EXPECT_EQ(GetDrawState().g_width, 800);
  EXPECT_EQ(GrabPixmap(0, 0, 1600, 900)->width, 1600);
  ResizeWindow(800, 600);
  InjectMouseMove(100, 540);
  EXPECT_EQ(GetMouseX(), 100);
}

TEST_F(Input, F11AndAltEnterToggleFullscreenAndAreNoGameKeys) {
  ASSERT_FALSE(IsFullscreen());
  InjectKey(122, true);
  InjectKey(122, false);
  EXPECT_TRUE(IsFullscreen());
  EXPECT_EQ(TakeKeyHits(122), 0);
  InjectKey(164, true);
  InjectKey(13, true);
  InjectKey(13, false);
  InjectKey(164, false);
  EXPECT_FALSE(IsFullscreen());
  EXPECT_EQ(TakeKeyHits(13), 0);
  InjectKey(13, true);
  EXPECT_EQ(TakeKeyHits(13), 1) << "Enter alone is a key";
  EXPECT_FALSE(IsFullscreen());
}

TEST_F(Input, FocusIsTrackedAndThePausedClockStandsStill) {
  EXPECT_TRUE(HasWindowFocus());
  InjectFocusChange(false);
  EXPECT_FALSE(HasWindowFocus());
  InjectFocusChange(true);
  EXPECT_TRUE(HasWindowFocus());

  const int32_t start = ClockMillis();
  SetClockPaused(true);
  AdvanceVirtualClock(5000);
  EXPECT_EQ(ClockMillis(), start);
  SetClockPaused(false);
  EXPECT_EQ(ClockMillis(), start);
  AdvanceVirtualClock(16);
  EXPECT_EQ(ClockMillis(), start + 16);
}

// Game controllers are SDL's virtual joysticks here, plugged in and out
// through the same messages as real pads.
TEST_F(Input, ControllersComeAndGoAndEveryButtonActsByItsPosition) {
  const int pad = AttachVirtualPad(true);
  ASSERT_GE(pad, 0);
  EXPECT_EQ(ConnectedControllerCount(), 1);
  struct Case {
    int button;
    int action;
  };
  const Case cases[] = {{PAD_BUTTON_SOUTH, PAD_JUMP},          {PAD_BUTTON_WEST, PAD_ACTION},
                        {PAD_BUTTON_EAST, PAD_DRAW_WEAPON},    {PAD_BUTTON_NORTH, PAD_BAG},
                        {PAD_BUTTON_LEFT_SHOULDER, PAD_LOOK},  {PAD_BUTTON_BACK, PAD_SAVE},
                        {PAD_BUTTON_RIGHT_SHOULDER, PAD_LOAD}, {PAD_BUTTON_START, PAD_MENU},
                        {PAD_BUTTON_DPAD_LEFT, PAD_LEFT},      {PAD_BUTTON_DPAD_UP, PAD_UP}};
  for (const Case& c : cases) {
    SetVirtualPadButton(pad, c.button, true);
    EXPECT_EQ(IsPadActionDown(c.action), 1) << c.button;
    SetVirtualPadButton(pad, c.button, false);
    EXPECT_EQ(TakePadActionHits(c.action), 1) << c.button;
    EXPECT_EQ(IsPadActionDown(c.action), 0) << c.button;
  }
  // The stick beyond its dead zone is a direction; inside it, nothing.
  SetVirtualPadAxis(pad, PAD_AXIS_LEFT_X, 9000);
  EXPECT_EQ(IsPadActionDown(PAD_RIGHT), 0);
  SetVirtualPadAxis(pad, PAD_AXIS_LEFT_X, 30000);
  EXPECT_EQ(IsPadActionDown(PAD_RIGHT), 1);
  SetVirtualPadAxis(pad, PAD_AXIS_LEFT_Y, -30000);
  EXPECT_EQ(IsPadActionDown(PAD_UP), 1);
  EXPECT_EQ(TakePadActionHits(PAD_RIGHT), 1);
  // A disconnect releases everything held; the raw joystick port stays empty.
  SetVirtualPadButton(pad, PAD_BUTTON_SOUTH, true);
  EXPECT_EQ(IsPadButtonDown(0, 0), 0);
  DetachVirtualPad(pad);
  EXPECT_EQ(ConnectedControllerCount(), 0);
  EXPECT_EQ(IsPadActionDown(PAD_JUMP), 0);
  EXPECT_EQ(IsPadActionDown(PAD_RIGHT), 0);
}

TEST_F(Input, ADeviceWithoutAMappingIsTheRawJoystickOfPortZero) {
  const int stick = AttachVirtualPad(false);
  ASSERT_GE(stick, 0);
  EXPECT_EQ(ConnectedControllerCount(), 0);
  SetVirtualPadButton(stick, 1, true);
  EXPECT_EQ(IsPadButtonDown(1, 0), 1);
  EXPECT_EQ(IsPadActionDown(PAD_JUMP), 0);
  SetVirtualPadAxis(stick, 0, -32768);
  EXPECT_EQ(GetPadX(0), -1.0f);
  DetachVirtualPad(stick);
  EXPECT_EQ(IsPadButtonDown(1, 0), 0);
}

TEST_F(Input, ControllerDatabaseGivesSdlOnlyThisSystemsMappingLines) {
  const std::string text =
      "# a comment, then lines for this system, for all, for another, and rubbish\r\n"
      "0300000012340000abcd000001000000,Pad One,a:b0,b:b1,leftx:a0,platform:Linux,\r\n"
      "05000000aabb0000ccdd000000010000,Pad Two,a:b0,dpup:-a7,\n"
      "0300000012340000abcd000002000000,Pad Three,a:b0,platform:Windows,\n"
      "xinput,Pad Four,a:b0,\n"
      "0300000012340000abcd00000300000,Short Guid,a:b0,\n" +
      std::string("0300000012340000abcd000004000000,Long,") + std::string(3000, 'a') + ",\n\x01\xff";
  EXPECT_EQ(AddControllerMappings(text), 2);
}

}  // namespace
}  // namespace vn
