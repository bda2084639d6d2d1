#include "support/RecordingAudio.h"

#include "audio/SoundBank.h"

std::shared_ptr<RecordingAudio::Log> RecordingAudio::install() {
  auto log = std::make_shared<Log>();
  SoundBank::instance().useBackend(std::make_unique<RecordingAudio>(log));
  return log;
}

bool RecordingAudio::open() {
  log_->opened = true;
  return true;
}

bool RecordingAudio::loadSample(int, const std::string& path) {
  log_->loaded.push_back(path);
  return true;
}

void RecordingAudio::playSample(int index) { log_->played.push_back(index); }

void RecordingAudio::playMusic(const std::string& path) { log_->music.push_back(path); }
