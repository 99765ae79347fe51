// Physical keys to the game's key codes. The game's numbers are the PC
// virtual-key numbers of a US layout, chosen by key position (scancode), never by
// the character a layout prints on the key: a binding stays on the same key
// whatever keyboard layout the player uses.
#include <SDL.h>

#include <array>
#include <utility>

#include "engine/input.h"

namespace vn {

namespace {

using KeyPair = std::pair<SDL_Scancode, uint8_t>;

constexpr KeyPair kNamedKeys[] = {
    {SDL_SCANCODE_RETURN, 13},       {SDL_SCANCODE_ESCAPE, 27},      {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},           {SDL_SCANCODE_SPACE, 32},       {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_EQUALS, 187},      {SDL_SCANCODE_LEFTBRACKET, 219}, {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_BACKSLASH, 220},   {SDL_SCANCODE_NONUSHASH, 220},  {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_APOSTROPHE, 222},  {SDL_SCANCODE_GRAVE, 192},      {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_PERIOD, 190},      {SDL_SCANCODE_SLASH, 191},      {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_PRINTSCREEN, 44},  {SDL_SCANCODE_SCROLLLOCK, 145}, {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_INSERT, 45},       {SDL_SCANCODE_HOME, 36},        {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_DELETE, 46},       {SDL_SCANCODE_END, 35},         {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_RIGHT, 39},        {SDL_SCANCODE_LEFT, 37},        {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_UP, 38},           {SDL_SCANCODE_NUMLOCKCLEAR, 144}, {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_KP_MULTIPLY, 106}, {SDL_SCANCODE_KP_MINUS, 109},   {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_ENTER, 13},     {SDL_SCANCODE_KP_PERIOD, 110},
    // The key between left Shift and Z on European keyboards.
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
    {SDL_SCANCODE_APPLICATION, 93},  {SDL_SCANCODE_EXECUTE, 43},     {SDL_SCANCODE_HELP, 47},
    {SDL_SCANCODE_MENU, 93},         {SDL_SCANCODE_SELECT, 41},      {SDL_SCANCODE_STOP, 169},
    {SDL_SCANCODE_MUTE, 173},        {SDL_SCANCODE_VOLUMEUP, 175},   {SDL_SCANCODE_VOLUMEDOWN, 174},
    {SDL_SCANCODE_SYSREQ, 44},       {SDL_SCANCODE_CANCEL, 3},       {SDL_SCANCODE_CLEAR, 12},
    // Modifiers always as their left or right variant, never generic 16, 17, 18.
    {SDL_SCANCODE_LCTRL, 162},       {SDL_SCANCODE_LSHIFT, 160},     {SDL_SCANCODE_LALT, 164},
    {SDL_SCANCODE_LGUI, 91},         {SDL_SCANCODE_RCTRL, 163},      {SDL_SCANCODE_RSHIFT, 161},
    {SDL_SCANCODE_RALT, 165},        {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_AUDIONEXT, 176},   {SDL_SCANCODE_AUDIOPREV, 177},  {SDL_SCANCODE_AUDIOSTOP, 178},
    {SDL_SCANCODE_AUDIOPLAY, 179},   {SDL_SCANCODE_AUDIOMUTE, 173},  {SDL_SCANCODE_MEDIASELECT, 181},
    {SDL_SCANCODE_MAIL, 180},        {SDL_SCANCODE_CALCULATOR, 183}, {SDL_SCANCODE_COMPUTER, 182},
    {SDL_SCANCODE_AC_SEARCH, 170},   {SDL_SCANCODE_AC_HOME, 172},    {SDL_SCANCODE_AC_BACK, 166},
    {SDL_SCANCODE_AC_FORWARD, 167},  {SDL_SCANCODE_AC_STOP, 169},    {SDL_SCANCODE_AC_REFRESH, 168},
    {SDL_SCANCODE_AC_BOOKMARKS, 171}, {SDL_SCANCODE_SLEEP, 95},
};

using KeyTable = std::array<uint8_t, SDL_NUM_SCANCODES>;

constexpr KeyTable BuildKeyTable() {
  KeyTable table{};
  for (int i = 0; i < 26; ++i) table[size_t(SDL_SCANCODE_A + i)] = uint8_t(65 + i);
  // Scancodes run 1..9 then 0; the key codes run 0..9.
  for (int i = 0; i < 9; ++i) table[size_t(SDL_SCANCODE_1 + i)] = uint8_t(49 + i);
  table[SDL_SCANCODE_0] = 48;
  for (int i = 0; i < 12; ++i) table[size_t(SDL_SCANCODE_F1 + i)] = uint8_t(112 + i);
  for (int i = 0; i < 12; ++i) table[size_t(SDL_SCANCODE_F13 + i)] = uint8_t(124 + i);
  // The keypad digits are physical keys: keypad 5 is 101 whether NumLock is on or not.
  for (int i = 0; i < 9; ++i) table[size_t(SDL_SCANCODE_KP_1 + i)] = uint8_t(97 + i);
  table[SDL_SCANCODE_KP_0] = 96;
  for (const auto& [scancode, key] : kNamedKeys) table[scancode] = key;
  return table;
}

constexpr KeyTable kKeyTable = BuildKeyTable();

constexpr std::array<int, 256> BuildReverseTable() {
  std::array<int, 256> reverse{};
  // Lowest scancode first, so the main-block key wins over the keypad's twin.
  for (size_t scancode = SDL_NUM_SCANCODES; scancode-- > 1;) {
    if (kKeyTable[scancode] != 0) reverse[kKeyTable[scancode]] = int(scancode);
  }
  return reverse;
}

constexpr std::array<int, 256> kReverseTable = BuildReverseTable();

}  // namespace

uint8_t KeyCodeFromScancode(int scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kKeyTable[size_t(scancode)];
}

int ScancodeFromKeyCode(int key) {
  if (key < 0 || key > 255) return 0;
  return kReverseTable[size_t(key)];
}

}  // namespace vn
