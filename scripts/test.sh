#!/usr/bin/env bash
# One command from a fresh clone to every test: set up, check that includes
# point down the folder stack, build, then run
#   1. the whole unit-test suite once under AddressSanitizer + UndefinedBehaviorSanitizer,
#   2. the Targa decoder's fuzzer for a bounded time,
#   3. every test (unit, drawing, end-to-end) on the normal build,
#   4. the Debian package: built, validated, installed into a scratch root and
#      started from another folder,
#   5. the browser build (scripts/web.sh) and its tests in headless Chromium:
#      the GL layer against Mesa, the page's GLUT, the web audio, the game,
# all under a virtual X server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
bash "$root/scripts/setup.sh" web
bash "$root/scripts/check-layers.sh"

export SDL_AUDIODRIVER=dummy
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset")

echo "== Sanitizer build (ASan + UBSan)"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DPLOMBRIX_SANITIZE=ON \
  -DPLOMBRIX_TESTS=ON -DPLOMBRIX_BENCH=OFF -DPLOMBRIX_ASSETS=ON -DPLOMBRIX_UNITY=ON >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
# Leaks inside the GL driver, X and SDL are theirs, not ours.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"${xvfb[@]}" ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs" -E '^e2e_' --timeout 300
unset LSAN_OPTIONS ASAN_OPTIONS UBSAN_OPTIONS

if [ -f "$root/scripts/fuzz.sh" ]; then
  echo "== Fuzzing the Targa decoder"
  FUZZ_SECONDS=${FUZZ_SECONDS:-30} bash "$root/scripts/fuzz.sh"
fi

echo "== Optimised build: every test, end to end included"
# Options spelled out: the start command may have configured this folder
# without tests before.
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOMBRIX_TESTS=ON \
  -DPLOMBRIX_BENCH=ON -DPLOMBRIX_ASSETS=ON -DPLOMBRIX_UNITY=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
"${xvfb[@]}" ctest --test-dir "$root/build" --output-on-failure -j"$jobs" --timeout 300

echo "== The Debian package: built, validated, installed into a scratch root and played from /"
bash "$root/scripts/package-test.sh" "$root/build"

echo "== The browser build and its tests in headless Chromium"
bash "$root/scripts/web.sh"
bash "$root/web/tests/run.sh" "$root/build" "$root/build-web"
