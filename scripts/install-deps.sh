#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and be tested.
set -euo pipefail
# Only what the scripts and tests call directly; what these pull in (dpkg-dev with
# build-essential, googletest's sources with libgtest-dev) is not listed again.
packages=(build-essential cmake pkg-config ccache libsdl2-dev libpng-dev libfreetype-dev
          libgtest-dev nlohmann-json3-dev fonts-comic-neue
          xvfb xdotool x11-utils openbox python3 clang libclang-rt-dev libbenchmark-dev
          desktop-file-utils appstream file groff-base tiled)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
