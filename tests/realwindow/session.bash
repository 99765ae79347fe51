# Shared by the real-window tests (sourced, not run): a private copy of the game
# directory, a virtual X display, the game started in it, and its end.
# After `session_begin <game-dir>` the working directory is the copy.

# Lets the tests' Python find png_rows.py beside these scripts.
export VN_REALWINDOW_DIR
VN_REALWINDOW_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

xvfb_pid=""
game_pid=""
work=""
window=""

session_cleanup() {
  if [[ -n ${wm_pid:-} ]]; then kill "$wm_pid" 2>/dev/null || true; fi
  if [[ -n $game_pid ]] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  [[ -n $work ]] && rm -rf "$work"
}

fail() {
  echo "FAIL: $*" >&2
  if [[ -f $work/game.log ]]; then echo "--- game output ---" >&2; cat "$work/game.log" >&2; fi
  exit 1
}

# Copies the game directory into a fresh temporary directory and enters it.
session_begin() {
  local game_dir
  game_dir=$(cd "$1" && pwd) || fail "no game directory $1"
  work=$(mktemp -d)
  trap session_cleanup EXIT
  cp -r "$game_dir/." "$work/"
  rm -f "$work"/screen*.png "$work/data/savegame.sg"
  [[ -f $work/data/settings.dat ]] || fail "the game directory has no data/settings.dat"
  cd "$work"
}

# Starts Xvfb (800 x 600 unless a size such as 1280x1024 is given) on a display
# number Xvfb picks itself, so test runs side by side never share a display.
# -noreset: by default Xvfb resets when its last client leaves, and a client
# connecting during that reset (the window manager right after the probe
# below) is refused.
start_display() {
  local size=${1:-800x600} number=""
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    number=$(head -n 1 "$work/display" 2>/dev/null || true)
    [[ -n $number ]] && break
    sleep 0.1
  done
  [[ -n $number ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$number"
  for _ in $(seq 1 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"
}

# Starts the game ($VN_GAME_COMMAND, else ./vornadel) and records the first
# window that appears with its name in $window.
launch_game() {
  "${VN_GAME_COMMAND:-./vornadel}" >"$work/game.log" 2>&1 &
  game_pid=$!
  # Polled rather than --sync: a window manager's own windows come and go
  # during the search, which --sync does not survive. A machine busy with other
  # builds can take well over 20 s to start the game, hence the minute.
  window=""
  for _ in $(seq 1 600); do
    window=$(xdotool search --name '^Vornadel \(Arbeitstitel\)$' 2>/dev/null | head -n 1) || true
    [[ -n $window ]] && break
    kill -0 "$game_pid" 2>/dev/null || game_ended_before_window
    sleep 0.1
  done
  if [[ -z $window ]]; then
    describe_threads "$game_pid" >&2
    fail "no window named 'Vornadel (Arbeitstitel)' appeared"
  fi
}

game_ended_before_window() {
  local status
  set +e
  wait "$game_pid"
  status=$?
  set -e
  game_pid=""
  fail "the game ended with status $status before its window appeared"
}

# Where each thread of a game that seems stuck is waiting, for the log.
describe_threads() {
  local task
  for task in /proc/"$1"/task/*; do
    [[ -d $task ]] && echo "thread $(cat "$task/comm" 2>/dev/null): waits in $(cat "$task/wchan" 2>/dev/null)"
  done
}

# Starts the game and puts the pointer over its window at (x, y): with no
# window manager, the window under the pointer gets the keyboard.
start_game() {
  local x=$1 y=$2
  launch_game
  sleep 1
  xdotool mousemove --window "$window" "$x" "$y" 2>/dev/null || fail "could not move the pointer onto window $window"
  sleep 0.3
}

# Waits up to 10 s for the game to end and fails unless its exit status is 0.
expect_clean_exit() {
  local status=""
  for _ in $(seq 1 100); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      set +e
      wait "$game_pid"
      status=$?
      set -e
      break
    fi
    sleep 0.1
  done
  [[ -n $status ]] || fail "the game did not end after Escape in the menu"
  game_pid=""
  [[ $status -eq 0 ]] || fail "exit status $status, expected 0"
}

# Starts a light window manager (it grants fullscreen) and waits until it runs.
# A start that ends at once (the display briefly refusing) is tried again.
start_window_manager() {
  for _ in 1 2 3; do
    openbox --sm-disable >>"$work/wm.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 1 200); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
      kill -0 "$wm_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$wm_pid" 2>/dev/null && break
    sleep 0.5
  done
  cat "$work/wm.log" >&2
  fail "openbox did not start"
}

# The size of the game's window (the one it opened first) as "WIDTHxHEIGHT".
window_size() {
  xwininfo -id "$window" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w "x" h}'
}

# The settings file as it was before the run (copied to settings.before), the
# screenshot a 1600 x 900 PNG whose window area shows a level, not one flat colour.
check_settings_and_screenshot() {
  cmp -s data/settings.dat settings.before || fail "data/settings.dat changed"
  [[ $(stat -c %s data/settings.dat) -eq 17 ]] || fail "data/settings.dat is not 17 bytes"
  [[ -f $1 ]] || fail "F12 wrote no $1"
  python3 - "$1" <<'PY' || fail "$1 is not the expected picture"
import os, struct, sys
sys.path.insert(0, os.environ["VN_REALWINDOW_DIR"])
from png_rows import read_png

width, height = struct.unpack(">II", open(sys.argv[1], "rb").read()[16:24])
assert (width, height) == (1600, 900), f"size {width} x {height}"
rows, bpp = read_png(sys.argv[1], 600)
colours = {bytes(rows[y][x * bpp:x * bpp + 3]) for y in range(0, 600, 7) for x in range(0, 800, 7)}
assert len(colours) > 20, f"only {len(colours)} colours in the window area"
print(f"{sys.argv[1]}: {width} x {height}, {len(colours)} colours sampled")
PY
}

# From a level: F12, Escape to the menu, Escape to end the program; then the
# exit status, the untouched settings and the screenshot are checked.
screenshot_and_quit() {
  xdotool key F12
  sleep 0.7
  xdotool key Escape                    # back to the menu
  sleep 1
  xdotool key Escape                    # ends the program
  expect_clean_exit
  check_settings_and_screenshot screen0.png
}
