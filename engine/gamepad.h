#pragma once
// Game controllers: every pad SDL has a mapping for (its built-in ones, a
// gamecontrollerdb.txt beside the game, SDL_GAMECONTROLLERCONFIG) is read by
// the position of its buttons, and the game asks for actions of one default
// layout, not for buttons. Devices without a mapping stay raw joysticks
// (input.h's port 0). All connected controllers act together; they may come
// and go while the game runs.

#include <string>

namespace vn {

// Buttons by position (south = bottom of the four face buttons).
enum PadButton : int {
  PAD_BUTTON_SOUTH = 0, PAD_BUTTON_EAST, PAD_BUTTON_WEST, PAD_BUTTON_NORTH,
  PAD_BUTTON_BACK, PAD_BUTTON_GUIDE, PAD_BUTTON_START, PAD_BUTTON_LEFT_STICK, PAD_BUTTON_RIGHT_STICK,
  PAD_BUTTON_LEFT_SHOULDER, PAD_BUTTON_RIGHT_SHOULDER,
  PAD_BUTTON_DPAD_UP, PAD_BUTTON_DPAD_DOWN, PAD_BUTTON_DPAD_LEFT, PAD_BUTTON_DPAD_RIGHT,
};
// Axes: left stick x, y, right stick x, y, left trigger, right trigger.
enum PadAxis : int { PAD_AXIS_LEFT_X = 0, PAD_AXIS_LEFT_Y, PAD_AXIS_RIGHT_X, PAD_AXIS_RIGHT_Y,
                     PAD_AXIS_TRIGGER_LEFT, PAD_AXIS_TRIGGER_RIGHT };

// What the game asks for. Directions come from the d-pad and the left stick
// (beyond its dead zone); the rest from the layout in gamepad.cpp.
enum PadAction : int {
  // In play
  PAD_RIGHT = 0, PAD_LEFT, PAD_UP, PAD_DOWN,
  PAD_JUMP,         // south
  PAD_ACTION,       // west, right trigger: fire, use, pick up
  PAD_DRAW_WEAPON,  // east
  PAD_BAG,          // north
  PAD_LOOK,         // left shoulder, left trigger
  PAD_SAVE,         // back (select)
  PAD_LOAD,         // right shoulder
  PAD_MENU,         // start: back to the title menu
  // On the menus, the configuration screen, the bag and the closing screen
  PAD_CONFIRM,      // south, start
  PAD_CANCEL,       // east, back
  PAD_USE,          // south, west (the bag's use)
  PAD_CLOSE_BAG,    // east, north, start
  kPadActionCount
};

// Presses of the action's buttons since they were last taken (taking an action
// takes the presses of all its buttons), and whether one of them is held.
int TakePadActionHits(int action);
int IsPadActionDown(int action);
// Forgets every pending press (held buttons stay held).
void ClearPadActions();
// The number of controllers connected and in use.
int ConnectedControllerCount();
// Off: every device is a raw joystick, as without controller support.
void SetControllersEnabled(bool on);
bool ControllersEnabled();

// Reads the lines of a controller database (the gamecontrollerdb.txt format:
// "<guid>,<name>,<control>:<input>,..." with an optional "platform:" field)
// and hands the ones for this system to SDL. Comments, rubbish lines and
// files of more than 4 MiB are passed over. Returns the mappings SDL took.
int AddControllerMappings(const std::string& text);

// Test seams: SDL's virtual joysticks, which arrive and leave through the same
// hot-plug messages as real pads. A mapped one has the standard layout
// (buttons in PadButton order, axes in PadAxis order); an unmapped one has
// two axes and 16 buttons. Returns a handle, -1 when none could be made.
int AttachVirtualPad(bool mapped);
void SetVirtualPadButton(int handle, int button, bool down);
void SetVirtualPadAxis(int handle, int axis, int value);  // -32768..32767
void DetachVirtualPad(int handle);

}  // namespace vn
