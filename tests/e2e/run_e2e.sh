#!/usr/bin/env bash
# Plays the real game under its own virtual X server: finds its window, checks
# title, size and position, walks title -> instructions -> play with real mouse
# presses, plays for a while, bursts a bubble with a click, tries to resize the
# window, and closes it the way a window manager's close button does.
#
# By default the game runs in a scratch folder whose res/ holds small pictures
# in distinct colours, so each screen can be told apart by its pixels and the
# test does not depend on the real assets. With --assets DIR it runs on a real
# asset tree instead and only saves the screenshots.
set -euo pipefail

game="" closer="" out="" assets=""
while [ $# -gt 0 ]; do
  case "$1" in
    --game) game=$2; shift 2 ;;
    --close) closer=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --assets) assets=$2; shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
[ -x "$game" ] && [ -x "$closer" ] && [ -n "$out" ] || { echo "usage: run_e2e.sh --game BIN --close BIN --out DIR [--assets DIR]" >&2; exit 2; }

game=$(realpath "$game"); closer=$(realpath "$closer")
CONVERT=/usr/bin/convert   # the real ImageMagick, not a stand-in earlier on PATH
IMPORT=/usr/bin/import
mkdir -p "$out"
work=$(mktemp -d)
game_pid="" xvfb_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# A solid-colour 16 x 16 Targa: two run-length packets of 128 pixels each.
solid_tga() {
  local path=$1 r=$2 g=$3 b=$4 a=${5:-255}
  {
    printf '\x00\x00\x0a\x00\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00\x10\x00\x20\x28'
    for _ in 1 2; do printf "\\xff\\x$(printf %02x "$b")\\x$(printf %02x "$g")\\x$(printf %02x "$r")\\x$(printf %02x "$a")"; done
  } > "$path"
}

if [ -n "$assets" ]; then
  ln -s "$(cd "$assets" && pwd)" "$work/res"
else
  mkdir -p "$work/res/images" "$work/res/fonts" "$work/res/audio"
  solid_tga "$work/res/images/titlescreen.tga" 200 40 40
  solid_tga "$work/res/images/instructions.tga" 40 200 40
  # The playing background: opaque blue everywhere, so bubbles and text stand out.
  solid_tga "$work/res/images/background.tga" 40 40 200
  solid_tga "$work/res/images/diseaseBubble.tga" 255 255 255
  # The selection ring in a colour no bubble has, so the selection can be seen.
  solid_tga "$work/res/images/selection.tga" 255 0 255
  cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$work/res/fonts/Cookies.ttf"
fi

# Our own X server, so no other test's windows overlap the game's. The server
# picks a free display number itself and reports it, so two runs never race
# for the same one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "the virtual X server did not start"
display=":$(head -n 1 "$work/display")"
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$work" && exec "$game" >"$work/stdout.txt" 2>"$work/stderr.txt") &
game_pid=$!

wid=$(timeout 20 xdotool search --sync --name '^Plombrix!$' | head -n 1) || true
if [ -z "$wid" ]; then cat "$work/stderr.txt" >&2; fail "no window titled Plombrix! appeared"; fi
pass "window titled Plombrix! found"
sleep 1

geometry() { xdotool getwindowgeometry --shell "$wid"; }
eval "$(geometry)"
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 1024x768"
[ "$X" = 100 ] && [ "$Y" = 100 ] || fail "window is at ($X, $Y), expected (100, 100)"
pass "window is 1024x768 at (100, 100)"

shot() { "$IMPORT" -silent -window "$wid" "$out/$1.png"; }
# "r,g,b" of one pixel of a screenshot.
pixel() { "$CONVERT" "$out/$1.png" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:; }
near() {  # near "r,g,b" r g b
  local IFS=,; set -- $1 "$2" "$3" "$4"
  local d
  for d in $(( $1 - $4 )) $(( $2 - $5 )) $(( $3 - $6 )); do [ "${d#-}" -le 12 ] || return 1; done
}
click() { xdotool mousemove --window "$wid" "$2" "$3" click "$1"; sleep 0.8; }

shot title
if [ -z "$assets" ]; then
  for p in "5 5" "1018 762" "512 384"; do
    c=$(pixel title $p); near "$c" 200 40 40 || fail "title screen pixel ($p) is $c"
  done
  pass "title screen fills the window"
fi

click 1 600 400
shot instructions
if [ -z "$assets" ]; then
  c=$(pixel instructions 512 384); near "$c" 40 200 40 || fail "after a left press the screen shows $c, not the instructions"
  pass "left press shows the instructions"
fi

click 2 600 400
sleep 2
shot playing
if [ -z "$assets" ]; then
  c=$(pixel playing 1000 20); near "$c" 40 40 200 || fail "after a middle press the screen shows $c, not the playing background"
  pass "middle press starts play"
fi

# How many pixels of a box of a screenshot are near one colour.
count_near() {  # count_near SHOT X Y W H R G B
  "$CONVERT" "$out/$1.png" -crop "$4x$5+$2+$3" +repage -fuzz 8% -fill white -opaque "rgb($6,$7,$8)" \
    -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:
}
# Pixels of a box that are not the playing background.
count_not_background() {  # count_not_background SHOT X Y W H
  "$CONVERT" "$out/$1.png" -crop "$4x$5+$2+$3" +repage -fuzz 8% -fill black -opaque "rgb(40,40,200)" \
    -fill white +opaque black -format '%[fx:int(mean*w*h+0.5)]' info:
}

if [ -z "$assets" ]; then
  # The stomach spans world x -3.43..1.12 above the floor at y 0.41, that is
  # window pixels x 73..655, y up to 716.
  filled=$(count_not_background playing 80 420 560 290)
  [ "$filled" -gt 40000 ] || fail "after two seconds of play only $filled stomach pixels show bubbles"
  pass "bubbles fill the stomach ($filled of 162400 pixels)"
  # The money is printed in black around world (2, 4.46): window (768, 197).
  ink=$(count_near playing 740 140 260 80 0 0 0)
  [ "$ink" -gt 150 ] || fail "no money text on the playing screen ($ink dark pixels)"
  pass "the money is shown ($ink dark pixels)"
fi

# Hovering selects the nearest bubble: its ring appears around the pointer.
xdotool mousemove --window "$wid" 360 560
sleep 0.5
shot hover
if [ -z "$assets" ]; then
  ring=$(count_near hover 220 420 280 280 255 0 255)
  [ "$ring" -gt 100 ] || fail "no selection ring near the pointer ($ring ring pixels)"
  pass "hovering selects a bubble under the pointer ($ring ring pixels)"
fi

# A left press bursts the selected bubble and costs money: the money shown
# changes as it eases to the new amount.
"$CONVERT" "$out/hover.png" -crop 260x80+740+140 +repage "$work/money-before.png"
click 1 360 560
sleep 1.2
shot clicked
if [ -z "$assets" ]; then
  "$CONVERT" "$out/clicked.png" -crop 260x80+740+140 +repage "$work/money-after.png"
  changed=$(compare -metric AE "$work/money-before.png" "$work/money-after.png" null: 2>&1 || true)
  [ "${changed%% *}" -gt 0 ] || fail "the money shown did not change after a click"
  pass "a click changes the money shown ($changed pixels differ)"
fi

# A right press in play does nothing but is still a press: the screen stays.
click 3 600 400
shot playing-after-right
if [ -z "$assets" ]; then
  c=$(pixel playing-after-right 1000 20); near "$c" 40 40 200 || fail "a right press in play changed the screen to $c"
  pass "right press in play leaves the playing screen"
fi

xdotool windowsize "$wid" 800 600
sleep 1.5
eval "$(geometry)"
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] || fail "resized window stayed ${WIDTH}x${HEIGHT}"
pass "a resize snaps back to 1024x768"

"$closer" "$wid"
status=0
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after its window was closed"
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "the game ended with status $status"
if [ -s "$work/stderr.txt" ]; then
  cat "$work/stderr.txt" >&2
  fail "the game wrote to standard error"
fi
pass "closing the window ends the game with status 0 and no error text"
echo "screenshots in $out"
