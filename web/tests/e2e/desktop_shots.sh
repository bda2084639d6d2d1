#!/usr/bin/env bash
# Screenshots of the real desktop game with the real generated assets, for
# the browser tests to hold the page's canvas against: the title screen, then
# the instructions after one mouse press. The game runs under an X server of
# its own and finds the assets the build put beside it.
#   desktop_shots.sh --game build/plombrix --out DIR   ->  DIR/title.png, DIR/instructions.png
set -euo pipefail

game="" out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --game) game=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
[ -x "$game" ] && [ -n "$out" ] || { echo "usage: desktop_shots.sh --game BIN --out DIR" >&2; exit 2; }
[ -f "$(dirname "$game")/res/images/titlescreen.tga" ] || { echo "no generated assets beside $game" >&2; exit 2; }
game=$(realpath "$game")
mkdir -p "$out"
out=$(realpath "$out")
source "$(dirname "$0")/../../../tests/e2e/session.sh"
export SDL_AUDIODRIVER=dummy

shot() { "$IMPORT" -silent -window "$wid" "$work/$1.png"; }
# Neither screen moves, so the picture is in once two shots in a row agree
# and the window is no longer black.
settled() {
  shot now || return 1
  if [ -f "$work/last.png" ] && "$COMPARE" -metric AE "$work/last.png" "$work/now.png" null: >/dev/null 2>&1 &&
     [ "$("$CONVERT" "$work/now.png" -format '%[fx:maxima.intensity > 0.1]' info:)" = 1 ]; then
    return 0
  fi
  mv "$work/now.png" "$work/last.png"
  return 1
}
# Started from a folder without res/, so the game takes the tree beside it.
mkdir "$work/elsewhere"
start_xvfb
start_game "$work/elsewhere" "$game" "$work/stderr.txt"
poll 100 settled || fail "the desktop title screen never settled"
cp "$work/now.png" "$out/title.png"
rm -f "$work/last.png"

xdotool mousemove --window "$wid" 512 384 click 1
different() { ! "$COMPARE" -metric AE "$out/title.png" "$work/now.png" null: >/dev/null 2>&1; }
instructions() { settled && different; }
poll 100 instructions || fail "the desktop game did not leave its title screen after a press"
cp "$work/now.png" "$out/instructions.png"
echo "$out/title.png $out/instructions.png"
