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
screenshot_and_quit

echo "PASS: menu -> tutorial -> screenshot -> menu -> exit 0"
