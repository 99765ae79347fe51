#!/usr/bin/env bash
# Builds the browser version into build-web/ on a Debian 12 machine: the desktop
# tools make the game's files (build/game/), scripts/web-deps.sh the libraries
# (cached, so a second run does no work), then Emscripten the game itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The browser and the DevTools client the suite's browser test drives it with.
missing=()
for p in chromium python3-websocket; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target game_data
bash scripts/web-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web -j"$(nproc)"
echo "web-build: ready in build-web/; start it with: bash scripts/serve-web.sh"
