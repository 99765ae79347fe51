#include "tools/playtest/play_script.h"

#include "app/resources.h"
#include "app/settings.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/platform.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/inventory.h"
#include "world/map.h"

namespace vn::playtest {

void InitHeadlessPlay() {
  StartHeadless();
  // Pictures and the font make vnplay's F12 screenshots show the level; the
  // playthrough tests run without them.
  LoadResources();
  // The key names make the key caps of prompts read as in the game.
  LoadKeyNames();
}

namespace {

void ApplyKeys(const ScriptStep& step) {
  for (int key = 1; key < 256; ++key) {
    bool want = false;
    for (int held : step.held) want = want || held == key;
    if (IsKeyDown(key) && !want) InjectKey(key, false);
  }
  for (int key : step.taps) {
    InjectKey(key, true);
    InjectKey(key, false);
  }
  for (int key : step.held)
    if (!IsKeyDown(key)) InjectKey(key, true);
}

void ReleaseEverything() {
  for (int key = 1; key < 256; ++key)
    if (IsKeyDown(key)) InjectKey(key, false);
  TakeCloseRequest();
}

// Whatever ran before (another script, a test) must not reach into this run:
// explosions and map effects outlive a level load, the clock would go on from
// where it stood, the pointer aims the gun, and the level's characters draw
// their first poses from the random generator before the script's seed is set.
void StartFromScratch(uint8_t level) {
  ReleaseEverything();
  ResetInputForTest();
  const auto level_names = tables.level_names;   // a caller may have named its own levels
  ResetPlayState();
  tables.level_names = level_names;
  UseVirtualClock(true);
  SeedRandom(kLevelLoadSeed);
  run.level_index = level;
}

void Snapshot(PlayResult& result) {
  PlayerRef player = FindPlayer();
  result.player_alive = player && player->power > 0;
  if (player) {
    result.x = player->x;
    result.y = player->y;
  }
  result.level = run.level_index;
}

void Trace(std::ostream* trace, int frame, int line) {
  if (!trace) return;
  PlayerRef p = FindPlayer();
  *trace << "frame " << frame << " line " << line << " level " << int(run.level_index);
  if (p)
    *trace << " x " << p->x << " y " << p->y << " cell " << p->x / 32 << "," << p->y / 32 << " mode "
           << int(p->mode) << " jump " << int(p->jump) << " tempy " << p->tempy << " speed " << p->speed
           << " power " << p->power << " breath " << int(p->breath);
  else
    *trace << " (no player)";
  *trace << "\n";
}

// Plays the script's steps in the running run; stops at a level change or at
// the end of the run.
void PlaySteps(const InputScript& script, PlayResult& result, std::ostream* trace, int trace_every,
               const FrameObserver& after_frame = {}) {
  const uint8_t start_level = run.level_index;
  for (const auto& step : script.steps) {
    ApplyKeys(step);
    for (int i = 0; i < step.frames; ++i) {
      result.script_line = step.line;
      bool running = PlayFrame();
      ++result.frames;
      if (trace_every > 0 && result.frames % trace_every == 0) Trace(trace, result.frames, step.line);
      if (after_frame) after_frame(result.frames);
      if (run.level_index != start_level) {
        result.reached_exit = true;
        result.run_ended = !running;
        return;
      }
      if (!running) {
        result.run_ended = true;
        PlayerRef p = FindPlayer();
        result.reached_exit = p && CodeAtPixel(p->x + 16, p->y + 16) == 250;
        return;
      }
    }
  }
}

}  // namespace

PlayResult PlayScript(const InputScript& script, std::ostream* trace, int trace_every,
                      const FrameObserver& after_frame) {
  PlayResult result;
  StartFromScratch(script.level);
  if (!BeginLevelRun()) return result;
  SeedRandom(script.seed);
  PlaySteps(script, result, trace, trace_every, after_frame);
  Snapshot(result);
  ReleaseEverything();
  return result;
}

std::vector<PlayResult> PlayScriptsInOneRun(const std::vector<InputScript>& scripts, std::ostream* trace,
                                            int trace_every) {
  std::vector<PlayResult> results;
  if (scripts.empty()) return results;
  StartFromScratch(scripts.front().level);
  if (!BeginLevelRun()) return results;
  for (const auto& script : scripts) {
    PlayResult result;
    SeedRandom(script.seed);
    PlaySteps(script, result, trace, trace_every);
    Snapshot(result);
    results.push_back(result);
    if (!result.reached_exit || result.run_ended) break;
  }
  ReleaseEverything();
  return results;
}

}  // namespace vn::playtest
