#!/usr/bin/env bash
# One command from a fresh clone to a running game: set up, build, play.
# The game finds the res/ tree the build generates beside it in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" -DPLOMBRIX_TESTS=OFF -DPLOMBRIX_BENCH=OFF -DPLOMBRIX_ASSETS=ON
exec "$root/build/plombrix"
