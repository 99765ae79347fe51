#!/usr/bin/env bash
# The installed game and its packages, checked the way a packager would:
#   tree          cmake --install into <prefix>: every file in its place, icons
#                 in their sizes, the launcher entry naming the installed executable
#   desktop-entry desktop-file-validate on the launcher entry
#   metainfo      appstreamcli validate --no-net on the metadata
#   package       the .deb and the .tar.gz built once by cpack, and their contents
# A check whose tool is missing is skipped (exit 77) with the reason.
# Usage: install_checks.sh <check> <build-dir> <prefix>; VN_APP_ID names the files.
set -euo pipefail

check=${1:?usage: install_checks.sh <check> <build-dir> <prefix>}
build=$(cd "${2:?no build directory}" && pwd)
prefix=${3:?no prefix}
mkdir -p "$(dirname "$prefix")"
prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
id=${VN_APP_ID:?VN_APP_ID is not set}
data=share/games/vornadel

fail() { echo "FAIL: $*" >&2; exit 1; }
skip_without() {
  command -v "$1" >/dev/null ||
    { echo "SKIPPED: $1 is missing (scripts/install-deps.sh installs $2)"; exit 77; }
}

icon_sizes=(16 22 24 32 48 64 128 256)
# Every file the install must hold, relative to the prefix, one a line.
expected_list() {
  printf '%s\n' games/vornadel $data/gfx/titel.png $data/gfx/background.png $data/gfx/comicbd.ttf \
    $data/gfx/layer0/1.bmp $data/sfx/ouch.wav $data/sfx/gun0.wav $data/map/Tutorial.vnm \
    "$data/map/In the castle.vnm" $data/map/Jungle.vnm $data/map/Wooden.vnm $data/data/keycodes.dat \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man6/vornadel.6
  for size in "${icon_sizes[@]}"; do echo "share/icons/hicolor/${size}x$size/apps/$id.png"; done
}

check_tree() {
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; fail "cmake --install failed"; }
  while IFS= read -r file; do
    [[ -e $prefix/$file ]] || fail "$file is not installed (or is a broken link)"
  done < <(expected_list)
  [[ -x $prefix/games/vornadel ]] || fail "games/vornadel is not executable"
  [[ $(ls "$prefix") == $'games\nshare' ]] || fail "files outside games/ and share/: $(ls "$prefix")"
  # Every picture and sound of the build's game directory, and nothing the game writes.
  for folder in gfx sfx map; do
    [[ $(cd "$build/game/$folder" && find . | sort) == $(cd "$prefix/$data/$folder" && find . | sort) ]] ||
      fail "$data/$folder differs from the build's game/$folder"
  done
  [[ $(ls "$prefix/$data/data") == keycodes.dat ]] || fail "$data/data holds more than keycodes.dat"
  grep -qx "Exec=$prefix/games/vornadel" "$prefix/share/applications/$id.desktop" ||
    fail "the launcher entry does not start $prefix/games/vornadel"
  python3 - "$prefix/share/icons/hicolor" "$id" "${icon_sizes[@]}" <<'PY' || fail "an icon has the wrong size"
import struct, sys
folder, name, sizes = sys.argv[1], sys.argv[2], sys.argv[3:]
for size in map(int, sizes):
    head = open(f"{folder}/{size}x{size}/apps/{name}.png", "rb").read(26)
    width, height, depth, kind = struct.unpack(">IIBB", head[16:26])
    assert (width, height) == (size, size), f"{size}x{size} icon is {width} x {height}"
    assert kind == 6, f"{size}x{size} icon has no alpha channel"
PY
  if command -v groff >/dev/null; then
    warnings=$(groff -man -ww -z -Tutf8 "$prefix/share/man/man6/vornadel.6" 2>&1)
    [[ -z $warnings ]] || fail "the man page has troff warnings: $warnings"
  else
    echo "the man page is not checked: groff is missing"
  fi
  (cd "$prefix" && find . -mindepth 1 | sort)
  echo "PASS: installed into $prefix"
}

check_package() {
  skip_without dpkg-deb dpkg
  skip_without dpkg-shlibdeps dpkg-dev
  skip_without file file
  local deb tgz
  out=$(mktemp -d)   # global: the exit trap removes it
  trap 'rm -rf "$out"' EXIT
  (cd "$out" && cpack --config "$build/CPackConfig.cmake" -B "$out" -G "DEB;TGZ") >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; fail "cpack failed"; }
  deb=$(ls "$out"/vornadel_*.deb) || fail "no vornadel_*.deb"
  tgz=$(ls "$out"/vornadel-*.tar.gz) || fail "no vornadel-*.tar.gz"
  dpkg-deb --contents "$deb" >"$out/contents"
  while IFS= read -r file; do
    grep -qF " ./usr/$file" "$out/contents" || fail "the .deb lacks /usr/$file"
  done < <(expected_list)
  grep -qF "./usr/$data/gfx/comicbd.ttf -> /usr/share/fonts/" "$out/contents" ||
    fail "the .deb does not link the font to the font package"
  [[ $(dpkg-deb --field "$deb" Package) == vornadel ]] || fail "the package is not named vornadel"
  [[ $(dpkg-deb --field "$deb" Section) == games ]] || fail "the package is not in section games"
  local depends
  depends=$(dpkg-deb --field "$deb" Depends)
  [[ $depends == *fonts-comic-neue* && $depends == *libsdl2* && $depends == *libc6* ]] ||
    fail "Depends lacks the font or the shared libraries: $depends"
  tar -tzf "$tgz" >"$out/tgz-contents"
  while IFS= read -r file; do
    grep -qF "/usr/$file" "$out/tgz-contents" || fail "the .tar.gz lacks usr/$file"
  done < <(expected_list)
  dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
  cat "$out/contents"
  echo "PASS: $(basename "$deb") and $(basename "$tgz")"
}

case $check in
  tree) check_tree ;;
  desktop-entry)
    skip_without desktop-file-validate desktop-file-utils
    desktop-file-validate "$prefix/share/applications/$id.desktop"
    echo "PASS: desktop-file-validate $id.desktop" ;;
  metainfo)
    skip_without appstreamcli appstream
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
    echo "PASS: appstreamcli validate --no-net $id.metainfo.xml" ;;
  package) check_package ;;
  *) fail "unknown check $check" ;;
esac
