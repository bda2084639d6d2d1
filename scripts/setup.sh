#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Plombrix! need.
# Does nothing when every package is already present. Runs apt-get as root, or
# through sudo for a player who is not root.
#   setup.sh       the desktop game, its generator, tests and package
#   setup.sh web   all of that, and the browser build and its tests
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config
  # the game
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev
  libfreetype-dev libsdl2-mixer-dev libasound2-dev
  # the asset generator
  libcairo2-dev libsndfile1-dev libmp3lame-dev libmpg123-dev fonts-comic-neue
  # tests and benchmarks
  xvfb xauth xdotool imagemagick libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev fonts-dejavu-core fonts-liberation
  # the package and its validators
  dpkg-dev file fakeroot lintian desktop-file-utils appstream man-db
)
if [ "${1:-}" = web ]; then
  # The compiler, and the browser the tests drive. Node comes with emscripten
  # where the machine has none; npm then too.
  packages+=(emscripten node-acorn chromium)
  if ! command -v node >/dev/null; then packages+=(nodejs); fi
  if ! command -v npm >/dev/null; then packages+=(npm); fi
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
