#pragma once
// Keyboard, mouse, joystick and close requests, polled by the game. Key codes are
// the PC virtual-key numbers 1..255 (65..90 letters, 112..123 F1..F12, 160..165
// left/right Shift, Control, Alt, 101 keypad 5). Every query first handles the
// pending window messages, so answers are always current.
#include <cstdint>

namespace vn {

// Codes and buttons outside their ranges read as 0.
int IsKeyDown(int key);        // 1 while held
int TakeKeyHits(int key);      // presses since the last call for that key, then 0
void ClearKeys();              // handles pending messages, then clears every key
// In pixels of the picture the game draws, whatever the window's size.
int GetMouseX();
int GetMouseY();
// Moves of the pointer the player made since the last call, then 0. Where the
// pointer already rests when the window appears under it, or where it enters
// the window, is no move; neither is MovePointer.
int TakeMouseMoves();
// Puts the pointer on a picture pixel (menus moved by keys or pad).
void MovePointer(int x, int y);
int IsMouseDown(int button);   // 1 left, 2 right, 3 middle
int TakeMouseHits(int button);
void ClearMouseButtons();
void SetMouseVisible(int visible);
int TakeCloseRequest();        // 1 once per use of the window's close button
// False from the moment the window loses the keyboard focus until it gets it back.
bool HasWindowFocus();

int IsPadButtonDown(int button, int port);  // buttons 0..15; only port 0 exists
int TakePadButtonHits(int button, int port);
float GetPadX(int port);       // -1 .. +1, exactly -1 and +1 at the ends
float GetPadY(int port);
void ClearPadButtons(int port_mask);

// The kind of device that gave the last press, so that prompts can name the
// key or the pad button the player is using. Keyboard until a pad is used.
enum InputDevice : int { INPUT_KEYBOARD = 0, INPUT_PAD = 1 };
int LastInputDevice();
// Called by the pad layers on a button press or a stick pushed to a direction.
void NotePadInput();

// Handles all pending window messages (keys, mouse, focus, close, joystick
// hot-plug). Called by every query and by TTimer::Wait; the system is asked
// for news at most once per millisecond, the queue is emptied every time.
void PollInput();

// The virtual-key number of a physical key (USB HID usage id, the numbering
// SDL's scancodes use); 0 for keys the game has no number for.
uint8_t KeyCodeFromScancode(int scancode);
// A physical key that produces the virtual-key number, or 0 if none does.
int ScancodeFromKeyCode(int key);

// Test seams: events enter through the same translation the window's messages use.
void InjectScancode(int scancode, bool down, bool repeat = false);
void InjectKey(int key, bool down);          // via ScancodeFromKeyCode
void InjectMouseMove(int x, int y);          // window coordinates
void InjectMouseButton(int button, bool down);
void InjectCloseRequest();
void InjectFocusChange(bool gained);   // the window loses or gets back the focus
void InjectPadButton(int button, bool down); // port 0
void InjectPadAxis(int axis, float value);   // axis 0 = x, 1 = y; -1..+1
void InjectPadAxisRaw(int axis, int16_t raw); // the device's own scale, -32768..32767
// Forgets every state, pending hit and injected joystick (between tests).
void ResetInputForTest();

}  // namespace vn
