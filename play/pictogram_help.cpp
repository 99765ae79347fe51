#include "play/pictogram_help.h"

#include <map>
#include <utility>

#include "play/key_caps.h"
#include "play/notice.h"
#include "world/map.h"

namespace vn {
namespace {

constexpr int32_t kHelpMs = 6000;
constexpr int32_t kAfterLeavingMs = 2500;
constexpr int kHelpsPerPictogram = 3;   // per run: a crate pushed to and fro is not a new visit each time
constexpr int kRowsAbove = 5;           // pictograms hang up to this many rows above the figure
// and up to this many columns to its side: a player jumps at a wall from flush
// against it, a step beside a pictogram hung over the wall's top.
constexpr int kColumnsBeside = 2;

struct Pictogram {
  uint16_t first_value;
  int cells;
};

constexpr Pictogram kPictograms[] = {
    {300, 3}, {303, 3}, {306, 3}, {309, 3}, {312, 3}, {315, 1}, {316, 3}, {319, 3}, {322, 3}, {325, 3},
    {328, 2}, {330, 2}, {332, 1}, {333, 1}, {334, 1}, {335, 1}, {336, 3}, {339, 3}, {342, 3}, {345, 3},
    {348, 3}, {351, 2}, {353, 3}, {356, 2},
};

const Pictogram* PictogramOf(uint16_t value) {
  for (const Pictogram& pictogram : kPictograms)
    if (value >= pictogram.first_value && value < pictogram.first_value + pictogram.cells) return &pictogram;
  return nullptr;
}

std::string Cap(PromptKey key) { return CapToken(key); }

struct HelpState {
  std::pair<int32_t, int32_t> visiting{-1, -1};   // first cell of the pictogram the figure is at
  bool explained = false;                          // this visit has had its sentence
  std::string shown;                               // our last sentence as the notice reads it
  std::string shown_tokens;                        // and as it was given to the notice
  std::map<std::pair<int32_t, int32_t>, int> told;
};
HelpState help;

}  // namespace

std::string PictogramHelpText(uint16_t value) {
  const Pictogram* pictogram = PictogramOf(value);
  if (pictogram == nullptr) return {};
  const std::string action = Cap(PromptKey::kAction);
  switch (pictogram->first_value) {
    case 300: return "Hochziehen: an der Kante " + action + " halten und " + Cap(PromptKey::kRight) + " zur Wand halten";
    case 303: return "Hochziehen: an der Kante " + action + " halten und " + Cap(PromptKey::kLeft) + " zur Wand halten";
    case 306:
      return "Schieben: ganz an die Kiste gehen, " + action + " halten und " + Cap(PromptKey::kRight) +
             " für jedes Feld neu drücken, sobald die Kiste steht";
    case 309:
      return "Schieben: ganz an die Kiste gehen, " + action + " halten und " + Cap(PromptKey::kLeft) +
             " für jedes Feld neu drücken, sobald die Kiste steht";
    case 312:
      return "Waffe ziehen mit " + Cap(PromptKey::kDrawWeapon) + ", dann " + action +
             " gedrückt halten: sie zielt von selbst auf Gegner in freier Sicht. Noch einmal " +
             Cap(PromptKey::kDrawWeapon) + " steckt sie weg";
    case 316:
      return "Klettern: " + action + " halten und " + Cap(PromptKey::kUp) + " oder " + Cap(PromptKey::kDown) +
             " halten, die Waffe vorher weggesteckt (" + Cap(PromptKey::kDrawWeapon) + ")";
    case 319:
      return "Oben von der Leiter: " + action + " und " + Cap(PromptKey::kUp) + " halten, dazu " + Cap(PromptKey::kRight);
    case 339:
      return "Oben von der Leiter: " + action + " und " + Cap(PromptKey::kUp) + " halten, dazu " + Cap(PromptKey::kLeft);
    case 322:
      return "Festhalten: " + action + " halten, zur Wand laufen (" + Cap(PromptKey::kLeft) + " oder " +
             Cap(PromptKey::kRight) + ") und dabei mit " + Cap(PromptKey::kJump) + " springen";
    case 325:
      return "An der Decke: im Sprung " + action + " halten, mit " + Cap(PromptKey::kLeft) + Cap(PromptKey::kRight) +
             " hangeln, loslassen zum Fallen";
    case 328:
      return "Aussteigen: bis an die Uferwand fahren, dort hält das Boot heil, dann " + Cap(PromptKey::kJump) +
             " drücken und zum Ufer halten";
    case 330:
      return "Inventar: " + Cap(PromptKey::kInventory) + " öffnet es, " + Cap(PromptKey::kBagUse) + " benutzt das Gezeigte";
    case 336:
      return "Aufheben: genau auf den Gegenstand gehen, bis die Taste hell ist, dann " + action +
             " drücken (auch mit gezogener Waffe)";
    case 342:
      return "Stufe hoch: Waffe weggesteckt ganz an die Stufe gehen, dann " + action + " und " + Cap(PromptKey::kRight) +
             " halten";
    case 345:
      return "Stufe hoch: Waffe weggesteckt ganz an die Stufe gehen, dann " + action + " und " + Cap(PromptKey::kLeft) +
             " halten";
    case 348:
      return "Waffe wechseln: " + Cap(PromptKey::kInventory) + " öffnen, mit " + Cap(PromptKey::kLeft) +
             Cap(PromptKey::kRight) + " blättern, " + Cap(PromptKey::kBagUse) + " wählt";
    case 351: return "Einsteigen: ganz ins Boot oder genau darunter gehen, dann " + Cap(PromptKey::kJump) + " drücken";
    case 353: return "Zum Klettern die Waffe mit " + Cap(PromptKey::kDrawWeapon) + " wegstecken";
    case 356: return "Schloss: mit einem Schlüssel ganz hineingehen, dann " + action + " drücken";
    // Players asked what the green arrows mean: the way on (or where a crate goes).
    case 332:
    case 333:
    case 334:
    case 335: return "Der grüne Pfeil zeigt, wo es weitergeht";
    default: return {};
  }
}

void ResetPictogramHelp() { help = HelpState{}; }

void ExplainPictogramNearby(const TileProbes& p) {
  std::pair<int32_t, int32_t> found{-1, -1};
  uint16_t found_value = 0;
  for (int32_t up = 0; up <= kRowsAbove && found_value == 0; ++up) {
    for (int32_t dc = -kColumnsBeside; dc <= kColumnsBeside; ++dc) {
      const uint16_t value = GetTile(p.col + dc, p.row - up, 1);
      if (PictogramHelpText(value).empty()) continue;
      const Pictogram* pictogram = PictogramOf(value);
      found = {p.col + dc - (value - pictogram->first_value), p.row - up};
      found_value = value;
      break;
    }
  }
  if (found != help.visiting) {
    // Once the figure has gone on, the sentence about the pictogram behind it
    // stays only a moment, as a sign's text does.
    if (help.explained && !help.shown.empty() && CurrentNotice() == help.shown) ShowNotice(help.shown_tokens, kAfterLeavingMs);
    help.visiting = found;
    help.explained = false;
  }
  // Another notice is not cut short, but a sentence about the pictogram just
  // passed gives way to the one the figure has come to.
  const std::string current = CurrentNotice();
  if (found_value == 0 || help.explained || (!current.empty() && current != help.shown)) return;
  help.explained = true;
  int& told = help.told[found];
  if (told >= kHelpsPerPictogram) return;
  ++told;
  help.shown_tokens = PictogramHelpText(found_value);
  ShowNotice(help.shown_tokens, kHelpMs);
  help.shown = CurrentNotice();
}

}  // namespace vn
