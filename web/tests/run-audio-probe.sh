#!/usr/bin/env bash
# Builds the audio probe with em++ and checks the web audio back end in
# headless Chromium: bash web/tests/run-audio-probe.sh [folder of the game's
# generated sounds, build/res/audio by default]. The probe's page and files go
# to build-web/audio-probe/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
sounds=${1:-$root/build/res/audio}
out=$root/build-web/audio-probe
if [ ! -f "$sounds/Tolvaren_Drift2.mp3" ]; then
  echo "No generated sounds in $sounds: build the game first (it generates them), or name their folder." >&2
  exit 1
fi

# The game's sounds, and three of the probe's own: a tone of known level, a
# wave header followed by junk, and the tone's header with no frames after it
# (a file cut short), which passes the header check but not the browser's
# decoder.
rm -rf "$out" && mkdir -p "$out/res/audio"
cp "$sounds"/*.wav "$sounds"/*.mp3 "$out/res/audio/"
python3 - "$out/res/audio" <<'PY'
import math, struct, sys, wave
folder = sys.argv[1]
rate, amplitude = 44100, 0.5
with wave.open(f"{folder}/tone.wav", "wb") as tone:
    tone.setnchannels(1)
    tone.setsampwidth(2)
    tone.setframerate(rate)
    tone.writeframes(b"".join(struct.pack("<h", round(32767 * amplitude * math.sin(2 * math.pi * 440 * i / rate)))
                              for i in range(rate // 2)))
with open(f"{folder}/corrupt.wav", "wb") as corrupt:
    corrupt.write(b"RIFF\x40\0\0\0WAVE" + b"Z" * 60)
with open(f"{folder}/tone.wav", "rb") as tone, open(f"{folder}/undecodable.wav", "wb") as cut:
    cut.write(tone.read(40) + struct.pack("<I", 0))  # up to the data chunk's size, which is 0
PY

export NODE_PATH=/usr/share/nodejs  # Debian's emscripten runs its optimiser with Debian's acorn
em++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -I"$root" \
  "$root/web/tests/audio_probe.cpp" \
  "$root"/web/audio/{WebAudioBackend,WebMixer,WaveHeader}.cpp \
  "$root"/audio/{SoundBank,VoiceRoster,MixLimiter}.cpp \
  --js-library "$root/web/audio/library_web_audio.js" \
  -sALLOW_MEMORY_GROWTH=1 -sEXPORTED_RUNTIME_METHODS=ccall \
  --preload-file "$out/res@/res" \
  -o "$out/audio_probe.js"
cp "$root/web/audio/mix-output.worklet.js" "$root/web/tests/audio_probe.html" "$out/"

cd "$root/web/tests"
[ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund
node --test audio_probe.test.js
