#pragma once
// Key caps: every prompt names the key the player has bound, drawn as a small
// key, or the pad's button when the last input came from a pad.
#include <cstdint>
#include <string>

namespace vn {

// What a prompt asks the player to press.
enum class PromptKey : uint8_t {
  kRight, kLeft, kUp, kDown, kJump, kDrawWeapon, kAction, kInventory, kLook,   // the nine bindings
  kLoad, kMenu,           // F3 and Escape in play
  kBagUse, kBagClose,     // the bag's own keys: left Control uses, I closes
  kCount
};

// The face of a cap: a text, or an arrow (0 right, 1 left, 2 up, 3 down);
// pad buttons are round and coloured.
struct KeyCapFace {
  std::string text;
  int arrow = -1;
  bool pad = false;
  uint8_t r = 0, g = 0, b = 0;   // a pad button's colour
};
KeyCapFace KeyCapFaceOf(PromptKey key);
// The face as plain text: "Strg", "Leertaste", "I", "→", "A", "LB" ...
std::string KeyCapLabel(PromptKey key);
// The short name of a key code, as a cap shows it: "Strg" for "Strg links".
std::string ShortKeyName(int code);

// A cap inside a notice's text ("Waffe wegstecken ({D}) ..."): the notice draws
// the cap of the key there. Texts never hold braces otherwise.
std::string CapToken(PromptKey key);
// The key a token's letter stands for; false for a letter that is none.
bool TokenKey(char letter, PromptKey& key);

// Size of the cap of a face in pixels (widths of labels are measured once).
int KeyCapWidth(const KeyCapFace& face);
int KeyCapHeight();
// Draws the cap with its top-left at (x, y) and returns its width.
int DrawKeyCap(const KeyCapFace& face, float x, float y);

// Draws the caps of every visible pictogram (layer-1 values 300..399), at the
// places each pictogram leaves for them.
void DrawPictogramKeyCaps();

}  // namespace vn
