#pragma once
// The browser's mix, written in plain C++ so that it runs, and is tested, like
// any other game code. WebAudioBackend hands it the sounds the browser decoded
// and asks it for every block of output; nothing here knows about the browser.
//
// It mixes as the desktop's SDL2_mixer does: every sample of the bank on four
// voices of its own, taken through the same VoiceRoster; each sample at its
// group's level and the music at the music's (SoundBank); the music looping
// forever from its first frame; and the whole sum through a MixLimiter. A mono
// sound lands at full level on both sides, as SDL's conversion puts it.

#include <array>
#include <vector>

#include "audio/MixLimiter.h"
#include "audio/SoundBank.h"
#include "audio/VoiceRoster.h"

class WebMixer {
 public:
  static constexpr int kOutputChannels = 2;  // interleaved stereo

  // A decoded sound at the output rate: `channels` runs of `frames` floats,
  // one after the other, the way the browser hands out its channels. Only the
  // first two channels are heard; one channel plays on both sides.
  struct Pcm {
    int channels = 0;
    int frames = 0;
    std::vector<float> samples;
  };

  explicit WebMixer(int rate);

  // Replaces the sample of a bank index (an empty one silences it); its voices
  // stop. Indices outside the bank are ignored.
  void setSample(int index, Pcm pcm);
  // Starts one voice of the sample from its first frame; nothing when the
  // index has no sample.
  void play(int index);
  // Frees the current music, then loops this one from its first frame.
  void setMusic(Pcm pcm);
  // Frees the current music: silence until the next setMusic.
  void stopMusic() { setMusic({}); }

  // Fills `frames` interleaved stereo frames with the next stretch of the mix.
  // Allocates nothing.
  void mix(float* out, int frames);

 private:
  bool hasMusic() const { return music_.frames > 0; }

  static constexpr int kSilent = -1;  // a voice's position when it is not sounding

  // Adds `frames` frames of the sound from frame `from` on, times `level`.
  static void addTo(float* out, const Pcm& pcm, int from, int frames, float level);
  static bool playable(const Pcm& pcm);

  std::array<Pcm, VoiceRoster::kSampleSlots> samples_;
  // The next frame each voice of each sample plays, kSilent when it is not sounding.
  std::array<std::array<int, VoiceRoster::kVoicesPerSample>, VoiceRoster::kSampleSlots> positions_;
  VoiceRoster roster_;
  Pcm music_;
  int musicPosition_ = 0;
  MixLimiter limiter_;
};
