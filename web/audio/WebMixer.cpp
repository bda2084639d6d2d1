#include "web/audio/WebMixer.h"

#include <algorithm>
#include <cstddef>
#include <utility>

WebMixer::WebMixer(int rate) : limiter_(rate) {
  for (auto& voices : positions_) voices.fill(kSilent);
}

bool WebMixer::playable(const Pcm& pcm) {
  return pcm.channels > 0 && pcm.frames > 0 &&
         pcm.samples.size() >= static_cast<std::size_t>(pcm.channels) * static_cast<std::size_t>(pcm.frames);
}

void WebMixer::setSample(int index, Pcm pcm) {
  if (!VoiceRoster::inBank(index)) return;
  samples_[index] = playable(pcm) ? std::move(pcm) : Pcm{};
  positions_[index].fill(kSilent);
}

void WebMixer::play(int index) {
  if (!VoiceRoster::inBank(index) || samples_[index].frames == 0) return;
  VoiceRoster::Sounding sounding{};
  for (int voice = 0; voice < VoiceRoster::kVoicesPerSample; ++voice)
    sounding[voice] = positions_[index][voice] != kSilent;
  positions_[index][roster_.take(index, sounding)] = 0;
}

void WebMixer::setMusic(Pcm pcm) {
  music_ = playable(pcm) ? std::move(pcm) : Pcm{};
  musicPosition_ = 0;
}

void WebMixer::addTo(float* out, const Pcm& pcm, int from, int frames, float level) {
  const float* left = pcm.samples.data() + from;
  const float* right = pcm.channels > 1 ? left + pcm.frames : left;
  for (int frame = 0; frame < frames; ++frame) {
    out[kOutputChannels * frame] += level * left[frame];
    out[kOutputChannels * frame + 1] += level * right[frame];
  }
}

void WebMixer::mix(float* out, int frames) {
  std::fill(out, out + kOutputChannels * frames, 0.0f);
  for (int index = 0; index < VoiceRoster::kSampleSlots; ++index) {
    const Pcm& sample = samples_[index];
    const float level = static_cast<float>(SoundBank::levelOf(index));
    for (int& position : positions_[index]) {
      if (position == kSilent) continue;
      const int count = std::min(frames, sample.frames - position);
      addTo(out, sample, position, count, level);
      position += count;
      if (position == sample.frames) position = kSilent;  // played to its end
    }
  }
  // The loop's last frame runs straight into its first, inside one block too.
  const float musicLevel = static_cast<float>(SoundBank::kMusicLevel);
  for (int done = 0; done < frames && hasMusic();) {
    const int count = std::min(frames - done, music_.frames - musicPosition_);
    addTo(out + kOutputChannels * done, music_, musicPosition_, count, musicLevel);
    done += count;
    musicPosition_ = (musicPosition_ + count) % music_.frames;
  }
  limiter_.process(out, frames, kOutputChannels);
}
