#!/usr/bin/env bash
# Fails when a file includes a folder its own folder may not use, or when a
# folder holds code that no rule below covers. The rules are those of
# docs/architecture.md: the game's folders stack one way, with util/ and the
# asset tree's description in assets/ at the bottom, so peers (gfx and audio,
# fx and score) stay apart; the generator, the benchmarks, the fuzzers and the
# tests stand beside the game and use what their line names.
set -euo pipefail -o noglob  # the rules hold "*", never a file pattern
root=$(cd "$(dirname "$0")/.." && pwd)

# What each folder may use besides itself; "*" is anything. A new folder is one
# more line. A subfolder with rules of its own gets its own line, and the most
# specific line rules a file; a folder named here stands for its subfolders too.
rules="
  assets
  util
  gfx     util assets
  audio   util assets
  fx      gfx audio util assets
  score   gfx audio util assets
  sim     fx score gfx audio util assets
  view    sim fx score gfx audio util assets
  app     view sim fx score gfx audio util assets
  tools   assets util
  fuzz    gfx util
  bench   app view sim fx score gfx audio util assets tests/support
  tests   *
  web/include
  web/freetype
  web/gl        web/include
  web/glut      web/gl web/include
  web/audio     audio util assets
  web/app       app view sim fx score gfx audio util assets
  web/bench     bench app view sim fx score gfx audio util assets web/gl web/include
  web/tests     *
"
declare -A uses=()
while read -r folder used; do
  [ -z "$folder" ] || uses[$folder]=$used
done <<<"$rules"

# Where the build looks for an included file after the including file's own
# folder: the game's root, the tests' support, the generator's own headers and
# the benchmarks' scene. The browser's GL headers (web/include) stand in for
# system headers: to the game, <GL/gl.h> is the platform's, whichever it is.
include_dirs=(. tests tools bench)
code='\.(c|cc|cpp|cxx|h|hh|hpp|inl)$'

status=0
fail() {
  echo "$*" >&2
  status=1
}

for folder in "${!uses[@]}"; do
  for used in ${uses[$folder]}; do
    [ "$used" = "*" ] || [ -d "$root/$used" ] || fail "check-layers.sh: $folder/ may use $used/, which does not exist"
  done
done

# Sets owner to the most specific folder with a rule that holds path, or to
# nothing.
owner_of() {
  owner=""
  local folder
  for folder in "${!uses[@]}"; do
    case "$1" in "$folder"/*) [ "${#folder}" -le "${#owner}" ] || owner=$folder ;; esac
  done
}

# Sets target to the file an include of name from dir reaches, or to nothing;
# a quoted name is looked up beside the including file first.
resolve() {
  local name=$1 dir=$2 quoted=$3 base
  target=""
  for base in $([ "$quoted" = '"' ] && echo "$dir") "${include_dirs[@]}"; do
    if [ -f "$root/$base/$name" ]; then
      target=$(realpath -m --relative-to="$root" "$root/$base/$name")
      return
    fi
  done
}

# Tracked files and new ones git does not ignore, so build trees never count.
list_files() {
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files --cached --others --exclude-standard
  else
    (cd "$root" && find . \( -path './.*' -o -path './build*' \) -prune -o -type f -print | sed 's|^\./||')
  fi
}

declare -A unruled=()
while IFS= read -r file; do
  [ -f "$root/$file" ] || continue
  owner_of "$file"
  folder=$owner
  if [ -z "$folder" ]; then
    unruled[${file%%/*}]=1
    continue
  fi
  [ "${uses[$folder]}" != "*" ] || continue
  dir=$(dirname "$file")
  while IFS= read -r hit; do
    line=${hit%%:*}
    text=${hit#*:}
    [[ "$text" =~ include[[:space:]]*([\"\<])([^\"\>]+) ]] || continue
    resolve "${BASH_REMATCH[2]}" "$dir" "${BASH_REMATCH[1]}"
    [ -n "$target" ] || continue  # a system header
    owner_of "$target"
    [ "$owner" != "$folder" ] || continue
    allowed=no
    for used in ${uses[$folder]}; do
      case "$target" in "$used"/*) allowed=yes ;; esac
    done
    [ "$allowed" = yes ] || fail "$file:$line: $folder/ may not include ${target%/*}/ ($text)"
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "$root/$file" || true)
done < <(list_files | grep -E "$code")

for top in "${!unruled[@]}"; do
  fail "$top: holds code but scripts/check-layers.sh has no rule for it; add a line saying what it may use" \
    "(and a row in docs/architecture.md)"
done

[ "$status" = 0 ] && echo "Folder layers: every include points down the stack"
exit "$status"
