#include "tools/gen/key_names.h"

#include <algorithm>
#include <string>

namespace vngen {
namespace {

// Keys with a name of their own. The punctuation codes follow a German keyboard:
// the key right of "P" is "Ü", and so on.
const KeyName kNamedKeys[] = {
    {3, "Untbr"},
    {8, "Rücktaste"},
    {9, "Tab"},
    {12, "Löschen"},
    {13, "Eingabe"},
    {19, "Pause"},
    {20, "Feststelltaste"},
    {27, "Esc"},
    {32, "Leertaste"},
    {33, "Bild auf"},
    {34, "Bild ab"},
    {35, "Ende"},
    {36, "Pos1"},
    {37, "Pfeil links"},
    {38, "Pfeil oben"},
    {39, "Pfeil rechts"},
    {40, "Pfeil unten"},
    {41, "Auswählen"},
    {43, "Ausführen"},
    {44, "Druck"},
    {45, "Einfg"},
    {46, "Entf"},
    {47, "Hilfe"},
    {91, "Windows links"},
    {92, "Windows rechts"},
    {93, "Menü"},
    {95, "Standby"},
    {106, "Num *"},
    {107, "Num +"},
    {109, "Num -"},
    {110, "Num ,"},
    {111, "Num /"},
    {144, "Num"},
    {145, "Rollen"},
    {160, "Umschalt links"},
    {161, "Umschalt rechts"},
    {162, "Strg links"},
    {163, "Strg rechts"},
    {164, "Alt links"},
    {165, "Alt Gr"},
    // Browser, media and launch keys of multimedia keyboards.
    {166, "Browser zurück"},
    {167, "Browser vor"},
    {168, "Aktualisieren"},
    {169, "Stopp"},
    {170, "Suche"},
    {171, "Favoriten"},
    {172, "Startseite"},
    {173, "Stumm"},
    {174, "Leiser"},
    {175, "Lauter"},
    {176, "Nächster Titel"},
    {177, "Voriger Titel"},
    {178, "Wiedergabe stoppen"},
    {179, "Wiedergabe/Pause"},
    {180, "E-Mail"},
    {181, "Medien"},
    {182, "Arbeitsplatz"},
    {183, "Rechner"},
    // Punctuation keys are numbered by their place on the keyboard, so these are
    // the German keys' names at those places.
    {186, "Ö"},
    {187, "´"},
    {188, ","},
    {189, "ß"},
    {190, "."},
    {191, "-"},
    {192, "^"},
    {219, "Ü"},
    {220, "#"},
    {221, "+"},
    {222, "Ä"},
    {226, "<"},
};

void AddFamily(std::vector<KeyName>& table, int first_code, int count, const auto& name_of) {
  for (int i = 0; i < count; ++i) table.push_back({uint8_t(first_code + i), name_of(i)});
}

std::vector<KeyName> BuildTable() {
  std::vector<KeyName> table(std::begin(kNamedKeys), std::end(kNamedKeys));
  AddFamily(table, 48, 10, [](int i) { return std::string(1, char('0' + i)); });
  AddFamily(table, 65, 26, [](int i) { return std::string(1, char('A' + i)); });
  AddFamily(table, 96, 10, [](int i) { return "Num " + std::to_string(i); });
  AddFamily(table, 112, 24, [](int i) { return "F" + std::to_string(i + 1); });
  std::sort(table.begin(), table.end(), [](const KeyName& a, const KeyName& b) { return a.code < b.code; });
  return table;
}

}  // namespace

const std::vector<KeyName>& GermanKeyNames() {
  static const std::vector<KeyName> table = BuildTable();
  return table;
}

}  // namespace vngen
