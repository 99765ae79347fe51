// The settings file: nine bindings, the sound volume and the window size.
#include "app/settings.h"

#include <cmath>

#include "engine/paths.h"
#include "engine/stream.h"
#include "play/bindings.h"
#include "world/map.h"

namespace vn {

namespace {

// Window sizes outside this range cannot be meant (a width of 0 opens no window
// at all); the window then falls back to the shipped size.
constexpr int32_t kMinWidth = 320, kMinHeight = 240;
constexpr int32_t kMaxWidth = 7680, kMaxHeight = 4320;
constexpr int32_t kDefaultWidth = 800, kDefaultHeight = 600;

bool settings_unreadable = false;   // set by LoadSettings

void MendNonsenseValues() {
  if (screen.screen_width < kMinWidth || screen.screen_width > kMaxWidth || screen.screen_height < kMinHeight ||
      screen.screen_height > kMaxHeight) {
    screen.screen_width = kDefaultWidth;
    screen.screen_height = kDefaultHeight;
  }
  // The mixer multiplies by the volume; NaN would turn every sound into noise.
  // Every other value, infinities included, is left to the sound service,
  // which clamps it (minus infinity is silent, plus infinity full).
  if (std::isnan(bindings.sound_volume)) bindings.sound_volume = 1.0f;
}

}  // namespace

void SetDefaultSettings() {
  bindings.Reset();
  screen.screen_width = kDefaultWidth;
  screen.screen_height = kDefaultHeight;
}

void ReadSettings(TStream& stream) {
  // File order differs from the order of the configuration screen; both are fixed.
  bindings.key_right = uint8_t(stream.ReadByte());
  bindings.key_left = uint8_t(stream.ReadByte());
  bindings.key_up = uint8_t(stream.ReadByte());
  bindings.key_down = uint8_t(stream.ReadByte());
  bindings.key_action = uint8_t(stream.ReadByte());
  bindings.key_jump = uint8_t(stream.ReadByte());
  bindings.key_inventory = uint8_t(stream.ReadByte());
  bindings.key_draw_weapon = uint8_t(stream.ReadByte());
  bindings.key_look = uint8_t(stream.ReadByte());
  bindings.sound_volume = stream.ReadFloat();
  screen.screen_width = stream.ReadShort();
  screen.screen_height = stream.ReadShort();
  MendNonsenseValues();
}

void LoadSettings() {
  const std::string path = UserFileToRead(kSettingsPath);
  StreamRef stream = OpenReadStream(path);
  // A file that is there but cannot be read (permissions) still holds the
  // player's keys: play with the defaults, but never write them over it.
  settings_unreadable = !stream && GetFileKind(path) == kFileKindRegular;
  if (!stream) {
    // A first start or a deleted file: play with the shipped keys; the file is
    // written anew when the program ends.
    SetDefaultSettings();
    return;
  }
  ReadSettings(*stream);
  stream->Close();
}

bool SaveSettings() {
  if (settings_unreadable) return false;
  StreamRef stream = OpenUserFileForWriting(kSettingsPath);
  if (!stream) return false;
  try {
    stream->WriteByte(bindings.key_right);
    stream->WriteByte(bindings.key_left);
    stream->WriteByte(bindings.key_up);
    stream->WriteByte(bindings.key_down);
    stream->WriteByte(bindings.key_action);
    stream->WriteByte(bindings.key_jump);
    stream->WriteByte(bindings.key_inventory);
    stream->WriteByte(bindings.key_draw_weapon);
    stream->WriteByte(bindings.key_look);
    stream->WriteFloat(bindings.sound_volume);
    // The window size is stored in 16 bits: the low bits of the value.
    stream->WriteShort(int(uint16_t(screen.screen_width)));
    stream->WriteShort(int(uint16_t(screen.screen_height)));
  } catch (const TStreamException&) {
    // Dropping the stream without Close never renames it over the old file.
    return false;
  }
  return stream->Close();
}

}  // namespace vn
