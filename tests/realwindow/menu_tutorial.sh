#!/usr/bin/env bash
# The real game in a real (virtual) X window, driven like a player: click
# "Tutorial", walk right for a second, take a screenshot, leave the level and
# quit from the menu. Checks the screenshot, the settings file and the exit status.
# Usage: menu_tutorial.sh <game-directory>   (the build's game/ directory)
set -euo pipefail

game_dir=$(cd "${1:?usage: menu_tutorial.sh <game-directory>}" && pwd)
work=$(mktemp -d)
xvfb_pid=""
game_pid=""

cleanup() {
  if [[ -n $game_pid ]] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [[ -f $work/game.log ]]; then echo "--- game output ---" >&2; cat "$work/game.log" >&2; fi
  exit 1
}

cp -r "$game_dir/." "$work/"
rm -f "$work"/screen*.png
[[ -f $work/data/settings.dat ]] || fail "the game directory has no data/settings.dat"
cp "$work/data/settings.dat" "$work/settings.before"

# A display number nobody uses.
display=""
for n in $(seq 99 160); do
  if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then display=":$n"; break; fi
done
[[ -n $display ]] || fail "no free X display number"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 1 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start on $display"

cd "$work"
./vornadel >game.log 2>&1 &
game_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Vornadel \(Arbeitstitel\)$' | head -n 1) ||
  fail "no window named 'Vornadel (Arbeitstitel)' appeared"
sleep 1

# The pointer over the window gives it the keyboard (no window manager runs here).
xdotool mousemove --window "$window" 400 100
sleep 0.3
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

status=""
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

cmp -s data/settings.dat settings.before || fail "data/settings.dat changed"
[[ $(stat -c %s data/settings.dat) -eq 17 ]] || fail "data/settings.dat is not 17 bytes"
[[ -f screen0.png ]] || fail "F12 wrote no screen0.png"

# The screenshot: a 1600 x 900 PNG whose window area shows a level, not one flat colour.
python3 - screen0.png <<'PY' || fail "screen0.png is not the expected picture"
import struct, sys, zlib

data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
pos, idat, header = 8, b"", None
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b"IHDR":
        header = struct.unpack(">IIBBBBB", body)
    elif kind == b"IDAT":
        idat += body
    pos += 12 + length
width, height, depth, colour = header[:4]
assert (width, height) == (1600, 900), f"size {width} x {height}"
assert depth == 8 and colour in (2, 6), f"depth {depth} colour type {colour}"
bpp = 3 if colour == 2 else 4
raw = zlib.decompress(idat)
stride = width * bpp
rows, previous, pos = [], bytearray(stride), 0
for y in range(height):
    kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
    pos += 1 + stride
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b = previous[i]
        c = previous[i - bpp] if i >= bpp else 0
        if kind == 1: line[i] = (line[i] + a) & 255
        elif kind == 2: line[i] = (line[i] + b) & 255
        elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    previous = line
    if y >= 600:
        break
colours = {bytes(rows[y][x * bpp:x * bpp + 3]) for y in range(0, 600, 7) for x in range(0, 800, 7)}
assert len(colours) > 20, f"only {len(colours)} colours in the window area"
print(f"screen0.png: {width} x {height}, {len(colours)} colours sampled")
PY

echo "PASS: menu -> tutorial -> screenshot -> menu -> exit 0"
