#pragma once
// The SDL2_mixer back end of the sound bank. Every sample gets its own four
// mixer channels, so that up to four copies of one sound overlap; a fifth play
// restarts the copy that started first, and different samples never take each
// other's channels. SDL stays inside this file and its .cpp.

#include <array>
#include <cstdint>
#include <string>

#include "audio/AudioBackend.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class MixerBackend : public AudioBackend {
 public:
  static constexpr int kVoicesPerSample = 4;
  static constexpr int kSampleSlots = 38;

  MixerBackend() = default;
  MixerBackend(const MixerBackend&) = delete;
  MixerBackend& operator=(const MixerBackend&) = delete;
  ~MixerBackend() override;

  bool open() override;
  bool loadSample(int index, const std::string& path) override;
  void playSample(int index) override;
  void playMusic(const std::string& path) override;

 private:
  bool opened_ = false;
  std::array<Mix_Chunk*, kSampleSlots> chunks_{};
  Mix_Music* music_ = nullptr;
};
