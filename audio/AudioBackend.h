#pragma once
// What the sound bank needs from an audio library: open an output once, preload
// numbered samples, start one from its beginning, and stream looping music. The
// game plays through its platform's back end (makePlatformAudioBackend below);
// tests may put a recording back end in its place to hear exactly which sounds
// the game asked for.

#include <memory>
#include <string>

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;

  // Opens the output; false when there is no usable device (the game goes on
  // silently).
  virtual bool open() = 0;
  // Preloads the sample for one index; false when the file cannot be used.
  virtual bool loadSample(int index, const std::string& path) = 0;
  // Starts one voice of the sample from its beginning (see SoundBank).
  virtual void playSample(int index) = 0;
  // Frees the current music, then streams the file looping forever.
  virtual void playMusic(const std::string& path) = 0;
};

// The platform's audio library: SDL2_mixer on the desktop (MixerBackend), Web
// Audio in the browser (WebAudioBackend). Each platform's build links exactly
// one definition, so the game names neither.
std::unique_ptr<AudioBackend> makePlatformAudioBackend();
