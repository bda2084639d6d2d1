#!/usr/bin/env bash
# Fails when a game folder includes a folder above it. The folders stack one
# way (docs/architecture.md): a folder may use only those of a lower rank, so
# peers (gfx and audio, fx and score) stay apart too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A rank=([util]=0 [gfx]=1 [audio]=1 [fx]=2 [score]=2 [sim]=3 [view]=4 [app]=5)

status=0
for folder in "${!rank[@]}"; do
  while IFS=: read -r file line text; do
    used=$(sed -n 's/.*#include "\([a-z]*\)\/.*/\1/p' <<<"$text")
    [ -n "$used" ] && [ "$used" != "$folder" ] || continue
    if [ -z "${rank[$used]+set}" ] || [ "${rank[$used]}" -ge "${rank[$folder]}" ]; then
      echo "$file:$line: $folder/ may not include $used/ ($text)" >&2
      status=1
    fi
  done < <(cd "$root" && grep -n '#include "[a-z]*/' "$folder"/*.cpp "$folder"/*.h 2>/dev/null || true)
done
[ "$status" = 0 ] && echo "Folder layers: every include points down the stack"
exit "$status"
