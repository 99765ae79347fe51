#pragma once
// The settings file (bindings, volume, window size) and the key-name file.
#include <cstdint>

namespace vn {

class TStream;

inline const char* const kSettingsPath = "data/settings.dat";
inline const char* const kKeyNamesPath = "data/keycodes.dat";

// The shipped defaults: bindings.Reset() and an 800 x 600 window.
void SetDefaultSettings();
// Reads the 17-byte settings file; a missing file gives the defaults. A file
// that is present but short throws TStreamReadException.
void LoadSettings();
// The same from an open stream (settings file layout; fuzzing and tests).
void ReadSettings(TStream& stream);
// Writes the settings atomically; false on failure.
bool SaveSettings();
// Fills key_name_table.key_names; a missing file leaves them empty. A record without its code
// byte throws TStreamReadException.
void LoadKeyNames();
// The same from an open stream (records up to the end of the stream).
void ReadKeyNames(TStream& stream);
// The first key code 1..255 with a pending press, skipping (and consuming) F1, F3, F12.
uint8_t PollKeyHit();

}  // namespace vn
