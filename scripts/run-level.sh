#!/usr/bin/env bash
# Compiles one level source into the game directory and starts the game straight
# into it, reloading the level whenever it is compiled again. Meant as the map
# editor's "Run in Vornadel" command (doc/levels.md):  run-level.sh <map.json>
# A game this script started for the same level and that still runs is reused:
# the new compile alone makes it reload.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${VN_GAME_DIR:-$root/build/game}
vnlevel=${VN_LEVEL_TOOL:-$root/build/tools/vnlevel}
if (($# != 1)); then
  echo "usage: run-level.sh <map.json>" >&2
  exit 2
fi
if [[ ! -x $vnlevel || ! -x $game/vornadel ]]; then
  echo "run-level.sh: build the game first (bash scripts/play.sh, or cmake --build --preset default)" >&2
  exit 2
fi
map=$(realpath "$1")
compiled=$("$vnlevel" compile "$map" "$game/map")
echo "$compiled"
# vnlevel reports "vnlevel: <map> -> <map-dir>/<level name>.vnm".
name=${compiled#"vnlevel: $map -> $game/map/"}
name=${name%.vnm}

running=$game/.run-level
if [[ -f $running ]]; then
  read -r pid running_name <"$running" || true
  if [[ ${running_name-} == "$name" ]] && kill -0 "${pid-}" 2>/dev/null &&
     [[ $(cat "/proc/$pid/comm" 2>/dev/null) == vornadel ]]; then
    echo "run-level.sh: the game already plays '$name' and reloads it"
    exit 0
  fi
fi
cd "$game"
# The game's output goes to a file, so the editor does not wait for it to end.
./vornadel --level "$name" --watch >run-level.log 2>&1 &
pid=$!
echo "$pid $name" >"$running"
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
  cat run-level.log >&2
  exit 1
fi
echo "run-level.sh: the game plays '$name'"
