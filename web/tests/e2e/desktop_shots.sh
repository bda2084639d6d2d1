#!/usr/bin/env bash
# Screenshots of the real desktop game with its generated assets, for the
# browser tests to hold the page's canvas against: the title screen, then the
# instructions after one mouse press. The game runs under an X server of its
# own and finds the assets the build put beside it.
#   desktop_shots.sh GAME OUT   ->  OUT/title.png, OUT/instructions.png
set -euo pipefail
[ $# = 2 ] && [ -x "$1" ] || { echo "usage: desktop_shots.sh GAME OUT" >&2; exit 2; }
[ -f "$(dirname "$1")/res/images/titlescreen.tga" ] || { echo "no generated assets beside $1" >&2; exit 2; }
game=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
source "$(dirname "$0")/../../../tests/e2e/session.sh"
export SDL_AUDIODRIVER=dummy

# Neither screen moves, so the picture is in once two shots in a row agree
# and the window is no longer black.
settled() {
  "$IMPORT" -silent -window "$wid" "$work/now.png" || return 1
  if [ -f "$work/last.png" ] && "$COMPARE" -metric AE "$work/last.png" "$work/now.png" null: >/dev/null 2>&1 &&
     [ "$("$CONVERT" "$work/now.png" -format '%[fx:maxima.intensity > 0.1]' info:)" = 1 ]; then
    return 0
  fi
  mv "$work/now.png" "$work/last.png"
  return 1
}
different() { ! "$COMPARE" -metric AE "$out/title.png" "$work/now.png" null: >/dev/null 2>&1; }
instructions() { settled && different; }
# Started from a folder without res/, so the game takes the tree beside it.
mkdir "$work/elsewhere"
start_xvfb
start_game "$work/elsewhere" "$game" "$work/stderr.txt"
poll 100 settled || fail "the desktop title screen never settled"
cp "$work/now.png" "$out/title.png"
rm -f "$work/last.png"
xdotool mousemove --window "$wid" 512 384 click 1
poll 100 instructions || fail "the desktop game did not leave its title screen after a press"
cp "$work/now.png" "$out/instructions.png"
