#!/usr/bin/env bash
# The installed game as a player starts it: from an unrelated working directory,
# with a home folder of its own. It must open its window, start a level, write
# the F12 screenshot and the F1 save into $XDG_DATA_HOME/vornadel/ and end
# cleanly, without changing the installed tree or the working directory. Then
# once more with a user folder that cannot be created: it still plays and ends.
# Usage: installed_game.sh <prefix>   (as installed by install_checks.sh tree)
set -euo pipefail

for tool in Xvfb xdotool; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing (scripts/install-deps.sh installs it)"; exit 77; }
done
source "$(dirname "${BASH_SOURCE[0]}")/../realwindow/session.bash"
prefix=$(cd "${1:?usage: installed_game.sh <prefix>}" && pwd)
export VN_GAME_COMMAND=$prefix/games/vornadel
[[ -x $VN_GAME_COMMAND ]] || fail "nothing installed at $VN_GAME_COMMAND"

work=$(mktemp -d)
trap session_cleanup EXIT
export HOME=$work/home XDG_DATA_HOME=$work/xdg
mine=$XDG_DATA_HOME/vornadel
mkdir -p "$HOME" "$work/elsewhere"
cd "$work/elsewhere"
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %T@ %l\n' | sort); }
snapshot >"$work/tree.before"

start_display
start_game 400 200
[[ -d $mine/data ]] || fail "the first start created no $mine/data"
# The window shows before the pictures and sounds are loaded, and a slow build
# (sanitizers) takes seconds more: F12 until the menu has written screen0.png
# proves the menu runs and takes input before the click goes to it.
for _ in $(seq 1 60); do
  [[ -f $mine/screen0.png ]] && break
  xdotool key F12
  sleep 0.5
done
[[ -f $mine/screen0.png ]] || fail "F12 in the menu wrote no $mine/screen0.png"
xdotool click 1                       # "Spiel starten": the band 150 < y < 250
sleep 1.5
# F1 only saves while the player stands; it may still be landing.
for _ in $(seq 1 6); do
  xdotool key F1
  sleep 1
  [[ -f $mine/data/savegame.sg ]] && break
done
[[ -f $mine/data/savegame.sg ]] || fail "F1 wrote no $mine/data/savegame.sg"
xdotool key Escape                    # back to the menu
sleep 1
xdotool key Escape                    # ends the program, writing the settings
expect_clean_exit

[[ $(stat -c %s "$mine/data/settings.dat") -eq 17 ]] || fail "no 17-byte $mine/data/settings.dat"
[[ -z $(ls -A "$work/elsewhere") ]] || fail "the game wrote into its working directory: $(ls -A "$work/elsewhere")"
snapshot | diff "$work/tree.before" - >&2 || fail "the installed tree changed"
echo "player's folder: $(cd "$mine" && find . -type f | sort | tr '\n' ' ')"

# A user folder that cannot be created (a file stands in its way; root may
# write anywhere else): the level still starts and runs, F1 saves nothing.
touch "$work/blocker"
export XDG_DATA_HOME=$work/blocker
start_game 400 200
xdotool click 1
sleep 1.5
xdotool key F1
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after F1 without a user folder"
xdotool key Escape
sleep 1
xdotool key Escape
expect_clean_exit
snapshot | diff "$work/tree.before" - >&2 || fail "the installed tree changed without a user folder"

echo "PASS: installed game from an unrelated folder -> level -> F1 save in $mine/data -> exit 0, tree unchanged"
