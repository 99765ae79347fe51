#!/usr/bin/env bash
# Fullscreen in a real (virtual) X screen of 1280 x 1024 with a window manager:
# F11 makes the window cover the screen, a click on "Spiel starten" at its
# scaled place starts level 1 (F1 saves there, which the tutorial never does),
# F12 still writes the 1600 x 900 picture, Alt+Enter brings the 800 x 600
# window back, and the settings file is untouched.
# Usage: fullscreen.sh <game-directory>   (the build's game/ directory)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/session.bash"
session_begin "${1:?usage: fullscreen.sh <game-directory>}"
command -v openbox >/dev/null || fail "openbox is not installed (scripts/install-deps.sh)"
cp data/settings.dat settings.before
start_display 1280x1024
start_window_manager
start_game 400 100

[[ $(window_size) == 800x600 ]] || fail "the window is $(window_size), not 800x600"
xdotool key F11
for _ in $(seq 1 30); do [[ $(window_size) == 1280x1024 ]] && break; sleep 0.1; done
[[ $(window_size) == 1280x1024 ]] || fail "after F11 the window is $(window_size), not the screen"
sleep 0.5

# The 800 x 600 picture fills 1280 x 960 from y 32: "Spiel starten" (y 150..250)
# lies at screen y 272..432.
xdotool mousemove 40 352 click 1
sleep 1.5
xdotool key F1                         # saves in level 1, never in the tutorial
sleep 0.5
[[ -f data/savegame.sg ]] || fail "the click at the scaled place did not start level 1"
xdotool key F12
sleep 0.7
xdotool key Escape                     # back to the menu, still fullscreen
sleep 0.8
xdotool key alt+Return
for _ in $(seq 1 30); do [[ $(window_size) == 800x600 ]] && break; sleep 0.1; done
[[ $(window_size) == 800x600 ]] || fail "after Alt+Enter the window is $(window_size), not 800x600"
xdotool key Escape                     # ends the program

expect_clean_exit

grep -qx "fullscreen=0" data/options.txt || fail "data/options.txt does not say fullscreen=0"
check_settings_and_screenshot screen0.png

echo "PASS: F11 fullscreen -> scaled click starts level 1 -> F12 1600x900 -> Alt+Enter window -> exit 0"
