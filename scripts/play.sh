#!/usr/bin/env bash
# Sets up everything, builds the game directory build/game and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
cd build/game
exec ./vornadel
