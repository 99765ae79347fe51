#include "engine/input.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/display_scale.h"
#include "engine/events.h"
#include "engine/gamepad.h"

namespace vn {

namespace {

// Held flags and press counts; a press counts only on the change from released
// to held, so a key held for seconds (and SDL's repeats) is one hit.
template <size_t N>
struct PressTable {
  std::array<uint8_t, N> held{};
  std::array<int32_t, N> hits{};

  void Press(size_t i) {
    if (held[i] != 0) return;
    held[i] = 1;
    ++hits[i];
  }
  void Release(size_t i) { held[i] = 0; }
  int IsDown(int i) const { return InRange(i) ? held[size_t(i)] : 0; }
  int Take(int i) {
    if (!InRange(i)) return 0;
    const int32_t n = hits[size_t(i)];
    hits[size_t(i)] = 0;
    return n;
  }
  void Clear() {
    held.fill(0);
    hits.fill(0);
  }
  static bool InRange(int i) { return i >= 0 && size_t(i) < N; }
};

constexpr size_t kPadButtons = 16;
// Marks injected pad events; SDL's own instance ids are never negative.
constexpr SDL_JoystickID kInjectedPad = -1;

PressTable<256> keys;
PressTable<4> mouse_buttons;  // 1 left, 2 right, 3 middle; 0 is never set
int mouse_x = 0;   // picture pixels
int mouse_y = 0;
int mouse_window_x = 0;   // window coordinates of the last position
int mouse_window_y = 0;
// The next position report only tells where the pointer is: the first one, and
// the one that comes with the pointer entering the window (a window opening
// under a resting pointer). Only later changes are moves the player made.
bool pointer_report_is_placement = true;
int mouse_moves = 0;   // moves the player made since TakeMouseMoves
int mouse_wheel = 0;
int close_request = 0;
int last_device = INPUT_KEYBOARD;
bool window_focused = true;

struct PadState {
  SDL_Joystick* device = nullptr;
  SDL_JoystickID instance = kInjectedPad;
  uint32_t buttons = 0;  // bit b set while button b is held
  std::array<int32_t, kPadButtons> hits{};
  std::array<float, 2> axes{};
};
PadState pad;

int MouseButtonFromSdl(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

uint8_t SdlButtonFromMouse(int button) {
  switch (button) {
    case 1: return SDL_BUTTON_LEFT;
    case 2: return SDL_BUTTON_RIGHT;
    case 3: return SDL_BUTTON_MIDDLE;
    default: return 0;
  }
}

// The device reports -32768..32767; folding -32768 onto -32767 makes both
// ends exactly -1 and +1 and the middle exactly 0.
float AxisValue(Sint16 raw) { return float(std::max<int>(raw, -32767)) / 32767.0f; }

void ClearMouseState() {
  mouse_buttons.Clear();
  mouse_wheel = 0;
}

void ResetPadState() {
  pad.buttons = 0;
  pad.hits.fill(0);
  pad.axes.fill(0.0f);
}

bool IsPortZero(SDL_JoystickID which) {
  return which == kInjectedPad || (pad.device != nullptr && which == pad.instance);
}

void SetPadButton(uint8_t button, bool down) {
  if (button >= kPadButtons) return;
  const uint32_t bit = 1u << button;
  if (down && (pad.buttons & bit) == 0) {
    ++pad.hits[button];
    NotePadInput();
  }
  pad.buttons = down ? (pad.buttons | bit) : (pad.buttons & ~bit);
}

void OpenPad(int device_index) {
  if (IsMappedPad(device_index)) return;   // read through the controller layer instead
  SDL_Joystick* device = SDL_JoystickOpen(device_index);
  if (device == nullptr) return;
  pad.device = device;
  pad.instance = SDL_JoystickInstanceID(device);
  ResetPadState();
  // Buttons already held when the pad appears are held, not pressed.
  const int buttons = std::min<int>(SDL_JoystickNumButtons(device), int(kPadButtons));
  for (int b = 0; b < buttons; ++b)
    if (SDL_JoystickGetButton(device, b) != 0) pad.buttons |= 1u << b;
  const int axes = std::min<int>(SDL_JoystickNumAxes(device), int(pad.axes.size()));
  for (int a = 0; a < axes; ++a) pad.axes[size_t(a)] = AxisValue(SDL_JoystickGetAxis(device, a));
}

bool WindowMinimised(uint32_t window_id) {
  SDL_Window* window = SDL_GetWindowFromID(window_id);
  return window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
}

void TranslateWindowEvent(const SDL_WindowEvent& window) {
  if (window.event == SDL_WINDOWEVENT_FOCUS_LOST || window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
    window_focused = window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
    // Key-up messages go to the other program while it has the focus: without
    // this a key held while switching away would stay held forever. Coming
    // back, a modifier still down from the switch must not count as a press.
    if (window.event == SDL_WINDOWEVENT_FOCUS_GAINED && WindowMinimised(window.windowID)) return;
    keys.Clear();
    ClearMouseState();
  } else if (window.event == SDL_WINDOWEVENT_ENTER) {
    pointer_report_is_placement = true;
  } else if (window.event == SDL_WINDOWEVENT_CLOSE) {
    close_request = 1;
  }
}

void TranslateMouseButton(const SDL_MouseButtonEvent& event, bool down) {
  const int button = MouseButtonFromSdl(event.button);
  if (button == 0) return;
  int x = 0, y = 0;
  // A click on the black bars around a scaled picture does nothing.
  if (down && !WindowToPicture(event.x, event.y, x, y)) return;
  if (down) {
    mouse_buttons.Press(size_t(button));
    SDL_CaptureMouse(SDL_TRUE);  // the release arrives even outside the window
    return;
  }
  mouse_buttons.Release(size_t(button));
  if (std::all_of(mouse_buttons.held.begin(), mouse_buttons.held.end(), [](uint8_t h) { return h == 0; }))
    SDL_CaptureMouse(SDL_FALSE);
}

void TranslatePadEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      if (pad.device == nullptr) OpenPad(event.jdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      if (pad.device != nullptr && event.jdevice.which == pad.instance) ClosePad();
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (IsPortZero(event.jbutton.which)) SetPadButton(event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
      break;
    case SDL_JOYAXISMOTION:
      if (IsPortZero(event.jaxis.which) && event.jaxis.axis < pad.axes.size()) {
        pad.axes[event.jaxis.axis] = AxisValue(event.jaxis.value);
        if (std::abs(pad.axes[event.jaxis.axis]) > 0.5f) NotePadInput();
      }
      break;
    default:
      break;
  }
}

}  // namespace

void TranslateEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      if (event.key.repeat != 0) break;
      if (HandleDisplayKey(event.key.keysym.scancode, keys.held[164] != 0 || keys.held[165] != 0)) break;
      if (const uint8_t key = KeyCodeFromScancode(event.key.keysym.scancode); key != 0) {
        keys.Press(key);
        last_device = INPUT_KEYBOARD;
      }
      break;
    case SDL_KEYUP:
      if (const uint8_t key = KeyCodeFromScancode(event.key.keysym.scancode); key != 0) keys.Release(key);
      break;
    case SDL_MOUSEMOTION:
      if (!pointer_report_is_placement && (event.motion.x != mouse_window_x || event.motion.y != mouse_window_y))
        ++mouse_moves;
      pointer_report_is_placement = false;
      mouse_window_x = event.motion.x;
      mouse_window_y = event.motion.y;
      WindowToPicture(event.motion.x, event.motion.y, mouse_x, mouse_y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateMouseButton(event.button, event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_MOUSEWHEEL:
      mouse_wheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_QUIT:
      close_request = 1;
      break;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYAXISMOTION:
      TranslatePadEvent(event);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      TranslateControllerEvent(event);
      break;
    default:
      if (TimerEventType() != 0 && event.type == TimerEventType()) CountTimerTick(event.user);
      break;
  }
}

void OpenFirstPad() {
  if (pad.device != nullptr || SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  SDL_JoystickEventState(SDL_ENABLE);
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count && pad.device == nullptr; ++i) OpenPad(i);
}

void ClosePad() {
  if (pad.device != nullptr) SDL_JoystickClose(pad.device);
  pad.device = nullptr;
  pad.instance = kInjectedPad;
  ResetPadState();
}

namespace {

uint64_t last_fetch_ms = 0;

void TranslateQueuedEvents() {
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) TranslateEvent(event);
}

}  // namespace

void PollInput() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  // Fetching news from the system polls the window system and every joystick
  // driver with system calls, while play asks for keys hundreds of times a
  // frame (the exit chord is read for every character): news is fetched at
  // most once per millisecond, and what is already queued is taken every time.
  const uint64_t now = SDL_GetTicks64();
  if (now != last_fetch_ms) {
    last_fetch_ms = now;
    SDL_PumpEvents();
  }
  TranslateQueuedEvents();
}

void FetchInput() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  last_fetch_ms = SDL_GetTicks64();
  SDL_PumpEvents();
  TranslateQueuedEvents();
}

int IsKeyDown(int key) {
  PollInput();
  return keys.IsDown(key);
}

int TakeKeyHits(int key) {
  PollInput();
  return keys.Take(key);
}

void ClearKeys() {
  PollInput();
  keys.Clear();
}

int GetMouseX() {
  PollInput();
  return mouse_x;
}

int GetMouseY() {
  PollInput();
  return mouse_y;
}

int TakeMouseMoves() {
  PollInput();
  const int moves = mouse_moves;
  mouse_moves = 0;
  return moves;
}

void MovePointer(int x, int y) {
  PollInput();
  PictureToWindow(x, y, mouse_window_x, mouse_window_y);
  mouse_x = x;
  mouse_y = y;
  // Only a window in front may take the system's pointer.
  if (SDL_Window* window = CurrentWindow(); window != nullptr && window_focused)
    SDL_WarpMouseInWindow(window, mouse_window_x, mouse_window_y);
}

int IsMouseDown(int button) {
  PollInput();
  return mouse_buttons.IsDown(button);
}

int TakeMouseHits(int button) {
  PollInput();
  return mouse_buttons.Take(button);
}

void ClearMouseButtons() { ClearMouseState(); }

void SetMouseVisible(int visible) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_ShowCursor(visible != 0 ? SDL_ENABLE : SDL_DISABLE);
}

int TakeCloseRequest() {
  PollInput();
  const int request = close_request;
  close_request = 0;
  return request;
}

int IsPadButtonDown(int button, int port) {
  PollInput();
  if (port != 0 || button < 0 || button >= int(kPadButtons)) return 0;
  return (pad.buttons >> button) & 1u ? 1 : 0;
}

int TakePadButtonHits(int button, int port) {
  PollInput();
  if (port != 0 || button < 0 || button >= int(kPadButtons)) return 0;
  const int32_t hits = pad.hits[size_t(button)];
  pad.hits[size_t(button)] = 0;
  return hits;
}

float GetPadX(int port) {
  PollInput();
  return port == 0 ? pad.axes[0] : 0.0f;
}

float GetPadY(int port) {
  PollInput();
  return port == 0 ? pad.axes[1] : 0.0f;
}

void ClearPadButtons(int port_mask) {
  if ((port_mask & 1) == 0) return;
  PollInput();
  pad.buttons = 0;
  pad.hits.fill(0);
  // All ports: the controllers' pending presses go too.
  if (port_mask == -1) ClearPadActions();
}

void InjectScancode(int scancode, bool down, bool repeat) {
  if (scancode <= 0 || scancode >= SDL_NUM_SCANCODES) return;
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = SDL_Scancode(scancode);
  TranslateEvent(event);
}

void InjectKey(int key, bool down) { InjectScancode(ScancodeFromKeyCode(key), down); }

void InjectMouseMove(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  TranslateEvent(event);
}

void InjectMouseButton(int button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = SdlButtonFromMouse(button);
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = mouse_window_x;
  event.button.y = mouse_window_y;
  TranslateEvent(event);
}

void InjectCloseRequest() {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  TranslateEvent(event);
}

void InjectFocusChange(bool gained) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
  TranslateEvent(event);
}

bool HasWindowFocus() {
  PollInput();
  return window_focused;
}

void InjectPadButton(int button, bool down) {
  if (button < 0 || button > 255) return;
  SDL_Event event{};
  event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  event.jbutton.which = kInjectedPad;
  event.jbutton.button = uint8_t(button);
  event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  TranslateEvent(event);
}

void InjectPadAxisRaw(int axis, int16_t raw) {
  if (axis < 0 || axis > 255) return;
  SDL_Event event{};
  event.type = SDL_JOYAXISMOTION;
  event.jaxis.which = kInjectedPad;
  event.jaxis.axis = uint8_t(axis);
  event.jaxis.value = raw;
  TranslateEvent(event);
}

void InjectPadAxis(int axis, float value) {
  const float clamped = std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
  InjectPadAxisRaw(axis, int16_t(std::lround(clamped * 32767.0f)));
}

void ResetInputForTest() {
  PollInput();
  keys.Clear();
  ClearMouseState();
  mouse_x = 0;
  mouse_y = 0;
  mouse_window_x = 0;
  mouse_window_y = 0;
  pointer_report_is_placement = true;
  mouse_moves = 0;
  close_request = 0;
  window_focused = true;
  last_device = INPUT_KEYBOARD;
  ResetPadState();
  ClearPadActions();
}

int LastInputDevice() { return last_device; }

void NotePadInput() { last_device = INPUT_PAD; }

}  // namespace vn
