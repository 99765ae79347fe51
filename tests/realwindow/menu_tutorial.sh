#!/usr/bin/env bash
# The real game in a real (virtual) X window, driven like a player: click
# "Tutorial", walk right for a second, take a screenshot, leave the level and
# quit from the menu. Checks the screenshot, the settings file and the exit status.
# Usage: menu_tutorial.sh <game-directory>   (the build's game/ directory)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/session.bash"
session_begin "${1:?usage: menu_tutorial.sh <game-directory>}"
cp data/settings.dat settings.before
start_display
start_game 400 100
xdotool click 1                       # "Tutorial": the band 50 < y < 150
sleep 1.5
xdotool keydown Right
sleep 1
xdotool keyup Right
sleep 0.3
xdotool key F12
sleep 0.7
xdotool key Escape                    # back to the menu
sleep 1
xdotool key Escape                    # ends the program

expect_clean_exit

cmp -s data/settings.dat settings.before || fail "data/settings.dat changed"
[[ $(stat -c %s data/settings.dat) -eq 17 ]] || fail "data/settings.dat is not 17 bytes"
[[ -f screen0.png ]] || fail "F12 wrote no screen0.png"

# The screenshot: a 1600 x 900 PNG whose window area shows a level, not one flat colour.
python3 - screen0.png <<'PY' || fail "screen0.png is not the expected picture"
import os, struct, sys
sys.path.insert(0, os.environ["VN_REALWINDOW_DIR"])
from png_rows import read_png

width, height = struct.unpack(">II", open(sys.argv[1], "rb").read()[16:24])
assert (width, height) == (1600, 900), f"size {width} x {height}"
rows, bpp = read_png(sys.argv[1], 600)
colours = {bytes(rows[y][x * bpp:x * bpp + 3]) for y in range(0, 600, 7) for x in range(0, 800, 7)}
assert len(colours) > 20, f"only {len(colours)} colours in the window area"
print(f"screen0.png: {width} x {height}, {len(colours)} colours sampled")
PY

echo "PASS: menu -> tutorial -> screenshot -> menu -> exit 0"
