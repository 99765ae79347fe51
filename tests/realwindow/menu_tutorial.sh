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
