#!/usr/bin/env bash
# Saving and loading in the real game, driven like a player: start "In the
# castle", save with F1 where the player stands, check the save file's size,
# take a screenshot, walk away, load with F3 and check that the view around the
# player is back where it was saved. Then leave the level and quit.
# Usage: save_load.sh <game-directory>   (the build's game/ directory)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/session.bash"
session_begin "${1:?usage: save_load.sh <game-directory>}"

# Waits up to $2 seconds (polling every 0.1 s) for the file $1 to exist.
wait_for_file() {
  local tries=$(( $2 * 10 ))
  for _ in $(seq 1 "$tries"); do
    [[ -e $1 ]] && return 0
    sleep 0.1
  done
  return 1
}

# Presses F12 and waits for the screenshot it writes; the game numbers them from 0.
shot_number=0
screenshot() {
  local file="screen$shot_number.png"
  xdotool key F12
  wait_for_file "$file" 5 || fail "F12 wrote no $file"
  sleep 0.3   # the file is written within the frame; let it be closed
  shot_number=$(( shot_number + 1 ))
}

level_name="In the castle"
level_file="map/$level_name.vnm"

[[ -f $level_file ]] || fail "the game directory has no $level_file"
start_display
start_game 400 200
xdotool click 1                       # "Spiel starten": the band 150 < y < 250
sleep 1.5

# F1 only saves while the player stands; it may still be landing, so press
# again until the file appears.
for _ in $(seq 1 6); do
  xdotool key F1
  wait_for_file data/savegame.sg 1 && break
done
[[ -f data/savegame.sg ]] || fail "F1 wrote no data/savegame.sg"
sleep 0.3   # written within one frame, but let the writer finish the rename

# Nothing has changed yet, so the size depends only on the characters, whose
# count the level's map file gives: 4 bytes of size, 7 per cell, 22 per character.
python3 - "$level_file" data/savegame.sg "$level_name" <<'PY' || fail "data/savegame.sg has the wrong size"
import os, struct, sys
level_file, save_file, name = sys.argv[1:4]
level = open(level_file, "rb").read()
width, height = struct.unpack("<HH", level[:4])
characters, rest = divmod(len(level) - 4 - 7 * width * height, 22)
assert rest == 0 and characters > 0, f"{level_file}: {len(level)} bytes do not fit {width} x {height}"
expected = len(name) + 2 + 1 + 2 + 49 * characters + 4 + 20 + 120
actual = os.path.getsize(save_file)
assert actual == expected, f"{actual} bytes, expected {expected} for {characters} characters"
print(f"savegame.sg: {actual} bytes for {characters} characters")
PY

sleep 2.3                             # the "Gespeichert" notice shows for 2 s
screenshot                            # screen0: where the game was saved

xdotool keydown Right
sleep 1
xdotool keyup Right
sleep 0.5
screenshot                            # screen1: the player has walked away

xdotool key F3
sleep 2.3                             # a failed load would show a notice for 2 s
screenshot                            # screen2: back at the saved place

xdotool key Escape                    # back to the menu
sleep 1
xdotool key Escape                    # ends the program

expect_clean_exit

# Compares the window area around the saved player position: the walk must
# have changed it and the load must have restored it. The player's screen
# position comes from the save: its x, y less the camera tile (the shifts are
# 0 after a load). Enemies patrol at random and are allowed to differ, so only
# a box around the player counts, with a few pixels to spare for animated tiles.
python3 - data/savegame.sg data/settings.dat screen0.png screen1.png screen2.png <<'PY' || fail "the load did not restore the saved view"
import os, struct, sys
sys.path.insert(0, os.environ["VN_REALWINDOW_DIR"])
from png_rows import read_png

def player_on_screen(save):
    name_end = save.index(b"\r\n") + 2
    pos = name_end
    while save[pos] != 255:          # change records, 7 bytes each
        pos += 7
    pos += 1
    while struct.unpack_from("<H", save, pos)[0] != 65535:   # auto-switch records
        pos += 4
    pos += 2
    player = None
    while True:
        x, = struct.unpack_from("<i", save, pos)
        if x == -1:
            break
        y, typ = struct.unpack_from("<iB", save, pos + 4)
        if typ == 0 and player is None:
            player = (x, y)
        pos += 49
    pos += 4
    cam_x, cam_y = struct.unpack_from("<ii", save, pos)
    assert player is not None, "the save holds no player"
    return player[0] - cam_x * 32, player[1] - cam_y * 32

save = open(sys.argv[1], "rb").read()
settings = open(sys.argv[2], "rb").read()
win_w, win_h = struct.unpack_from("<HH", settings, 13)
px, py = player_on_screen(save)
assert -32 < px < win_w and -32 < py < win_h, f"saved player at screen ({px}, {py}) is outside the window"

# The player's cell with 48 pixels around it, inside the window.
left, top = max(px - 48, 0), max(py - 48, 0)
right, bottom = min(px + 80, win_w), min(py + 80, win_h)
shots = [read_png(path, bottom) for path in sys.argv[3:6]]

def differing(one, two):
    (rows_a, bpp_a), (rows_b, bpp_b) = one, two
    count = 0
    for y in range(top, bottom):
        for x in range(left, right):
            a = rows_a[y][x * bpp_a:x * bpp_a + 3]
            b = rows_b[y][x * bpp_b:x * bpp_b + 3]
            if max(abs(a[i] - b[i]) for i in range(3)) > 1:
                count += 1
    return count

area = (right - left) * (bottom - top)
walked = differing(shots[0], shots[1])
restored = differing(shots[0], shots[2])
print(f"box ({left}, {top})-({right}, {bottom}): {walked} pixels changed by the walk, "
      f"{restored} differ after the load")
# The figure covers a few hundred pixels; walking it out of its cell changes
# at least a hundred of them, while the load must restore all but a handful.
assert walked >= 100, "walking right did not change the view around the player"
assert restored <= area // 200, "the view around the player differs from the saved one"
PY

echo "PASS: menu -> game -> F1 save (size checked) -> walk -> F3 load -> same view -> menu -> exit 0"
