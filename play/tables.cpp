// The tables that never change during a run: level names, gun figures, sign texts.
#include "play/tables.h"

namespace vn {

void FixedTables::Reset() {
  // The names are also the base names of the level files under map/.
  for (auto& name : level_names) name.clear();
  level_names[0] = "Tutorial";
  level_names[1] = "In the castle";
  level_names[2] = "Jungle";
  level_names[3] = "Wooden";

  shot_power = {35, 10, 100, 0, 0, 0, 0, 0, 0, 0};
  gun_delay = {900, 65, 2000, 0, 0, 0, 0, 0, 0, 0};
  // Indexed by k of the ammunition tile 250 + k; k = 0 is the basic gun itself.
  ammo_per_pickup = {0, 40, 4, 0, 0, 0, 0, 0, 0, 0};

  // A sign whose code is k shows entry k - 1.
  tutorial_texts[0] =
      "Lust auf ein Bad? Kein Problem. Um das Wasser zu verlassen hänge Dich ans Ufer "
      "(Aktionstaste) und kletter raus.";
  tutorial_texts[1] =
      "Sprich mir nach: 'Sesam öffne dich...' Wenn das nicht klappt, laufe zum Schalter und "
      "drücke die Aktionstaste.";
  tutorial_texts[2] =
      "Um hier weiter zu kommen halte die Aktionstaste gedrückt und mach einen gewagten Sprung "
      "nach oben.";
  tutorial_texts[3] = "Auch hier gilt es die Kante zu greifen. Die Aktionstaste macht dies möglich";
  tutorial_texts[4] =
      "Du hast den Schlüssel aufgesammelt? Sehr gut, dann benutze die Aktionstaste um "
      "aufzuschliessen.";
  tutorial_texts[5] =
      "Der Ausgang aus dem Level. Laufe einfach dort hin um zum Menü zurückzukehren.";
  tutorial_texts[6] =
      "Um ein Fahrzeug zu benutzen steige mit der Sprungtaste ein und aus. Gib aber acht mit "
      "dem Boot nicht auf Land zu fahren.";
  tutorial_texts[7] = "Du kannst die Leiter hochklettern wenn Du die Aktionstaste gedrückt hältst.";
  tutorial_texts[8] =
      "Sachen die herunterfallen könnten auch aufs Köpfchen knallen. Da zahlt keine "
      "Unfallversicherung.";
}

void FillFixedTables() { tables.Reset(); }

}  // namespace vn
