#pragma once
// The display and pad choices, remembered in a small text file of their own
// ("name=value" lines). The settings file keeps its fixed layout untouched.
#include <string>
#include <vector>

namespace vn {

inline const char* const kOptionsPath = "data/options.txt";
// Where a damaged options file is kept when the defaults replace it.
inline const char* const kDamagedOptionsPath = "data/options.txt.bad";

struct TOptions {
  bool fullscreen = false;
  bool integer_scaling = false;
  bool gamepad = true;   // pads with a mapping are read as game controllers
  // Every line of the file as read; known lines are rewritten in place on
  // saving, all others (comments, names of later versions) are kept as they are.
  std::vector<std::string> lines;
  bool writable = true;  // false when a file is there that could not be read
  // The bytes of a damaged file, kept as kDamagedOptionsPath before the
  // defaults are written over it, so the player can see what was lost.
  std::string damaged_text;
  bool damaged = false;
  // Fullscreen when the window opened (the command line may have chosen it for
  // this run only): only a change the player makes with the keys is remembered.
  bool started_fullscreen = false;
};
inline TOptions options;

// Reads kOptionsPath into `options`. Missing: the defaults. Damaged (a line
// that is no "name=value", a known name with another value than 0 or 1,
// control bytes, a huge file) or unreadable: the defaults and one line on stderr.
void LoadOptions();
// The same from the file's bytes; false (and the defaults) when they are damaged.
bool ParseOptions(const std::string& text, TOptions& out);
std::string FormatOptions(const TOptions& in);
// Takes the display state into `options` before saving.
void RememberDisplayChoices();
// Writes `options` atomically; false on failure or when the file must not be
// written. A damaged file is first kept as kDamagedOptionsPath; when that
// cannot be written, the damaged file stays as it is.
bool SaveOptions();

}  // namespace vn
