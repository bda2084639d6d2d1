#!/usr/bin/env bash
# Every browser test, after scripts/web.sh:  bash web/tests/run.sh [desktop build] [web build]
# Brings the test pages up to date, draws the GL cases with Mesa under a
# virtual X server as the reference, installs the pinned puppeteer when the
# lockfile changed, then runs the suites in headless Chromium one after
# another. Pictures of a failed check go to $PLOMBRIX_TEST_OUTPUT (a folder in
# /tmp unless set).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
desktop=$(cd "${1:-$root/build}" && pwd)
web=$(cd "${2:-$root/build-web}" && pwd)
tests="$root/web/tests"

# Emscripten's JavaScript tools need Debian's own acorn.
NODE_PATH=$(dirname "$(dirname "$(dpkg -L node-acorn | grep -m1 '/acorn/package.json$')")")
export NODE_PATH
cmake --build "$desktop" -j"$(nproc)" --target gl_cases_desktop >/dev/null
cmake --build "$web" -j"$(nproc)" --target gl_cases_page glut-probe audio-probe >/dev/null
if ! cmp -s "$tests/package-lock.json" "$tests/node_modules/.plombrix-lock" 2>/dev/null; then
  npm ci --prefix "$tests" --no-audit --no-fund >/dev/null
  cp "$tests/package-lock.json" "$tests/node_modules/.plombrix-lock"
fi

reference="$desktop/gl-reference"
rm -rf "$reference" "$web/gl-cases/drawn"
# The runner prints the game's texture-loading lines; only its errors matter.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "$desktop/web/tests/gl_cases_desktop" "$reference" >/dev/null

export PLOMBRIX_GL_REFERENCE="$reference" PLOMBRIX_GL_CASES_PAGE="$web/gl-cases"
export PLOMBRIX_GLUT_PROBE="$web/tests/glut" PLOMBRIX_AUDIO_PROBE="$web/tests/audio"
export PLOMBRIX_SITE="$web/site" PLOMBRIX_DESKTOP_BUILD="$desktop"
node --test --test-concurrency=1 "$tests/gl/" "$tests/glut/" "$tests/audio/" "$tests/e2e/"
