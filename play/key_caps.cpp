#include "play/key_caps.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/text.h"
#include "play/bindings.h"
#include "play/key_names.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int kPadding = 4;        // between a cap's edge and its label
constexpr int kArrowCapWidth = 18;
constexpr int kGap = 3;            // between the parts of a pictogram's prompt

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int BoundCode(PromptKey key) {
  switch (key) {
    case PromptKey::kRight: return bindings.key_right;
    case PromptKey::kLeft: return bindings.key_left;
    case PromptKey::kUp: return bindings.key_up;
    case PromptKey::kDown: return bindings.key_down;
    case PromptKey::kJump: return bindings.key_jump;
    case PromptKey::kDrawWeapon: return bindings.key_draw_weapon;
    case PromptKey::kAction: return bindings.key_action;
    case PromptKey::kInventory: return bindings.key_inventory;
    case PromptKey::kLook: return bindings.key_look;
    case PromptKey::kLoad: return kKeyF3;
    case PromptKey::kMenu: return kKeyEscape;
    case PromptKey::kBagUse: return kKeyLeftControl;
    case PromptKey::kBagClose: return kKeyI;
    case PromptKey::kCount: break;
  }
  return 0;
}

KeyCapFace PadButtonFace(const char* text, uint8_t r, uint8_t g, uint8_t b) { return {text, -1, true, r, g, b}; }

// The buttons of the default controller layout (engine/gamepad.h), in the
// usual colours of their positions: south green, east red, west blue, north yellow.
KeyCapFace ControllerFace(PromptKey key) {
  switch (key) {
    case PromptKey::kRight: return {"", 0, true, 70, 70, 80};
    case PromptKey::kLeft: return {"", 1, true, 70, 70, 80};
    case PromptKey::kUp: return {"", 2, true, 70, 70, 80};
    case PromptKey::kDown: return {"", 3, true, 70, 70, 80};
    case PromptKey::kJump:
    case PromptKey::kBagUse: return PadButtonFace("A", 60, 160, 70);
    case PromptKey::kDrawWeapon:
    case PromptKey::kBagClose: return PadButtonFace("B", 200, 60, 60);
    case PromptKey::kAction: return PadButtonFace("X", 50, 110, 210);
    case PromptKey::kInventory: return PadButtonFace("Y", 220, 180, 40);
    case PromptKey::kLook: return PadButtonFace("LB", 70, 70, 80);
    case PromptKey::kLoad: return PadButtonFace("RB", 70, 70, 80);
    case PromptKey::kMenu: return PadButtonFace("Start", 70, 70, 80);
    case PromptKey::kCount: break;
  }
  return {};
}

// A joystick without a controller mapping: the numbered buttons play reads.
bool JoystickFace(PromptKey key, KeyCapFace& face) {
  int button = -1;
  switch (key) {
    case PromptKey::kRight: face = {"", 0, true, 70, 70, 80}; return true;
    case PromptKey::kLeft: face = {"", 1, true, 70, 70, 80}; return true;
    case PromptKey::kUp: face = {"", 2, true, 70, 70, 80}; return true;
    case PromptKey::kDown: face = {"", 3, true, 70, 70, 80}; return true;
    case PromptKey::kJump: button = 1; break;
    case PromptKey::kAction: button = 2; break;
    case PromptKey::kInventory: button = 3; break;
    case PromptKey::kDrawWeapon: button = 4; break;
    case PromptKey::kLook: button = 5; break;
    default: return false;   // no button does it: the key is named instead
  }
  face = PadButtonFace("", 70, 70, 80);
  face.text = "Knopf " + std::to_string(button);
  return true;
}

int LabelWidth(const std::string& text) {
  // Labels change only with a rebinding or another device: measure each once.
  static std::unordered_map<std::string, int> widths;
  auto found = widths.find(text);
  if (found != widths.end()) return found->second;
  const int w = MeasureTextWidth(text);
  widths.emplace(text, w);
  return w;
}

void DrawArrow(int arrow, float cx, float cy) {
  // A shaft and a stepped head, 11 x 9 pixels, pointing right before turning.
  auto rect = [&](float ax, float ay, float w, float h) {
    switch (arrow) {
      case 0: DrawRect(cx + ax, cy + ay, w, h); break;
      case 1: DrawRect(cx - ax - w, cy + ay, w, h); break;
      case 2: DrawRect(cx + ay, cy - ax - w, h, w); break;
      default: DrawRect(cx + ay, cy + ax, h, w); break;
    }
  };
  rect(-5, -1, 7, 2);
  for (int i = 0; i < 4; ++i) rect(float(1 + i), float(-4 + i), 1, float(8 - 2 * i));
}

struct PictogramPrompt {
  uint16_t first_value;
  int x;                 // left end of the prompt, from the pictogram's left edge
  const char* parts;     // keys (A action, J jump, D draw, I bag, R L U N arrows, B bag use) and '+', '>'
};

// The places each pictogram leaves free for its caps (row 12..31 of its cells).
constexpr PictogramPrompt kPictogramPrompts[] = {
    {300, 4, "A+R"}, {303, 30, "L+A"}, {306, 4, "A+R"}, {309, 30, "L+A"}, {312, 4, "D>A"},
    {316, 4, "A+U"}, {319, 4, "A+U+R"}, {322, 4, "A+J"}, {325, 4, "A+LR"}, {328, 4, "J"},
    {330, 4, "I"},   {336, 4, "A"},     {339, 4, "A+U+L"}, {342, 4, "A+R"}, {345, 30, "L+A"},
    {348, 4, "I LR B"}, {351, 4, "J"}, {353, 4, "D"}, {356, 4, "A"},
};
constexpr int kPromptTop = 12;

PromptKey PartKey(char part) {
  switch (part) {
    case 'A': return PromptKey::kAction;
    case 'J': return PromptKey::kJump;
    case 'D': return PromptKey::kDrawWeapon;
    case 'I': return PromptKey::kInventory;
    case 'R': return PromptKey::kRight;
    case 'L': return PromptKey::kLeft;
    case 'U': return PromptKey::kUp;
    case 'N': return PromptKey::kDown;
    default: return PromptKey::kBagUse;
  }
}

void DrawPrompt(const PictogramPrompt& prompt, float left, float top) {
  float x = left + float(prompt.x);
  const float y = top + kPromptTop;
  for (const char* part = prompt.parts; *part != 0; ++part) {
    if (*part == ' ') {
      x += kGap;
    } else if (*part == '+' || *part == '>') {
      const std::string sign(1, *part);
      SetColor(255, 214, 96);
      DrawTextAt(sign, x, y + float(KeyCapHeight() - FontLineHeight()) / 2);
      x += float(LabelWidth(sign) + 2);
    } else {
      x += float(DrawKeyCap(KeyCapFaceOf(PartKey(*part)), x, y) + 2);
    }
  }
  SetColor(255, 255, 255);
}

const PictogramPrompt* PromptAt(uint16_t value) {
  if (value < 300 || value > 399) return nullptr;
  for (const PictogramPrompt& prompt : kPictogramPrompts)
    if (prompt.first_value == value) return &prompt;
  return nullptr;
}

}  // namespace

void KeyNames::Reset() { *this = KeyNames{}; }

std::string ShortKeyName(int code) {
  if (code <= 0 || code > 255) return "?";
  std::string name = key_name_table.key_names[size_t(code)];
  if (name.empty()) return "Taste " + std::to_string(code);
  // "Strg links" is the Strg key players know; the right one keeps a hint.
  if (EndsWith(name, " links")) name.resize(name.size() - 6);
  else if (EndsWith(name, " rechts")) name.replace(name.size() - 7, 7, " re.");
  return name;
}

KeyCapFace KeyCapFaceOf(PromptKey key) {
  if (LastInputDevice() == INPUT_PAD) {
    if (ConnectedControllerCount() > 0) return ControllerFace(key);
    KeyCapFace face;
    if (JoystickFace(key, face)) return face;
  }
  const int code = BoundCode(key);
  switch (code) {
    case kKeyRight: return {"", 0};
    case kKeyLeft: return {"", 1};
    case kKeyUp: return {"", 2};
    case kKeyDown: return {"", 3};
    default: return {ShortKeyName(code)};
  }
}

std::string KeyCapLabel(PromptKey key) {
  static const char* const kArrows[] = {"\xE2\x86\x92", "\xE2\x86\x90", "\xE2\x86\x91", "\xE2\x86\x93"};
  const KeyCapFace face = KeyCapFaceOf(key);
  return face.arrow >= 0 ? kArrows[face.arrow] : face.text;
}

std::string CapToken(PromptKey key) { return std::string("{") + char('a' + int(key)) + "}"; }

bool TokenKey(char letter, PromptKey& key) {
  const int index = letter - 'a';
  if (index < 0 || index >= int(PromptKey::kCount)) return false;
  key = PromptKey(index);
  return true;
}

int KeyCapHeight() { return FontLineHeight() + 3; }

int KeyCapWidth(const KeyCapFace& face) {
  if (face.arrow >= 0) return kArrowCapWidth;
  return std::max(LabelWidth(face.text) + 2 * kPadding, KeyCapHeight());
}

int DrawKeyCap(const KeyCapFace& face, float x, float y) {
  const float w = float(KeyCapWidth(face));
  const float h = float(KeyCapHeight());
  // A dark rim with cut corners; keys get a lighter face over a darker lower
  // edge, pad buttons are one coloured body.
  SetColor(25, 25, 32);
  DrawRect(x + 2, y, w - 4, h);
  DrawRect(x, y + 2, w, h - 4);
  DrawRect(x + 1, y + 1, w - 2, h - 2);
  if (face.pad) {
    SetColor(face.r, face.g, face.b);
    DrawRect(x + 2, y + 1, w - 4, h - 2);
    DrawRect(x + 1, y + 2, w - 2, h - 4);
    SetColor(250, 250, 250);
  } else {
    SetColor(150, 146, 140);
    DrawRect(x + 1, y + 1, w - 2, h - 2);
    SetColor(242, 238, 228);
    DrawRect(x + 2, y + 1, w - 4, h - 5);
    SetColor(30, 28, 40);
  }
  if (face.arrow >= 0) {
    DrawArrow(face.arrow, x + w / 2, y + (face.pad ? h / 2 : (h - 3) / 2));
  } else {
    const float text_y = y + (face.pad ? 1.5f : 0.0f);
    DrawTextAt(face.text, x + float(int(w) - LabelWidth(face.text)) / 2, text_y);
  }
  SetColor(255, 255, 255);
  return int(w);
}

void DrawPictogramKeyCaps() {
  // A pictogram is drawn from its first cell, so cells just left of the view
  // are looked at too: its caps may reach into the view.
  for (int32_t r = 0; r <= int32_t(screen.view_rows) + 1; ++r) {
    for (int32_t k = -3; k <= int32_t(screen.view_cols) + 1; ++k) {
      const PictogramPrompt* prompt = PromptAt(GetTile(camera.cam_tile_x + k, camera.cam_tile_y + r, 1));
      if (prompt == nullptr) continue;
      DrawPrompt(*prompt, float(k * kTileSize + camera.cam_shift_x), float(r * kTileSize + camera.cam_shift_y));
    }
  }
}

}  // namespace vn
