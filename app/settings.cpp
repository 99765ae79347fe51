// The settings file: nine bindings, the sound volume and the window size.
#include "app/settings.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "app/resources.h"
#include "engine/stream.h"

namespace vn {

namespace {

// Window sizes outside this range cannot be meant (a width of 0 opens no window
// at all); the window then falls back to the shipped size.
constexpr int32_t kMinWidth = 320, kMinHeight = 240;
constexpr int32_t kMaxWidth = 7680, kMaxHeight = 4320;
constexpr int32_t kDefaultWidth = 800, kDefaultHeight = 600;

bool settings_unreadable = false;   // set by LoadSettings

void MendNonsenseValues() {
  if (screen_width < kMinWidth || screen_width > kMaxWidth || screen_height < kMinHeight ||
      screen_height > kMaxHeight) {
    screen_width = kDefaultWidth;
    screen_height = kDefaultHeight;
  }
  // The mixer multiplies by the volume; NaN would turn every sound into noise.
  // Every other value, infinities included, is left to the sound service,
  // which clamps it (minus infinity is silent, plus infinity full).
  if (std::isnan(sound_volume)) sound_volume = 1.0f;
}

}  // namespace

void SetDefaultSettings() {
  key_right = 39;
  key_left = 37;
  key_up = 38;
  key_down = 40;
  key_action = 162;
  key_jump = 32;
  key_inventory = 73;
  key_draw_weapon = 160;
  key_look = 76;
  sound_volume = 1.0f;
  screen_width = kDefaultWidth;
  screen_height = kDefaultHeight;
}

void ReadSettings(TStream& stream) {
  // File order differs from the order of the configuration screen; both are fixed.
  key_right = uint8_t(stream.ReadByte());
  key_left = uint8_t(stream.ReadByte());
  key_up = uint8_t(stream.ReadByte());
  key_down = uint8_t(stream.ReadByte());
  key_action = uint8_t(stream.ReadByte());
  key_jump = uint8_t(stream.ReadByte());
  key_inventory = uint8_t(stream.ReadByte());
  key_draw_weapon = uint8_t(stream.ReadByte());
  key_look = uint8_t(stream.ReadByte());
  sound_volume = stream.ReadFloat();
  screen_width = stream.ReadShort();
  screen_height = stream.ReadShort();
  MendNonsenseValues();
}

void LoadSettings() {
  StreamRef stream = OpenReadStream(kSettingsPath);
  // A file that is there but cannot be read (permissions) still holds the
  // player's keys: play with the defaults, but never write them over it.
  settings_unreadable = !stream && GetFileKind(kSettingsPath) == 1;
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
  if (GetFileKind("data") == 0) {
    std::error_code ignored;
    std::filesystem::create_directories("data", ignored);
  }
  StreamRef stream = OpenAtomicWriteStream(kSettingsPath);
  if (!stream) return false;
  try {
    stream->WriteByte(key_right);
    stream->WriteByte(key_left);
    stream->WriteByte(key_up);
    stream->WriteByte(key_down);
    stream->WriteByte(key_action);
    stream->WriteByte(key_jump);
    stream->WriteByte(key_inventory);
    stream->WriteByte(key_draw_weapon);
    stream->WriteByte(key_look);
    stream->WriteFloat(sound_volume);
    // The window size is stored in 16 bits: the low bits of the value.
    stream->WriteShort(int(uint16_t(screen_width)));
    stream->WriteShort(int(uint16_t(screen_height)));
  } catch (const TStreamException&) {
    // Dropping the stream without Close never renames it over the old file.
    return false;
  }
  return stream->Close();
}

}  // namespace vn
