#pragma once
// The browser's audio back end, Web Audio's counterpart of MixerBackend. The
// mix itself is a WebMixer running in the game's own code on the page's main
// thread; the page (library_web_audio.js) decodes the files with the browser's
// decoders and plays the mixed blocks through an AudioWorklet
// (mix-output.worklet.js), which returns each block once it has played it, to
// be mixed again. A few blocks circulate, so the output runs a fixed short
// stretch behind the game and a click is heard with the press.
//
// Browsers keep a page silent until the player presses something: the output
// opens suspended and starts at the first press, key or touch, and the music
// then plays from its beginning, since nothing is mixed while the output waits.
//
// Decoding is asynchronous: loadSample answers from the file's header, and a
// sound plays from the first play after its decoding finished. Failures are
// quiet as on the desktop: a browser without Web Audio, a missing worklet, a
// missing or undecodable file all leave silence, and nothing is printed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "audio/AudioBackend.h"
#include "audio/SoundBank.h"
#include "web/audio/WebMixer.h"

class WebAudioBackend : public AudioBackend {
 public:
  // Frames in one block the page plays, and how many blocks circulate: at most
  // 2048 frames are queued ahead of the output, 46 ms at 44.1 kHz, 43 ms at 48.
  static constexpr int kBlockFrames = 512;
  static constexpr int kQueuedBlocks = 4;

  WebAudioBackend() = default;
  WebAudioBackend(const WebAudioBackend&) = delete;
  WebAudioBackend& operator=(const WebAudioBackend&) = delete;
  // The game's back end lives until the page closes; a replaced one closes its
  // output, and decodings still on their way are dropped.
  ~WebAudioBackend() override;

  bool open() override;
  bool loadSample(int index, const std::string& path) override;
  void playSample(int index) override;
  void playMusic(const std::string& path) override;

  // The page's calls back, on the main thread between frames. The next block
  // of the mix, interleaved stereo, `frames` at most kBlockFrames.
  const float* render(int frames);
  // Room for a decoded sound of the slot (a bank index, or kMusicSlot), which
  // the page fills channel after channel and then hands over with
  // decoded(); null when a newer load of the slot has begun since.
  float* decodedStorage(int slot, int load, int channels, int frames);
  void decoded(int slot, int load);

  static constexpr int kMusicSlot = SoundBank::kSoundCount;

 private:
  // Hands the file's bytes to the browser's decoder for the slot; a later
  // load of the same slot makes this one's result void.
  void decode(int slot, const std::vector<std::uint8_t>& bytes);

  bool openTried_ = false;
  int output_ = 0;                 // the page's handle of the output, 0 for none
  std::optional<WebMixer> mixer_;  // made at open, at the output's rate
  std::vector<float> block_;
  // How many loads each slot has begun: the number a decoding carries back.
  std::array<int, kMusicSlot + 1> loads_{};
  int pendingSlot_ = -1;
  int pendingLoad_ = 0;
  WebMixer::Pcm pending_;
};
