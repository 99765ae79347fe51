#pragma once
// Key bindings, key names and the settings file.
#include <array>
#include <cstdint>
#include <string>

namespace vn {

class TStream;

inline const char* const kSettingsPath = "data/settings.dat";
inline const char* const kKeyNamesPath = "data/keycodes.dat";

// The nine bindings (virtual-key codes; 0 = no key until the settings are read).
inline uint8_t key_right = 0, key_left = 0, key_up = 0, key_down = 0, key_jump = 0,
               key_draw_weapon = 0, key_action = 0, key_inventory = 0, key_look = 0;
inline float sound_volume = 1.0f;               // factor of every sound's volume
inline std::array<std::string, 256> key_names;  // display names (UTF-8), empty where unnamed

// The shipped defaults: arrows, left Ctrl action, Space jump, I, left Shift, L; 800 x 600.
void SetDefaultSettings();
// Reads the 17-byte settings file; a missing file gives the defaults. A file
// that is present but short throws TStreamReadException.
void LoadSettings();
// The same from an open stream (settings file layout; fuzzing and tests).
void ReadSettings(TStream& stream);
// Writes the settings atomically; false on failure.
bool SaveSettings();
// Fills key_names; a missing file leaves them empty. A record without its code
// byte throws TStreamReadException.
void LoadKeyNames();
// The same from an open stream (records up to the end of the stream).
void ReadKeyNames(TStream& stream);
// The first key code 1..255 with a pending press, skipping (and consuming) F1, F3, F12.
uint8_t PollKeyHit();

}  // namespace vn
