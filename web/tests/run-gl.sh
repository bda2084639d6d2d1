#!/usr/bin/env bash
# The browser's GL 1.x layer against Mesa, in one command:
#   bash web/tests/run-gl.sh <desktop build> <web build>
# Brings the desktop runner and the browser's conformance page up to date in
# the two build folders (configured with the tests on, as scripts/web.sh and
# the test command leave them), draws every case with Mesa under a virtual X
# server into <desktop build>/gl-reference, then lets node's test runner draw
# them in headless Chromium and compare. The browser's pictures land in
# <web build>/gl-cases/drawn when they differ.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ $# -ne 2 ]; then
  echo "usage: $0 <desktop build> <web build>" >&2
  exit 2
fi
desktop=$(cd "$1" && pwd)
web=$(cd "$2" && pwd)
jobs=$(nproc)

# Emscripten's JavaScript tools need Debian's own acorn.
NODE_PATH=$(dirname "$(dirname "$(dpkg -L node-acorn | grep -m1 '/acorn/package.json$')")")
export NODE_PATH
cmake --build "$desktop" -j"$jobs" --target gl_cases_desktop >/dev/null
cmake --build "$web" -j"$jobs" --target gl_cases_page >/dev/null
if [ ! -d "$root/web/tests/node_modules/puppeteer-core" ]; then
  npm ci --prefix "$root/web/tests" --no-audit --no-fund >/dev/null
fi

reference="$desktop/gl-reference"
rm -rf "$reference" "$web/gl-cases/drawn"
# The runner prints the game's texture-loading lines; only its errors matter.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$desktop/web/tests/gl_cases_desktop" "$reference" >/dev/null

PLOMBRIX_GL_REFERENCE="$reference" PLOMBRIX_GL_CASES_PAGE="$web/gl-cases" \
  node --test "$root/web/tests/gl/conformance.test.js"
