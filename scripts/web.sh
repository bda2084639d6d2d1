#!/usr/bin/env bash
# One command from a fresh clone to the browser version: installs what is
# missing, generates the assets with the native generator, builds the game for
# WebAssembly and leaves a static site in build-web/site/ (index.html and all it
# loads), ready for any static web server:
#   python3 -m http.server -d build-web/site
# Third-party sources (FreeType, from Debian's source package) are fetched and
# built once and kept in build-web/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$root/scripts/setup.sh" web

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# Emscripten's JavaScript tools need Debian's own acorn.
NODE_PATH=$(dirname "$(dpkg -L node-acorn | grep -m1 '/acorn/package.json$')")
NODE_PATH=$(dirname "$NODE_PATH")
export NODE_PATH

# FreeType from the same Debian source as the desktop's library, so the font
# is rasterised alike on both.
third_party="$root/build-web/third_party"
freetype="$third_party/freetype"
if [ ! -f "$freetype/include/ft2build.h" ]; then
  version=$(dpkg-query -W -f='${source:Version}' libfreetype6)
  if ! apt-get source --print-uris -qq "freetype=$version" >/dev/null 2>&1; then
    # apt knows binary packages only: add source entries mirroring Debian's
    # own binary ones (other repositories need not publish sources).
    echo "Adding Debian source entries to apt's sources"
    for sources in /etc/apt/sources.list.d/*.sources; do
      [ -f "$sources" ] || continue
      awk 'BEGIN { RS = ""; ORS = "\n\n" }
           /(^|\n)Types:[^\n]*deb/ && /debian\.org/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$sources"
    done | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/plombrix-deb-src.sources >/dev/null
    if [ -f /etc/apt/sources.list ]; then
      sed -n '/debian\.org/s/^deb /deb-src /p' /etc/apt/sources.list |
        "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/plombrix-deb-src.list >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -q >/dev/null
  fi
  rm -rf "$third_party/freetype-src"
  mkdir -p "$third_party/freetype-src"
  (cd "$third_party/freetype-src" && apt-get source -qq --download-only "freetype=$version" 2>/dev/null &&
     dpkg-source --no-check -x ./*.dsc unpacked >/dev/null)
  rm -rf "$freetype"
  mv "$third_party/freetype-src/unpacked" "$freetype"
  rm -rf "$third_party/freetype-src"
fi

# The native generator draws the pictures and synthesises the sounds.
if [ -f "$root/build/CMakeCache.txt" ]; then
  cmake --build "$root/build" -j"$jobs" --target assets
else
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOMBRIX_TESTS=OFF \
    -DPLOMBRIX_BENCH=OFF -DPLOMBRIX_ASSETS=ON >/dev/null
  cmake --build "$root/build" -j"$jobs" --target assets
fi

emcmake cmake -S "$root" -B "$root/build-web" -DCMAKE_BUILD_TYPE=Release \
  -DPLOMBRIX_RES_DIR="$root/build/res" -DPLOMBRIX_FREETYPE_SOURCE="$freetype" >/dev/null
cmake --build "$root/build-web" -j"$jobs"
echo "The site is in $root/build-web/site: serve it with"
echo "  python3 -m http.server -d $root/build-web/site"
