// Game controllers through SDL's mapping layer, and the default layout.
#include "engine/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/events.h"
#include "engine/input.h"
#include "engine/paths.h"
#include "engine/stream.h"
#include "engine/text.h"

namespace vn {

namespace {

static_assert(int(PAD_BUTTON_SOUTH) == int(SDL_CONTROLLER_BUTTON_A) &&
              int(PAD_BUTTON_DPAD_RIGHT) == int(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              int(PAD_BUTTON_LEFT_SHOULDER) == int(SDL_CONTROLLER_BUTTON_LEFTSHOULDER));
static_assert(int(PAD_AXIS_TRIGGER_RIGHT) == int(SDL_CONTROLLER_AXIS_TRIGGERRIGHT));

// Controls: SDL's buttons, then the stick's four directions and the triggers,
// which count as held beyond a dead zone.
enum : int {
  kStickRight = SDL_CONTROLLER_BUTTON_MAX, kStickLeft, kStickUp, kStickDown, kTriggerLeft, kTriggerRight,
  kControlCount
};
// Half way out presses, back inside a third releases: a stick resting near
// the edge of the dead zone does not flicker.
constexpr int kPressAt = 16384, kReleaseAt = 11000;

constexpr int kNone = -1;
using Controls = std::array<int, 3>;
// The default layout, as players of side-scrolling platformers expect it:
// the south button jumps, the west one acts, the shoulders look and load.
constexpr std::array<Controls, kPadActionCount> kLayout = {{
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kStickRight, kNone},   // PAD_RIGHT
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kStickLeft, kNone},     // PAD_LEFT
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kStickUp, kNone},         // PAD_UP
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kStickDown, kNone},     // PAD_DOWN
    {SDL_CONTROLLER_BUTTON_A, kNone, kNone},                  // PAD_JUMP
    {SDL_CONTROLLER_BUTTON_X, kTriggerRight, kNone},          // PAD_ACTION
    {SDL_CONTROLLER_BUTTON_B, kNone, kNone},                  // PAD_DRAW_WEAPON
    {SDL_CONTROLLER_BUTTON_Y, kNone, kNone},                  // PAD_BAG
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kTriggerLeft, kNone},// PAD_LOOK
    {SDL_CONTROLLER_BUTTON_BACK, kNone, kNone},               // PAD_SAVE
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kNone, kNone},      // PAD_LOAD
    {SDL_CONTROLLER_BUTTON_START, kNone, kNone},              // PAD_MENU
    {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START, kNone},                        // PAD_CONFIRM
    {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_BACK, kNone},                         // PAD_CANCEL
    {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_X, kNone},                            // PAD_USE
    {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_START},      // PAD_CLOSE_BAG
}};

struct Controller {
  SDL_GameController* device = nullptr;
  SDL_JoystickID instance = -1;
  std::array<uint8_t, kControlCount> held{};
};
std::vector<Controller> controllers;
std::array<int32_t, kControlCount> hits{};
bool enabled = true;
std::vector<SDL_Joystick*> virtual_pads;  // the tests' side of their virtual devices

bool ControlHeld(int control) {
  return std::any_of(controllers.begin(), controllers.end(),
                     [control](const Controller& c) { return c.held[size_t(control)] != 0; });
}

// A press counts when no controller held the control before.
void SetControl(Controller& controller, int control, bool down) {
  uint8_t& held = controller.held[size_t(control)];
  if (down && held == 0 && !ControlHeld(control)) {
    ++hits[size_t(control)];
    NotePadInput();
  }
  held = down ? 1 : 0;
}

void SetAxisControl(Controller& controller, int control, int value) {
  const bool held = controller.held[size_t(control)] != 0;
  SetControl(controller, control, held ? value > kReleaseAt : value >= kPressAt);
}

void SetAxis(Controller& controller, int axis, int value) {
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
      SetAxisControl(controller, kStickRight, value);
      SetAxisControl(controller, kStickLeft, -value);
      break;
    case SDL_CONTROLLER_AXIS_LEFTY:
      SetAxisControl(controller, kStickDown, value);
      SetAxisControl(controller, kStickUp, -value);
      break;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT: SetAxisControl(controller, kTriggerLeft, value); break;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: SetAxisControl(controller, kTriggerRight, value); break;
    default: break;
  }
}

Controller* FindController(SDL_JoystickID instance) {
  for (Controller& c : controllers)
    if (c.instance == instance) return &c;
  return nullptr;
}

void OpenController(int device_index) {
  if (!IsMappedPad(device_index)) return;
  if (FindController(SDL_JoystickGetDeviceInstanceID(device_index)) != nullptr) return;
  SDL_GameController* device = SDL_GameControllerOpen(device_index);
  if (device == nullptr) return;
  Controller controller;
  controller.device = device;
  controller.instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(device));
  // What is already held when the pad arrives is held, not pressed.
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
    controller.held[size_t(b)] = SDL_GameControllerGetButton(device, SDL_GameControllerButton(b));
  controllers.push_back(controller);
}

void CloseController(SDL_JoystickID instance) {
  // Its held buttons go with it: nothing stays pressed after a disconnect.
  controllers.erase(std::remove_if(controllers.begin(), controllers.end(),
                                   [instance](const Controller& c) {
                                     if (c.instance != instance) return false;
                                     SDL_GameControllerClose(c.device);
                                     return true;
                                   }),
                    controllers.end());
}

int ActionHeld(int action) {
  if (action < 0 || action >= kPadActionCount) return 0;
  for (int control : kLayout[size_t(action)])
    if (control != kNone && ControlHeld(control)) return 1;
  return 0;
}

// The largest database in circulation is about half a megabyte.
constexpr size_t kMaxMappingFileBytes = 4 * 1024 * 1024;
// A mapping names at most a few dozen controls; a longer line is rubbish.
constexpr size_t kMaxMappingLineBytes = 2048;

// "platform:<name>," anywhere in the line; empty when the line names none.
std::string PlatformOf(const std::string& line) {
  const size_t at = line.find("platform:");
  if (at == std::string::npos) return {};
  const size_t start = at + 9;
  return line.substr(start, line.find(',', start) - start);
}

// A line SDL can take: "<32 hex digits>,<name>,<control:input>,...", printable.
bool LooksLikeMapping(const std::string& line) {
  if (line.size() < 34 || line.size() > kMaxMappingLineBytes || line[32] != ',') return false;
  for (size_t i = 0; i < 32; ++i)
    if (std::isxdigit(static_cast<unsigned char>(line[i])) == 0) return false;
  for (const char c : line)
    if (static_cast<unsigned char>(c) < 32) return false;
  return line.find(',', 33) != std::string::npos;
}

void AddMappingFile(const std::string& path) {
  std::error_code error;
  if (GetFileKind(path) != kFileKindRegular || std::filesystem::file_size(path, error) > kMaxMappingFileBytes) return;
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, bytes)) AddControllerMappings(std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int AddControllerMappings(const std::string& text) {
  if (text.size() > kMaxMappingFileBytes) return 0;
  int added = 0;
  for (const std::string& line : SplitLines(text)) {
    // Databases list every system; only this one's lines (and those for all) apply.
    if (!LooksLikeMapping(line)) continue;
    if (const std::string platform = PlatformOf(line); !platform.empty() && platform != SDL_GetPlatform()) continue;
    if (SDL_GameControllerAddMapping(line.c_str()) >= 0) ++added;
  }
  return added;
}

bool IsMappedPad(int device_index) { return enabled && SDL_IsGameController(device_index) == SDL_TRUE; }

void OpenControllers() {
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return;
  static bool mappings_loaded = false;
  if (!mappings_loaded) {
    // SDL reads SDL_GAMECONTROLLERCONFIG itself; a database file may lie in
    // the game's directory or beside the program.
    AddMappingFile("gamecontrollerdb.txt");
    if (const std::string folder = ExecutableFolder(); !folder.empty())
      AddMappingFile((std::filesystem::path(folder) / "gamecontrollerdb.txt").string());
    mappings_loaded = true;
  }
  for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenController(i);
}

void CloseControllers() {
  while (!controllers.empty()) CloseController(controllers.back().instance);
  for (SDL_Joystick* pad : virtual_pads)
    if (pad != nullptr) SDL_JoystickClose(pad);
  virtual_pads.clear();
  hits.fill(0);
}

void TranslateControllerEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: OpenController(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: CloseController(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Controller* c = FindController(event.cbutton.which); c && event.cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
        SetControl(*c, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (Controller* c = FindController(event.caxis.which)) SetAxis(*c, event.caxis.axis, event.caxis.value);
      break;
    default: break;
  }
}

int TakePadActionHits(int action) {
  PollInput();
  if (action < 0 || action >= kPadActionCount) return 0;
  int total = 0;
  for (int control : kLayout[size_t(action)]) {
    if (control == kNone) continue;
    total += hits[size_t(control)];
    hits[size_t(control)] = 0;
  }
  return total;
}

int IsPadActionDown(int action) {
  PollInput();
  return ActionHeld(action);
}

void ClearPadActions() { hits.fill(0); }

int ConnectedControllerCount() {
  PollInput();
  return int(controllers.size());
}

void SetControllersEnabled(bool on) { enabled = on; }

bool ControllersEnabled() { return enabled; }

int AttachVirtualPad(bool mapped) {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return -1;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = Uint16(mapped ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN);
  desc.naxes = mapped ? SDL_CONTROLLER_AXIS_MAX : 2;
  desc.nbuttons = mapped ? SDL_CONTROLLER_BUTTON_MAX : 16;
  desc.name = mapped ? "Vornadel test pad" : "Vornadel test joystick";
  // SDL maps a virtual pad's buttons and axes in this order, one per set bit.
  if (mapped) {
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  }
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return -1;
  virtual_pads.push_back(SDL_JoystickOpen(index));
  FetchInput();  // the hot-plug message opens it for the game
  return int(virtual_pads.size()) - 1;
}

void SetVirtualPadButton(int handle, int button, bool down) {
  if (handle < 0 || size_t(handle) >= virtual_pads.size() || virtual_pads[size_t(handle)] == nullptr) return;
  SDL_JoystickSetVirtualButton(virtual_pads[size_t(handle)], button, down ? SDL_PRESSED : SDL_RELEASED);
  FetchInput();
}

void SetVirtualPadAxis(int handle, int axis, int value) {
  if (handle < 0 || size_t(handle) >= virtual_pads.size() || virtual_pads[size_t(handle)] == nullptr) return;
  SDL_JoystickSetVirtualAxis(virtual_pads[size_t(handle)], axis, Sint16(std::clamp(value, -32768, 32767)));
  FetchInput();
}

void DetachVirtualPad(int handle) {
  if (handle < 0 || size_t(handle) >= virtual_pads.size() || virtual_pads[size_t(handle)] == nullptr) return;
  SDL_Joystick* pad = virtual_pads[size_t(handle)];
  const SDL_JoystickID instance = SDL_JoystickInstanceID(pad);
  SDL_JoystickClose(pad);
  virtual_pads[size_t(handle)] = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == instance) SDL_JoystickDetachVirtual(i);
  FetchInput();
}

}  // namespace vn
