#!/usr/bin/env bash
# Fuzzes the Targa decoder with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, then replays the grown corpus under
# MemorySanitizer to catch pixels the decoder never wrote.
#
# Builds its own clang tree (build-fuzz) and only the fuzz targets. Seeds a
# fresh corpus copy with ImageMagick-made files of every storage the loader
# meets and with the malformed test fixtures. Exits non-zero on any finding;
# crashing inputs are kept in build-fuzz/fuzz-tga/artifacts.
#
#   FUZZ_SECONDS=60   how long to fuzz
#   FUZZ_COVERAGE=1   also report the decoder's line coverage over the corpus
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
work="$build/fuzz-tga"
seconds=${FUZZ_SECONDS:-60}
convert=/usr/bin/convert  # the real ImageMagick, not a stand-in earlier on PATH

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DPLOMBRIX_FUZZ=ON -DPLOMBRIX_TESTS=OFF -DPLOMBRIX_BENCH=OFF -DPLOMBRIX_ASSETS=OFF >/dev/null
targets=(fuzz_tga fuzz_tga_msan)
if [ "${FUZZ_COVERAGE:-0}" = 1 ]; then targets+=(fuzz_tga_coverage); fi
cmake --build "$build" -j2 --target "${targets[@]}"

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts" "$work/seeds"

# A small picture with flat runs, fine detail and graded alpha, written in
# every type, depth, compression and row order.
"$convert" logo: -resize 40x30! -alpha set -channel A -fx 'i/w' +channel "$work/seeds/source.png"
for type in TrueColorAlpha TrueColor Grayscale; do
  for compress in None RLE; do
    for orient in TopLeft BottomLeft; do
      flip=()
      if [ "$orient" = BottomLeft ]; then flip=(-flip); fi
      "$convert" "$work/seeds/source.png" "${flip[@]}" -type "$type" -depth 8 -compress "$compress" \
        -orient "$orient" "$work/corpus/im-$type-$compress-$orient.tga"
    done
  done
done
"$convert" "$work/seeds/source.png" -type Palette "$work/corpus/im-palette.tga"
cp "$root"/tests/data/tga/*.tga "$work/corpus/"
echo "Seed corpus: $(ls "$work/corpus" | wc -l) files"

# Limits that only a fault reaches. No input of the corpus' sizes can make a
# clean decoder ask for more than a few megabytes at once, so a single larger
# allocation is a header the size checks let through. The address sanitizer
# holds freed pixel buffers in quarantine; a small quarantine keeps its share
# of the resident size low, so the resident cap only trips on a real leak.
export ASAN_OPTIONS="quarantine_size_mb=16:${ASAN_OPTIONS:-}"
set +e
echo "Fuzzing for $seconds s (progress in $work/fuzz.log)"
"$build/fuzz/fuzz_tga" -malloc_limit_mb=64 -rss_limit_mb=1024 -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/fuzz.log" 2>&1
fuzz_status=$?
if [ "$fuzz_status" != 0 ]; then tail -n 40 "$work/fuzz.log" >&2; fi
# Replays every input once, those the fuzzer added included.
"$build/fuzz/fuzz_tga_msan" -runs=0 -artifact_prefix="$work/artifacts/msan-" "$work/corpus" \
  >"$work/msan.log" 2>&1
msan_status=$?
set -e

if [ "${FUZZ_COVERAGE:-0}" = 1 ]; then
  LLVM_PROFILE_FILE="$work/coverage.profraw" "$build/fuzz/fuzz_tga_coverage" -runs=0 "$work/corpus" \
    >"$work/coverage.log" 2>&1
  llvm-profdata merge -sparse "$work/coverage.profraw" -o "$work/coverage.profdata"
  # Per function: the file reader (load) is outside the fuzzer's reach by design.
  llvm-cov report -show-functions "$build/fuzz/fuzz_tga_coverage" -instr-profile="$work/coverage.profdata" \
    "$root/gfx/TgaImage.cpp"
fi

findings=$(find "$work/artifacts" -type f | wc -l)
echo "MemorySanitizer replay: $([ "$msan_status" = 0 ] && echo clean || echo "FAILED, see $work/msan.log")"
echo "Findings: $findings (artifacts in $work/artifacts)"
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/fuzz.log")
echo "Executions: ${executions:-0} in ${seconds} s (${rate:-0} per second)"
if [ "$fuzz_status" != 0 ] || [ "$msan_status" != 0 ] || [ "$findings" != 0 ]; then exit 1; fi
