#!/usr/bin/env bash
# Serves the browser build (build-web/) on this machine only and prints the address.
# Usage: serve-web.sh [port]   (default 8080; stop with Ctrl+C)
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
if [ ! -f build-web/vornadel.html ]; then
  echo "serve-web: no browser build in build-web/; make one with: bash scripts/web-build.sh" >&2
  exit 1
fi
echo "Vornadel im Browser: http://127.0.0.1:$port/vornadel.html"
# Debian's python3, so the test's server and the player's are the same.
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web
