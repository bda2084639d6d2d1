#include "audio/MixerBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cmath>

#include "audio/MixLimiter.h"
#include "audio/SoundBank.h"

namespace {

constexpr int kLoopForever = -1;  // Mix_PlayMusic loop count
constexpr int kPlayOnce = 0;      // Mix_PlayChannel extra loops

// ALSA reports every failed step of opening a missing card on standard error
// ("ALSA lib confmisc.c:... "). The game says nothing about its sound, so the
// reports go nowhere.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void ignoreSdlLog(void*, int, SDL_LogPriority, const char*) {}

// SDL2_mixer's volumes run from 0 to MIX_MAX_VOLUME.
int mixerVolume(double level) { return static_cast<int>(std::lround(level * MIX_MAX_VOLUME)); }

// SDL2_mixer has one output and one post-mix hook per process, so the limiter
// the hook runs lives as long as the process, whichever back end opened it.
MixLimiter& outputLimiter() {
  static MixLimiter limiter(MixerBackend::kOutputRate);
  return limiter;
}

void limitMix(void* limiter, Uint8* stream, int bytes) {
  constexpr int kBytesPerFrame = MixerBackend::kBytesPerSample * MixerBackend::kOutputChannels;
  static_cast<MixLimiter*>(limiter)->process(reinterpret_cast<float*>(stream), bytes / kBytesPerFrame,
                                             MixerBackend::kOutputChannels);
}

void keepConsoleQuiet() {
  snd_lib_error_set_handler(ignoreAlsaError);
  SDL_LogSetOutputFunction(ignoreSdlLog, nullptr);
  // SDL's audio start also starts its event subsystem, which would otherwise
  // catch SIGINT and SIGTERM and turn them into quit events the game never
  // reads: Ctrl-C would no longer end the game.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

}  // namespace

std::unique_ptr<AudioBackend> makePlatformAudioBackend() { return std::make_unique<MixerBackend>(); }

MixerBackend::~MixerBackend() {
  if (music_ != nullptr) Mix_FreeMusic(music_);
  for (Mix_Chunk* chunk : chunks_) {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
  }
  if (opened_) Mix_CloseAudio();
  if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool MixerBackend::open() {
  if (openTried_) return opened_;
  openTried_ = true;
  keepConsoleQuiet();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  sdlStarted_ = true;
  // The music is MP3; without the decoder the music stays silent, the samples
  // still play.
  Mix_Init(MIX_INIT_MP3);
  // No format changes allowed: SDL converts to whatever the device takes, and
  // the mix itself always runs at 44100 Hz, stereo, in 32-bit float. SDL
  // clamps a 16-bit mix to full scale at every voice it adds, so a storm of
  // merges would be flattened before the limiter could see it; a float mix is
  // only clamped at the largest float, and the limiter gets the true sum.
  static_assert(kBytesPerSample == sizeof(float));
  constexpr int kNoChangesAllowed = 0;
  if (Mix_OpenAudioDevice(kOutputRate, AUDIO_F32SYS, kOutputChannels, kMixFrames, nullptr,
                          kNoChangesAllowed) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlStarted_ = false;
    return false;
  }
  opened_ = true;
  Mix_AllocateChannels(kChannelCount);
  Mix_SetPostMix(limitMix, &outputLimiter());
  return true;
}

bool MixerBackend::loadSample(int index, const std::string& path) {
  if (!opened_ || !inBank(index)) return false;
  if (chunks_[index] != nullptr) Mix_FreeChunk(chunks_[index]);  // also silences its voices
  chunks_[index] = Mix_LoadWAV(path.c_str());
  if (chunks_[index] == nullptr) return false;
  Mix_VolumeChunk(chunks_[index], mixerVolume(SoundBank::levelOf(index)));
  return true;
}

bool MixerBackend::hasSample(int index) const { return inBank(index) && chunks_[index] != nullptr; }

int MixerBackend::voiceChannel(int index, int voice) {
  if (!inBank(index) || voice < 0 || voice >= kVoicesPerSample) return -1;
  return index * kVoicesPerSample + voice;
}

int MixerBackend::playingVoices(int index) const {
  if (!opened_ || !inBank(index)) return 0;
  int playing = 0;
  for (int voice = 0; voice < kVoicesPerSample; ++voice) {
    if (Mix_Playing(voiceChannel(index, voice)) != 0) ++playing;
  }
  return playing;
}

void MixerBackend::playSample(int index) {
  if (!hasSample(index)) return;
  VoiceRoster::Sounding sounding{};
  for (int voice = 0; voice < kVoicesPerSample; ++voice)
    sounding[voice] = Mix_Playing(voiceChannel(index, voice)) != 0;
  // Naming the channel makes SDL_mixer cut whatever it was playing and start
  // this chunk from its first frame. Should the start fail, the channel stays
  // silent, so the next play takes it first whatever its place in the order.
  Mix_PlayChannel(voiceChannel(index, roster_.take(index, sounding)), chunks_[index], kPlayOnce);
}

void MixerBackend::playMusic(const std::string& path) {
  if (!opened_) return;
  if (music_ != nullptr) {
    Mix_FreeMusic(music_);  // stops it first when it is the one playing
    music_ = nullptr;
  }
  music_ = Mix_LoadMUS(path.c_str());
  if (music_ == nullptr) return;
  Mix_VolumeMusic(mixerVolume(SoundBank::kMusicLevel));
  Mix_PlayMusic(music_, kLoopForever);
}
