#!/usr/bin/env bash
# Plays the real game under its own virtual X server: finds its window, checks
# title, size and position, walks title -> instructions -> play with real mouse
# presses, plays for a while, bursts bubbles with clicks (the pointer held
# still), zooms to both ends, resizes the window, and closes it the way a
# window manager's close button does. Then starts the game again from a
# folder without res/, where it must find the tree the build put beside it.
# Every check of an end state first sees its own event take effect, so a key or
# a resize that did nothing cannot pass for one that worked. The scratch res/
# holds small pictures in distinct colours, so each screen shows by its pixels.
set -euo pipefail

[ $# = 4 ] && [ -x "$1" ] && [ -x "$2" ] && [ -x "$3" ] ||
  { echo "usage: run_e2e.sh GAME WM_CLOSE RESIZE_WINDOW OUT_DIR" >&2; exit 2; }
game=$(realpath "$1"); closer=$(realpath "$2"); resizer=$(realpath "$3"); out=$4
mkdir -p "$out"
source "$(dirname "$0")/session.sh"

# A 16 x 16 Targa in four bands of rows, each one run-length packet of 64
# pixels, in the colours given as "r g b", the top first; or in one colour.
banded_tga() {
  local path=$1; shift
  { printf '\x00\x00\x0a\x00\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00\x10\x00\x20\x28'
    for band in "$@"; do
      set -- $band
      printf "\\xbf\\x$(printf %02x "$3")\\x$(printf %02x "$2")\\x$(printf %02x "$1")\\xff"
    done
  } > "$path"
}
solid_tga() { banded_tga "$1" "$2 $3 $4" "$2 $3 $4" "$2 $3 $4" "$2 $3 $4"; }

shot() { "$IMPORT" -silent -window "$wid" "$out/$1.png"; }
click() { xdotool mousemove --window "$wid" "$2" "$3" click "$1"; }
start_xvfb

mkdir -p "$work/res/images" "$work/res/fonts" "$work/res/audio"
solid_tga "$work/res/images/titlescreen.tga" 200 40 40
solid_tga "$work/res/images/instructions.tga" 40 200 40
# The playing background: opaque blue, so bubbles and text stand out, but for
# a green band across it from world y 3 to 4.5, whose height on screen shows
# the zoom.
banded_tga "$work/res/images/background.tga" "40 40 200" "40 200 40" "40 40 200" "40 40 200"
solid_tga "$work/res/images/diseaseBubble.tga" 255 255 255
# The selection ring in a colour no bubble has, so the selection can be seen.
solid_tga "$work/res/images/selection.tga" 255 0 255
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$work/res/fonts/Cookies.ttf"

start_game "$work" "$game" "$work/stderr.txt"
pass "window titled Plombrix! found"

placed() { eval "$(xdotool getwindowgeometry --shell "$wid")"; [ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] && [ "$X" = 100 ] && [ "$Y" = 100 ]; }
poll 50 placed || fail "window is ${WIDTH}x${HEIGHT} at ($X, $Y), expected 1024x768 at (100, 100)"
pass "window is 1024x768 at (100, 100)"

# "r,g,b" of one pixel of a screenshot.
pixel() { "$CONVERT" "$out/$1.png" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:; }
near() {  # near "r,g,b" r g b
  local IFS=,; set -- $1 "$2" "$3" "$4"
  local d
  for d in $(( $1 - $4 )) $(( $2 - $5 )) $(( $3 - $6 )); do [ "${d#-}" -le 12 ] || return 1; done
}
# shows SHOT X Y R G B: takes SHOT and checks one of its pixels.
shows() { shot "$1" && c=$(pixel "$1" "$2" "$3") && near "$c" "$4" "$5" "$6"; }
# How many pixels of a box of a screenshot are near one colour (or, with
# -not, are not).
count_near() {  # count_near SHOT X Y W H R G B [-not]
  local mark=-negate
  [ "${9:-}" = -not ] && mark=""
  "$CONVERT" "$out/$1.png" -crop "$4x$5+$2+$3" +repage -alpha off -fuzz 8% -transparent "rgb($6,$7,$8)" \
    -alpha extract $mark -format '%[fx:int(mean*w*h+0.5)]' info:
}

poll 50 shows title 512 384 200 40 40 || fail "the title screen shows $c in the middle"
pass "the title screen shows"
click 1 600 400
poll 50 shows instructions 512 384 40 200 40 || fail "after a left press the screen shows $c, not the instructions"
pass "left press shows the instructions"
click 2 600 400
poll 50 shows playing 1000 20 40 40 200 || fail "after a middle press the screen shows $c, not the playing background"
pass "middle press starts play"

# The stomach spans world x -3.43..1.12 above the floor at y 0.41, that is
# window pixels x 73..655, y up to 716.
stomach_filled() { shot playing && filled=$(count_near playing 80 420 560 290 40 40 200 -not) && [ "$filled" -gt 40000 ]; }
poll 100 stomach_filled || fail "after ten seconds of play only $filled stomach pixels show bubbles"
pass "bubbles fill the stomach ($filled of 162400 pixels)"
# Hovering selects the nearest bubble: its ring appears, and stays with it as
# it falls, so it is looked for in the whole window. The pointer then held
# still while the field merges and bursts around it: before every click a
# bubble is ringed, so every click bursts one; the first changes the money
# shown, printed in black around world (2, 4.46), window (768, 197), as it eases.
ringed() { shot "$1" && ring=$(count_near "$1" 0 0 1024 768 255 0 255) && [ "$ring" -gt 60 ]; }
money_changed() {
  shot clicked && "$CONVERT" "$out/clicked.png" -crop 260x80+740+140 +repage "$work/money-after.png" &&
    changed=$("$COMPARE" -metric AE "$work/money-before.png" "$work/money-after.png" null: 2>&1 || true) &&
    [ "${changed%% *}" -gt 0 ]
}
xdotool mousemove --window "$wid" 360 560
for n in $(seq 10); do
  poll 30 ringed still || fail "click $n: no bubble selected for the still pointer ($ring ring pixels)"
  [ "$n" = 1 ] && "$CONVERT" "$out/still.png" -crop 260x80+740+140 +repage "$work/money-before.png"
  xdotool click 1
  if [ "$n" = 1 ]; then poll 30 money_changed || fail "the money shown did not change after a click"; fi
  sleep 0.4
done
pass "ten clicks with the pointer held still each found a ringed bubble; the first changed the money"

# The zoom keys reach their ends and the picture stays. Near, the eye at half
# its distance doubles the green band: in column 1000, clear of the stomach and
# the numbers, about 158 solid pixels become about 318, to be seen in a frame no
# chain text crosses before the picture is judged. Far, the world is centred.
green_between() {  # green_between SHOT LEAST MOST
  shot "$1" && green=$(count_near "$1" 1000 0 1 768 40 200 40) && [ "$green" -ge "$2" ] && [ "$green" -le "$3" ]
}
# 40 ms apart: GLUT takes a release for a key repeat, which the game ignores,
# if the key is down again when a busy game reads it.
presses() { xdotool key --delay 40 $(printf "$1 %.0s" $(seq "$2")); }
poll 30 green_between unzoomed 140 180 || fail "before zooming the green band is $green pixels tall, not about 158"
presses s 10
poll 30 green_between zoomed-in 290 350 || fail "after ten presses of 's' the green band is $green pixels tall, not about 318"
not_black() { shot "$1" && black=$(count_near "$1" 0 0 1024 768 0 0 0) && [ "$black" -lt 20000 ]; }
poll 20 not_black zoomed-in || fail "zoomed in, $black pixels are black"
pass "ten presses of 's' zoom in: the green band grows to $green pixels tall; $black pixels black"
presses w 30
sleep 0.3
poll 20 shows zoomed-out 661 265 40 40 200 || fail "zoomed out, the middle of the window shows $c"
poll 20 shows zoomed-out 20 20 0 0 0 || fail "zoomed out, the corner shows $c, not the clear colour"
pass "thirty presses of 'w' keep the world in view"

# The resize must be seen to land (the server gives the window 800 x 600) and
# the game to undo it (1024 x 768 again) before the window is judged.
sizes=$(timeout 10 "$resizer" "$wid" 800 600 | paste -sd ' ') || true
case " $sizes" in
  *" 800x600 1024x768") ;;
  *" 800x600"*) fail "the game left the window at 800x600 (sizes seen: $sizes)" ;;
  *) fail "the resize to 800x600 never reached the window (sizes seen: ${sizes:-none})" ;;
esac
poll 50 placed || fail "after the resize the window is ${WIDTH}x${HEIGHT} at ($X, $Y)"
pass "a resize to 800x600 lands and snaps back to 1024x768 at (100, 100)"
close_game "$closer" "$work/stderr.txt"
pass "closing the window ends the game with status 0 and no error text"

# Started from a folder without res/, the game uses the tree built beside it.
if [ -d "$(dirname "$game")/res" ]; then
  mkdir "$work/elsewhere"
  start_game "$work/elsewhere" "$game" "$work/stderr-elsewhere.txt"
  # The built title picture, not white squares of missing textures.
  titled() { shot elsewhere && c=$(pixel elsewhere 512 384) && ! near "$c" 255 255 255 && ! near "$c" 0 0 0; }
  poll 50 titled || fail "started from another folder, the title shows $c"
  close_game "$closer" "$work/stderr-elsewhere.txt"
  pass "started from another folder, the game shows its title and ends cleanly"
fi

# A copy of the game away from every tree says where it looked, then that its
# font is missing, on standard error, and ends with a failure status.
mkdir -p "$work/alone/res" && cp "$game" "$work/alone/plombrix"
status=0
(cd "$work/alone" && timeout 60 ./plombrix >/dev/null 2>stderr.txt) || status=$?
[ "$status" != 0 ] && [ "$status" != 124 ] || fail "without its font the game ended with status $status"
err=$(cat "$work/alone/stderr.txt")
[[ "$err" == *"$work/alone"*"FT_New_Face failed (there is probably a problem with your font file)"* ]] ||
  fail "without its font the game said: $err"
pass "without its font the game says where it looked and why it stops, and fails"
echo "screenshots in $out"
