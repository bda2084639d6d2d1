#!/usr/bin/env bash
# One command from a fresh clone to a running game: set up, build, play.
# The game reads ./res/ relative to its working directory, which the build
# generates inside build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" -DPLOMBRIX_TESTS=OFF -DPLOMBRIX_BENCH=OFF -DPLOMBRIX_ASSETS=ON
cd "$root/build"
exec ./plombrix
