#include "web/audio/WebAudioBackend.h"

#include <emscripten/emscripten.h>

#include <fstream>
#include <utility>

#include "audio/VoiceRoster.h"
#include "web/audio/WaveHeader.h"

// The page's side, in library_web_audio.js.
extern "C" {
int plombrix_audio_open(WebAudioBackend* owner, int blockFrames, int queuedBlocks);
int plombrix_audio_rate(int output);
void plombrix_audio_decode(int output, int slot, int load, const std::uint8_t* bytes, int size);
void plombrix_audio_close(int output);
}

namespace {

// The whole file, or nothing when it cannot be read (missing, a folder, empty).
std::vector<std::uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamsize size = in ? static_cast<std::streamsize>(in.tellg()) : 0;
  if (size <= 0) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return {};
  return bytes;
}

}  // namespace

std::unique_ptr<AudioBackend> makePlatformAudioBackend() { return std::make_unique<WebAudioBackend>(); }

WebAudioBackend::~WebAudioBackend() {
  if (output_ != 0) plombrix_audio_close(output_);
}

bool WebAudioBackend::open() {
  if (openTried_) return mixer_.has_value();
  openTried_ = true;
  output_ = plombrix_audio_open(this, kBlockFrames, kQueuedBlocks);
  if (output_ == 0) return false;
  mixer_.emplace(plombrix_audio_rate(output_));
  block_.assign(static_cast<std::size_t>(WebMixer::kOutputChannels) * kBlockFrames, 0.0f);
  return true;
}

bool WebAudioBackend::loadSample(int index, const std::string& path) {
  if (!mixer_ || !VoiceRoster::inBank(index)) return false;
  mixer_->setSample(index, {});  // the old sound goes at once, as the desktop frees its chunk
  const std::vector<std::uint8_t> bytes = readFile(path);
  ++loads_[index];
  if (!WaveHeader::looksPlayable(bytes)) return false;
  decode(index, bytes);
  return true;
}

void WebAudioBackend::playSample(int index) {
  if (mixer_) mixer_->play(index);
}

void WebAudioBackend::playMusic(const std::string& path) {
  if (!mixer_) return;
  mixer_->stopMusic();
  const std::vector<std::uint8_t> bytes = readFile(path);
  ++loads_[kMusicSlot];
  if (!bytes.empty()) decode(kMusicSlot, bytes);
}

void WebAudioBackend::decode(int slot, const std::vector<std::uint8_t>& bytes) {
  plombrix_audio_decode(output_, slot, loads_[slot], bytes.data(), static_cast<int>(bytes.size()));
}

const float* WebAudioBackend::render(int frames) {
  if (!mixer_ || frames < 0 || frames > kBlockFrames) return nullptr;
  mixer_->mix(block_.data(), frames);
  return block_.data();
}

float* WebAudioBackend::decodedStorage(int slot, int load, int channels, int frames) {
  if (!mixer_ || slot < 0 || slot > kMusicSlot || load != loads_[slot] || channels <= 0 || frames <= 0)
    return nullptr;
  pendingSlot_ = slot;
  pendingLoad_ = load;
  pending_ = {channels, frames, std::vector<float>(static_cast<std::size_t>(channels) * frames)};
  return pending_.samples.data();
}

void WebAudioBackend::decoded(int slot, int load) {
  if (!mixer_ || slot != pendingSlot_ || load != pendingLoad_ || load != loads_[slot]) return;
  pendingSlot_ = -1;
  if (slot == kMusicSlot) {
    mixer_->setMusic(std::move(pending_));
  } else {
    mixer_->setSample(slot, std::move(pending_));
  }
  pending_ = {};
}

// The page calls these by name.
extern "C" {
EMSCRIPTEN_KEEPALIVE const float* plombrix_audio_render(WebAudioBackend* owner, int frames) {
  return owner->render(frames);
}
EMSCRIPTEN_KEEPALIVE float* plombrix_audio_decoded_storage(WebAudioBackend* owner, int slot, int load,
                                                           int channels, int frames) {
  return owner->decodedStorage(slot, load, channels, frames);
}
EMSCRIPTEN_KEEPALIVE void plombrix_audio_decoded(WebAudioBackend* owner, int slot, int load) {
  owner->decoded(slot, load);
}
}
