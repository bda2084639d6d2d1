#!/usr/bin/env python3
"""The audio probe's own sounds, written into the folder named on the command
line: a 440 Hz tone of known level, a wave header followed by junk, and the
tone's header with no frames after it (a file cut short), which passes the
back end's header check but not the browser's decoder."""
import math
import struct
import sys
import wave

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
