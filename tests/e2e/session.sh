# Sourced by the scripts that play the real game: a scratch folder ($work), an
# X server of their own, the game's window, and a close the way a window
# manager does it. Every wait polls for what it waits for, up to a bound.

CONVERT=/usr/bin/convert   # the real ImageMagick, not a stand-in earlier on PATH
COMPARE=/usr/bin/compare
IMPORT=/usr/bin/import
work=$(mktemp -d)
game_pid="" xvfb_pid="" wid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }
# poll TENTHS CMD...: runs CMD every tenth of a second until it succeeds.
poll() {
  local tries=$1; shift
  for ((i = 0; i < tries; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}
gone() { ! kill -0 "$1" 2>/dev/null; }

# The server picks a free display number itself and reports it, so two runs
# never race for the same one, and no other test's windows overlap the game's.
# It must not reset when its last client leaves: the screenshots of the run
# come and go between game starts, and a resetting server refuses them.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  poll 100 test -s "$work/display" || fail "the virtual X server did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
  poll 50 xdotool getmouselocation >/dev/null 2>&1 || true
}

# start_game FOLDER GAME STDERR: starts the game there and finds its window.
start_game() {
  (cd "$1" && exec "$2" >/dev/null 2>"$3") &
  game_pid=$!
  wid=$(timeout 20 xdotool search --sync --name '^Plombrix!$' | head -n 1) || true
  [ -n "$wid" ] || { cat "$3" >&2; fail "no window titled Plombrix! appeared"; }
}

# close_game CLOSER STDERR: the game must end with status 0 and say nothing.
close_game() {
  "$1" "$wid"
  local status=0
  poll 100 gone "$game_pid" || fail "the game did not end after its window was closed"
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" = 0 ] || { cat "$2" >&2; fail "the game ended with status $status"; }
  if [ -s "$2" ]; then cat "$2" >&2; fail "the game wrote to standard error"; fi
}
