#!/usr/bin/env bash
# Builds the Debian package from a configured and built folder, validates what
# it installs, and plays the installed game:
#   package-test.sh [BUILD_DIR]        (default: build/ of the repository)
# It runs cpack, then desktop-file-validate, appstreamcli, man and lintian
# (failing on errors only), unpacks the .deb into a scratch root with dpkg -x,
# starts the game from / under its own virtual X server, checks by screenshot
# that the title screen and the instructions are the installed pictures and
# that two presses reach play, and closes the window the way a window manager
# does: the game must end with status 0 and nothing on standard error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
export SDL_AUDIODRIVER=dummy
source "$root/tests/e2e/session.sh"

# The package.
(cd "$build" && cpack -G DEB) >"$work/cpack.txt" 2>&1 || { cat "$work/cpack.txt" >&2; fail "cpack"; }
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$work/cpack.txt")
[ -f "$deb" ] || { cat "$work/cpack.txt" >&2; fail "cpack named no .deb"; }
pass "built $(basename "$deb") ($(stat -c %s "$deb") bytes), Depends: $(dpkg-deb -f "$deb" Depends)"

dpkg -x "$deb" "$work/root"
usr=$work/root/usr
[ -x "$usr/games/plombrix" ] || fail "no executable at /usr/games/plombrix"
for file in images/titlescreen.tga images/instructions.tga fonts/Cookies.ttf fonts/Cookies-LICENSE.txt \
  audio/Tolvaren_Drift2.mp3; do
  [ -s "$usr/share/games/plombrix/res/$file" ] || fail "no $file in /usr/share/games/plombrix/res"
done
[ ! -e "$usr/share/games/plombrix/res/icons" ] || fail "the icons were installed with the game's data"
for size in 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x${size}/apps/plombrix.png
  file -b "$icon" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $icon: $(file -b "$icon")"
done
if dpkg-deb -c "$deb" | grep -E 'tests_|plombrix_assets|bench|wm_close'; then fail "the package holds more than the game"; fi
pass "the layout of Debian's games: /usr/games, /usr/share/games/plombrix/res, icons at 4 sizes"

# The validators. Each one's own output is shown; only errors fail.
echo "-- desktop-file-validate"
desktop-file-validate "$usr/share/applications/plombrix.desktop" || fail "desktop-file-validate"
echo "-- appstreamcli validate --no-net"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
echo "-- man --warnings"
man --warnings -l "$usr/share/man/man6/plombrix.6.gz" 2>"$work/man.txt" >/dev/null
if [ -s "$work/man.txt" ]; then cat "$work/man.txt" >&2; fail "the manual page has warnings"; fi
echo "-- lintian"
lintian --fail-on error "$deb" || fail "lintian found errors"
pass "validators"

# The installed game, started from a folder that has nothing to do with it.
cc -o "$work/wm_close" "$root/tests/e2e/wm_close.c" -lX11
start_xvfb
start_game / "$usr/games/plombrix" "$work/stderr.txt"

shot() { "$IMPORT" -silent -window "$wid" "$work/$1.png"; }
# Root-mean-square difference of a screenshot and one of the installed
# pictures, 0 (same) to 1.
differs() {
  "$COMPARE" -metric RMSE "$work/$1.png" "$usr/share/games/plombrix/res/images/$2" null: 2>&1 |
    sed -n 's/.*(\(.*\)).*/\1/p'
}
# The game draws the 1024 x 768 screens one to one, so a screenshot is the
# picture but for filtering; the title and the instructions differ by far more.
close_to() { awk -v d="$(differs "$1" "$2")" 'BEGIN { exit !(d != "" && d < 0.06) }'; }
click() { xdotool mousemove --window "$wid" 600 400 click "$1"; }
showing() { shot "$1" && close_to "$1" "$2"; }
playing() { shot playing && ! close_to playing instructions.tga && colours=$("$CONVERT" "$work/playing.png" -format %k info:) && [ "$colours" -gt 1000 ]; }

poll 50 showing title titlescreen.tga ||
  fail "the title screen is not the installed picture (RMSE $(differs title titlescreen.tga))"
pass "the title screen shows the installed picture (RMSE $(differs title titlescreen.tga))"
click 1
poll 50 showing instructions instructions.tga ||
  fail "a press did not show the instructions (RMSE $(differs instructions instructions.tga))"
pass "a press shows the instructions (RMSE $(differs instructions instructions.tga))"
click 3
poll 50 playing || fail "a second press did not start play (${colours:-no} colours)"
pass "a second press starts play ($colours colours on screen)"

close_game "$work/wm_close" "$work/stderr.txt"
pass "closing the window ends the installed game with status 0 and no error text"
