// The key-name file and the key poll of the configuration screen.
#include "app/settings.h"

#include "app/title_menu.h"
#include "play/key_names.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/paths.h"
#include "engine/stream.h"
#include "engine/text.h"

namespace vn {

void ReadKeyNames(TStream& stream) {
  // The file ends right after the last code byte; anything after it (a final
  // line feed included) starts another record, whose missing code byte throws.
  while (!stream.Eof()) {
    std::string name = stream.ReadLine();
    int code = stream.ReadByte();
    key_name_table.key_names[size_t(code)] = Latin1ToUtf8(name);
  }
}

void LoadKeyNames() {
  for (auto& name : key_name_table.key_names) name.clear();
  StreamRef stream = OpenReadStream(UserFileToRead(kKeyNamesPath));
  if (!stream) return;   // every binding then shows its label alone
  ReadKeyNames(*stream);
  stream->Close();
}

uint8_t PollKeyHit() {
  // Codes are examined in ascending order and each examined code loses its
  // presses, so F1, F3 and F12 presses below the returned code are thrown away.
  for (int code = 1; code <= 255; ++code) {
    int hits = TakeKeyHits(code);
    if (hits != 0 && code != kKeyF1 && code != kKeyF3 && code != kKeyF12) return uint8_t(code);
  }
  return 0;
}

}  // namespace vn
