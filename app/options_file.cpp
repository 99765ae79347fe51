// The options file: a few "name=value" lines, read at start, written at the end.
#include "app/options_file.h"

#include <array>
#include <iostream>
#include <utility>

#include "engine/display_scale.h"
#include "engine/paths.h"
#include "engine/stream.h"
#include "engine/text.h"

namespace vn {

namespace {

constexpr size_t kMaxFileBytes = 64 * 1024;   // far more than any real options file

struct KnownOption {
  const char* name;
  bool TOptions::*value;
};
constexpr std::array<KnownOption, 3> kKnown = {{
    {"fullscreen", &TOptions::fullscreen},
    {"integer_scaling", &TOptions::integer_scaling},
    {"gamepad", &TOptions::gamepad},
}};

const KnownOption* FindKnown(const std::string& name) {
  for (const KnownOption& known : kKnown)
    if (name == known.name) return &known;
  return nullptr;
}

bool IsCommentOrBlank(const std::string& line) {
  return line.empty() || line[0] == '#';
}

std::string NameOf(const std::string& line) { return line.substr(0, line.find('=')); }

}  // namespace

bool ParseOptions(const std::string& text, TOptions& out) {
  out = TOptions{};
  if (text.size() > kMaxFileBytes) return false;
  TOptions read;
  for (const std::string& line : SplitLines(text)) {
    for (const char c : line)
      if ((unsigned char)(c) < 32 && c != '\t') return false;
    if (!IsCommentOrBlank(line)) {
      const size_t equals = line.find('=');
      if (equals == std::string::npos || equals == 0) return false;
      if (const KnownOption* known = FindKnown(line.substr(0, equals))) {
        const std::string value = line.substr(equals + 1);
        if (value != "0" && value != "1") return false;
        read.*(known->value) = value == "1";
      }
    }
    read.lines.push_back(line);
  }
  // Measured as the game writes it back (every known name on a line), so a file
  // the game wrote is never too large to be read again.
  if (FormatOptions(read).size() > kMaxFileBytes) return false;
  out = read;
  return true;
}

std::string FormatOptions(const TOptions& in) {
  std::string text;
  std::array<bool, kKnown.size()> written{};
  const auto line_of = [&in](const KnownOption& known) {
    return std::string(known.name) + "=" + (in.*(known.value) ? "1" : "0");
  };
  for (const std::string& line : in.lines) {
    const KnownOption* known = IsCommentOrBlank(line) ? nullptr : FindKnown(NameOf(line));
    if (known == nullptr) {
      text += line + "\n";
      continue;
    }
    const size_t index = size_t(known - kKnown.data());
    if (written[index]) continue;   // a name given twice is written once
    written[index] = true;
    text += line_of(*known) + "\n";
  }
  for (size_t i = 0; i < kKnown.size(); ++i)
    if (!written[i]) text += line_of(kKnown[i]) + "\n";
  return text;
}

void LoadOptions() {
  options = TOptions{};
  const std::string path = UserFileToRead(kOptionsPath);
  const int kind = GetFileKind(path);
  if (kind == 0) return;   // a first start: the defaults, written at the end
  std::vector<uint8_t> bytes;
  if (kind != kFileKindRegular || !ReadWholeFile(path, bytes)) {
    options.writable = false;
    std::cerr << "Vornadel: cannot read " << kOptionsPath << "; using the default display and pad options." << std::endl;
    return;
  }
  std::string text(bytes.begin(), bytes.end());
  if (ParseOptions(text, options)) return;
  options.damaged = true;
  options.damaged_text = std::move(text);
  std::cerr << "Vornadel: " << kOptionsPath << " is damaged; using the default display and pad options (the file is kept as "
            << kDamagedOptionsPath << ")." << std::endl;
}

void RememberDisplayChoices() {
  if (IsFullscreen() != options.started_fullscreen) options.fullscreen = IsFullscreen();
}

namespace {

bool WriteUserText(const char* relative, const std::string& text) {
  StreamRef stream = OpenUserFileForWriting(relative);
  if (!stream) return false;
  try {
    stream->WriteBytes(text.data(), text.size());
  } catch (const TStreamException&) {
    return false;   // dropped without Close: the old file stays
  }
  return stream->Close();
}

}  // namespace

bool SaveOptions() {
  if (!options.writable) return false;
  if (options.damaged) {
    if (!WriteUserText(kDamagedOptionsPath, options.damaged_text)) return false;
    options.damaged = false;
    options.damaged_text.clear();
  }
  return WriteUserText(kOptionsPath, FormatOptions(options));
}

}  // namespace vn
