#include "tools/playtest/input_script.h"

#include <fstream>
#include <map>
#include <sstream>

namespace vn::playtest {

int InputScript::TotalFrames() const {
  int total = 0;
  for (const auto& step : steps) total += step.frames;
  return total;
}

int ScriptKeyCode(const std::string& name) {
  // The play keys are the shipped default bindings, so a script means the same
  // thing on every machine whatever the player configured.
  static const std::map<std::string, int> codes = {
      {"right", 39}, {"left", 37},  {"up", 38},     {"down", 40},  {"jump", 32},
      {"action", 162}, {"draw", 160}, {"inventory", 73}, {"look", 76},
      {"f1", 112},   {"f3", 114},   {"f12", 123},   {"esc", 27},   {"space", 32},
      {"i", 73},     {"lctrl", 162}, {"lalt", 164}, {"lshift", 160}, {"l", 76}, {"num5", 101}, {"enter", 13}};
  auto it = codes.find(name);
  return it == codes.end() ? 0 : it->second;
}

static bool ParseStep(std::istringstream& words, int frames, int line, ScriptStep& step, std::string& error) {
  step.frames = frames;
  step.line = line;
  std::string word;
  while (words >> word) {
    if (word == "-") continue;
    bool tap = word[0] == '+';
    std::string name = tap ? word.substr(1) : word;
    int code = ScriptKeyCode(name);
    if (code == 0) {
      error = "line " + std::to_string(line) + ": unknown key '" + name + "'";
      return false;
    }
    (tap ? step.taps : step.held).push_back(code);
  }
  return true;
}

bool ParseInputScript(const std::string& text, InputScript& out, std::string& error) {
  out = InputScript{};
  std::istringstream lines(text);
  std::string raw;
  int line = 0;
  while (std::getline(lines, raw)) {
    ++line;
    auto hash = raw.find('#');
    if (hash != std::string::npos) raw.erase(hash);
    std::istringstream words(raw);
    std::string first;
    if (!(words >> first)) continue;
    if (first == "level" || first == "seed") {
      long value = 0;
      if (!(words >> value) || (first == "level" && (value < 0 || value > 9))) {
        error = "line " + std::to_string(line) + ": '" + first + "' needs a number";
        return false;
      }
      if (first == "level") out.level = static_cast<uint8_t>(value);
      else out.seed = static_cast<int32_t>(value);
      continue;
    }
    char* end = nullptr;
    long frames = std::strtol(first.c_str(), &end, 10);
    if (*end != '\0' || frames < 1 || frames > 100000) {
      error = "line " + std::to_string(line) + ": expected a frame count, got '" + first + "'";
      return false;
    }
    ScriptStep step;
    if (!ParseStep(words, static_cast<int>(frames), line, step, error)) return false;
    out.steps.push_back(std::move(step));
  }
  return true;
}

bool LoadInputScript(const std::string& path, InputScript& out, std::string& error) {
  std::ifstream file(path);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  std::stringstream text;
  text << file.rdbuf();
  if (!ParseInputScript(text.str(), out, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace vn::playtest
