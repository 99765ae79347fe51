#!/usr/bin/env bash
# The browser build in a real browser, when there is one: the desktop game's
# first menu frame is taken (F12 in a virtual X window) as the picture the
# browser must show, then browser_test.py plays the page. Skipped (77) with a
# message when the browser build, chromium or the DevTools client is missing.
# Usage: browser.sh <desktop game directory> <build-web> <folder for screenshots>
set -euo pipefail
game_dir=${1:?usage: browser.sh <game-dir> <build-web> <shots>}
web_dir=$(cd "${2:?}" 2>/dev/null && pwd) || web_dir=$2
shots=$(mkdir -p "${3:?}" && cd "$3" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
[[ -f $web_dir/vornadel.html && -f $web_dir/vornadel.wasm ]] ||
  skip "no browser build in $web_dir (bash scripts/web-build.sh makes one)"
command -v chromium >/dev/null || skip "chromium is not installed (bash scripts/web-build.sh installs it)"
/usr/bin/python3 -c "import websocket" 2>/dev/null || skip "python3-websocket is not installed"

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../realwindow/session.bash"
session_begin "$game_dir"
start_display 1920x1080
# The browser's pointer starts at the picture's corner and has never moved, so
# the menu's highlight stays on its first entry: the same here.
xdotool mousemove 0 0
start_game 0 0
sleep 1
xdotool key F12
for _ in $(seq 1 50); do [[ -f screen0.png ]] && break; sleep 0.1; done
[[ -f screen0.png ]] || fail "the desktop game wrote no menu screenshot"
cp screen0.png "$shots/0-desktop-menu.png"
xdotool key Escape
expect_clean_exit

/usr/bin/python3 "$here/browser_test.py" "$web_dir" "$shots/0-desktop-menu.png" "$shots"
