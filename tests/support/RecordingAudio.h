#pragma once
// An audio back end that plays nothing and remembers what the game asked for,
// so a test can check which sound index a game event chose.

#include <memory>
#include <string>
#include <vector>

#include "audio/AudioBackend.h"

class RecordingAudio : public AudioBackend {
 public:
  struct Log {
    bool opened = false;
    std::vector<std::string> loaded;   // sample paths, in load order
    std::vector<int> played;           // sample indices, in play order
    std::vector<std::string> music;    // music paths, in start order
  };

  // Installs a fresh recorder under the sound bank and returns its log, which
  // stays valid while the recorder is installed.
  static std::shared_ptr<Log> install();

  explicit RecordingAudio(std::shared_ptr<Log> log) : log_(std::move(log)) {}
  bool open() override;
  bool loadSample(int index, const std::string& path) override;
  void playSample(int index) override;
  void playMusic(const std::string& path) override;

 private:
  std::shared_ptr<Log> log_;
};
