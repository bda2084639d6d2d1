#pragma once
// An audio back end that plays nothing and remembers what the game asked for,
// so a test can check which sound index a game event chose.

#include <memory>
#include <string>
#include <vector>

#include "audio/AudioBackend.h"
#include "audio/SoundBank.h"

class RecordingAudio : public AudioBackend {
 public:
  struct Log {
    bool opened = false;
    std::vector<std::string> loaded;  // sample paths, in load order
    std::vector<int> played;          // sample indices, in play order
    std::vector<std::string> music;   // music paths, in start order
  };

  // Installs a fresh recorder under the sound bank and returns its log, which
  // stays valid while the recorder is installed.
  static std::shared_ptr<Log> install() {
    auto log = std::make_shared<Log>();
    SoundBank::instance().useBackend(std::make_unique<RecordingAudio>(log));
    return log;
  }

  explicit RecordingAudio(std::shared_ptr<Log> log) : log_(std::move(log)) {}
  bool open() override { return log_->opened = true; }
  bool loadSample(int, const std::string& path) override {
    log_->loaded.push_back(path);
    return true;
  }
  void playSample(int index) override { log_->played.push_back(index); }
  void playMusic(const std::string& path) override { log_->music.push_back(path); }

 private:
  std::shared_ptr<Log> log_;
};
