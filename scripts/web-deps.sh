#!/usr/bin/env bash
# Builds the libraries the browser build links (SDL2, zlib, libpng, FreeType) from
# Debian's source packages with Emscripten, into build-web/deps/prefix. Emscripten's
# own ports download from the internet, so they are not used. Each library is pinned
# to the version of this Debian release; one that is already built is skipped, so a
# second run does no work.
set -euo pipefail
cd "$(dirname "$0")/.."
deps=$PWD/build-web/deps
prefix=$deps/prefix
jobs=${VN_WEB_JOBS:-$(nproc)}

# package version what-it-builds
pins=(
  "zlib 1:1.2.13.dfsg-1"
  "libpng1.6 1.6.39-2+deb12u5"
  "freetype 2.12.1+dfsg-5+deb12u4"
  "libsdl2 2.26.5+dfsg-1"
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

need_tools() {
  local missing=()
  for p in emscripten dpkg-dev cmake; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# apt-get source needs a deb-src entry for the release this machine runs.
need_sources() {
  if ! apt-get source --print-uris "zlib=${pins[0]#* }" >/dev/null 2>&1; then
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "web-deps: adding deb-src entries for $codename"
    as_root tee /etc/apt/sources.list.d/vornadel-web-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    as_root apt-get update -qq
  fi
}

# Unpacks the pinned source package into build-web/deps/src/<package>-<version>/.
fetch() {
  local package=$1 version=$2 dir=$deps/src/$1-${2#*:}
  if [ ! -d "$dir" ]; then
    mkdir -p "$deps/download/$package"
    (cd "$deps/download/$package" && apt-get source -qq "$package=$version" >/dev/null)
    local unpacked
    unpacked=$(find "$deps/download/$package" -mindepth 1 -maxdepth 1 -type d | head -n1)
    mkdir -p "$deps/src"
    mv "$unpacked" "$dir"
    rm -rf "$deps/download/$package"
  fi
  echo "$dir"
}

cmake_build() {
  local name=$1 source=$2; shift 2
  local build=$deps/build/$name
  emcmake cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" >"$deps/$name.log" 2>&1
  nice cmake --build "$build" -j"$jobs" >>"$deps/$name.log" 2>&1
  cmake --install "$build" >>"$deps/$name.log" 2>&1
}

configure_build() {
  local name=$1 source=$2 build=$deps/build/$1
  rm -rf "$build"
  mkdir -p "$deps/build"
  cp -r "$source" "$build"
  # The library and its headers only: linking the example programs takes longer
  # than the library itself.
  (cd "$build" && emconfigure ./configure --static --prefix="$prefix" &&
     nice emmake make -j"$jobs" libz.a && emmake make install-libs &&
     install -D -m 644 -t "$prefix/include" zlib.h zconf.h) >"$deps/$name.log" 2>&1
}

build_one() {
  local package=$1 version=$2 stamp=$deps/stamps/$1
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then
    echo "web-deps: $package $version is built"
    return
  fi
  need_tools
  need_sources
  echo "web-deps: building $package $version"
  local src
  src=$(fetch "$package" "$version")
  case $package in
    zlib) configure_build zlib "$src" ;;   # its CMake file wants a Windows file the Debian source drops
    libpng1.6) cmake_build libpng "$src" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
                 -DZLIB_ROOT="$prefix" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" ;;
    # FreeType's own copy of zlib would clash with the one libpng links.
    freetype) cmake_build freetype "$src" -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=OFF -DFT_REQUIRE_ZLIB=ON \
                -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" \
                -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON ;;
    libsdl2) cmake_build sdl2 "$src" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_PTHREADS=OFF \
               -DSDL_THREADS=OFF ;;
  esac
  mkdir -p "$deps/stamps"
  echo "$version" >"$stamp"
}

export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
for pin in "${pins[@]}"; do
  build_one "${pin%% *}" "${pin#* }"
done
echo "web-deps: ready in $prefix"
