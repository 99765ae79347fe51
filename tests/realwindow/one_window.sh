#!/usr/bin/env bash
# Under Xvfb OpenGL is rasterised on the CPU, so the game settles on its
# software renderer: it must do so before the player sees a window. Exactly one
# window appears, the one found first keeps its id and takes the keys. The
# pointer rests over "Steuerung konfigurieren" while the window opens, which
# must not move the menu's highlight: Down and Enter start "Spiel starten".
# Usage: one_window.sh <game-directory>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/session.bash"
session_begin "${1:?usage: one_window.sh <game-directory>}"
cp data/settings.dat settings.before
start_display
xdotool mousemove 400 300             # the centred 800 x 600 window opens under it
launch_game
first=$window

# Every window of that name seen over the next seconds, mapped or not.
seen=" $first "
for _ in $(seq 1 30); do
  for id in $(xdotool search --name '^Vornadel \(Arbeitstitel\)$' 2>/dev/null || true); do
    [[ $seen == *" $id "* ]] || seen+="$id "
  done
  sleep 0.1
done
[[ $(wc -w <<<"$seen") -eq 1 ]] || fail "more than one window appeared:$seen"
xwininfo -id "$first" | grep -q 'Map State: IsViewable' || fail "window $first is not shown"

xdotool windowfocus --sync "$first" || fail "window $first cannot take the keyboard"
xdotool key Down
sleep 0.3
xdotool key Return                    # "Spiel starten"
sleep 2
screenshot_and_quit
echo "PASS: one window ($first) from start to end, and it took the keys"
