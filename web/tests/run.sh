#!/usr/bin/env bash
# Runs the browser tests: the built site played in headless Chromium, held
# against screenshots of the desktop game it was built beside.
#   run.sh [SITE_DIR [DESKTOP_BUILD_DIR]]
# SITE_DIR defaults to build-web/site (scripts/web.sh), DESKTOP_BUILD_DIR to
# build, the desktop build whose generated assets the site packs. Installs the
# pinned puppeteer first when node_modules is missing or older than the
# lockfile. Pictures of a failed check go to $PLOMBRIX_TEST_OUTPUT (a folder
# in /tmp unless set).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
export PLOMBRIX_SITE=$(realpath "${1:-${PLOMBRIX_SITE:-$root/build-web/site}}")
export PLOMBRIX_DESKTOP_BUILD=$(realpath "${2:-${PLOMBRIX_DESKTOP_BUILD:-$root/build}}")

# npm ci leaves its own copy of the lockfile in node_modules.
installed="$here/node_modules/.package-lock.json"
if [ ! -f "$installed" ] || [ "$here/package-lock.json" -nt "$installed" ]; then
  npm ci --prefix "$here" --no-audit --no-fund
fi
cd "$here"
exec node --test e2e/
