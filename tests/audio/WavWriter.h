#pragma once
// Writes the audio tests' own sound files: 16-bit PCM RIFF/WAVE tones, a
// silent MP3 made of empty frames, and files that only pretend to be sound.

#include <string>

class WavWriter {
 public:
  static constexpr int kRate = 44100;  // frames per second of every written file

  // A mono sine tone of `frames` frames at `hz`, peaking at `amplitude` (0..1)
  // of full scale.
  static void writeTone(const std::string& path, int frames, double hz, double amplitude);
  // `frames` frames of mono MPEG-1 layer III at 44100 Hz whose frames carry no
  // audio data, so any decoder plays them as silence.
  static void writeSilentMp3(const std::string& path, int mp3Frames);
  // A "RIFF....WAVE" header followed by junk instead of format and data chunks.
  static void writeBroken(const std::string& path);
};
