#pragma once
// The SDL2_mixer back end of the sound bank, the desktop's platform audio.
// Every sample gets its own four mixer channels, one for each voice of the
// VoiceRoster, which picks the channel a play takes. SDL stays inside this
// file and its .cpp.
//
// Each sample plays at its group's level and the music at its own (see
// SoundBank), and the final mix runs through a MixLimiter, so no storm of
// sounds reaches full scale.
//
// Failures are quiet: without an output device, or for a file that cannot be
// read, the back end plays nothing and prints nothing (neither SDL's log nor
// ALSA's console lines get through).

#include <array>
#include <string>

#include "audio/AudioBackend.h"
#include "audio/VoiceRoster.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class MixerBackend : public AudioBackend {
 public:
  static constexpr int kVoicesPerSample = VoiceRoster::kVoicesPerSample;
  static constexpr int kSampleSlots = VoiceRoster::kSampleSlots;
  // Sample i owns the channels [i * kVoicesPerSample, (i + 1) * kVoicesPerSample).
  static constexpr int kChannelCount = kVoicesPerSample * kSampleSlots;
  static constexpr int kOutputRate = 44100;  // Hz
  static constexpr int kOutputChannels = 2;  // stereo
  static constexpr int kBytesPerSample = 4;  // 32-bit float, for the limiter's sake
  // Frames mixed per device buffer: about 23 ms at 44100 Hz, short enough that
  // a click is heard with the press.
  static constexpr int kMixFrames = 1024;

  MixerBackend() = default;
  MixerBackend(const MixerBackend&) = delete;
  MixerBackend& operator=(const MixerBackend&) = delete;
  // The game's back end lives until the process ends; a replaced one closes
  // what it opened.
  ~MixerBackend() override;

  bool open() override;
  bool loadSample(int index, const std::string& path) override;
  void playSample(int index) override;
  void playMusic(const std::string& path) override;

  // Read-only views of the mixer's state.
  bool isOpen() const { return opened_; }
  bool hasSample(int index) const;
  // The mixer channel that voice 0..3 of a sample plays on; -1 outside the bank.
  static int voiceChannel(int index, int voice);
  // How many of the sample's four voices are sounding right now.
  int playingVoices(int index) const;
  // Music streams held: 0 before the first playMusic or after a failed one, else 1.
  int musicStreams() const { return music_ != nullptr ? 1 : 0; }

 private:
  static bool inBank(int index) { return VoiceRoster::inBank(index); }

  bool openTried_ = false;
  bool sdlStarted_ = false;
  bool opened_ = false;
  std::array<Mix_Chunk*, kSampleSlots> chunks_{};
  Mix_Music* music_ = nullptr;
  // SDL's own start times are milliseconds, which tie for plays within one
  // frame, so the start order is kept here.
  VoiceRoster roster_;
};
