#include "AssetFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include <SDL2/SDL.h>
#include <mpg123.h>

namespace AssetFiles {

namespace fs = std::filesystem;

fs::path resDir() { return fs::path(PLOMBRIX_BUILD_DIR) / "res"; }

double Pcm::peak() const {
  double p = 0.0;
  for (float s : samples) p = std::max(p, static_cast<double>(std::abs(s)));
  return p;
}

double Pcm::rms(std::size_t firstFrame, std::size_t frameCount) const {
  const std::size_t begin = firstFrame * channels;
  const std::size_t end = std::min(samples.size(), (firstFrame + frameCount) * channels);
  if (end <= begin) return 0.0;
  double sum = 0.0;
  for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(end - begin));
}

Pcm readWave(const fs::path& path) {
  // SDL's own reader, the one the mixer loads the samples with.
  SDL_AudioSpec format{};
  Uint8* buffer = nullptr;
  Uint32 bytes = 0;
  if (SDL_LoadWAV(path.string().c_str(), &format, &buffer, &bytes) == nullptr)
    throw std::runtime_error(path.string() + " is not a wave file: " + SDL_GetError());
  Pcm pcm;
  pcm.rate = format.freq;
  pcm.channels = format.channels;
  const bool pcm16 = format.format == AUDIO_S16LSB;
  for (Uint32 i = 0; pcm16 && i + 1 < bytes; i += 2)
    pcm.samples.push_back(static_cast<std::int16_t>(buffer[i] | (buffer[i + 1] << 8)) / 32768.0f);
  SDL_FreeWAV(buffer);
  if (!pcm16) throw std::runtime_error(path.string() + ": not 16-bit");
  return pcm;
}

Pcm decodeMp3(const fs::path& path) {
  Pcm pcm;
  mpg123_init();
  int error = 0;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  if (handle == nullptr) throw std::runtime_error("mpg123 did not start");
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  if (mpg123_open(handle, path.string().c_str()) != MPG123_OK) {
    mpg123_delete(handle);
    throw std::runtime_error("cannot open " + path.string());
  }
  long rate = 0;
  int channels = 0, encoding = 0;
  mpg123_getformat(handle, &rate, &channels, &encoding);
  mpg123_format_none(handle);
  mpg123_format(handle, rate, channels, MPG123_ENC_SIGNED_16);
  pcm.rate = static_cast<int>(rate);
  pcm.channels = channels;
  std::vector<unsigned char> buffer(65536);
  for (;;) {
    std::size_t done = 0;
    const int status = mpg123_read(handle, buffer.data(), buffer.size(), &done);
    for (std::size_t i = 0; i + 1 < done; i += 2)
      pcm.samples.push_back(static_cast<std::int16_t>(buffer[i] | (buffer[i + 1] << 8)) / 32768.0f);
    if (status == MPG123_DONE) break;
    if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
      mpg123_close(handle);
      mpg123_delete(handle);
      throw std::runtime_error("cannot decode " + path.string());
    }
  }
  mpg123_close(handle);
  mpg123_delete(handle);
  return pcm;
}

double fundamentalHz(const Pcm& mono, double fromSeconds, double toSeconds) {
  const auto first = static_cast<std::size_t>(fromSeconds * mono.rate);
  const auto last = std::min(mono.samples.size(), static_cast<std::size_t>(toSeconds * mono.rate));
  const std::vector<float> window(mono.samples.begin() + first, mono.samples.begin() + last);
  const int minLag = mono.rate / 2500, maxLag = mono.rate / 150;
  std::vector<double> match(maxLag + 2, 0.0);
  double energy = 0.0;
  for (float s : window) energy += static_cast<double>(s) * s;
  if (energy <= 0.0) return 0.0;
  for (int lag = minLag - 1; lag <= maxLag + 1; ++lag) {
    double sum = 0.0;
    for (std::size_t i = 0; i + lag < window.size(); ++i)
      sum += static_cast<double>(window[i]) * window[i + lag];
    match[lag] = sum / energy;
  }
  const double best = *std::max_element(match.begin() + minLag, match.begin() + maxLag + 1);
  for (int lag = minLag; lag <= maxLag; ++lag) {
    if (match[lag] >= 0.9 * best && match[lag] >= match[lag - 1] && match[lag] >= match[lag + 1]) {
      // Refine the peak between whole samples with a parabola.
      const double a = match[lag - 1], b = match[lag], c = match[lag + 1];
      const double shift = (a - 2 * b + c) != 0.0 ? 0.5 * (a - c) / (a - 2 * b + c) : 0.0;
      return mono.rate / (lag + shift);
    }
  }
  return 0.0;
}

int runGenerator(const fs::path& dir) {
  const std::string command = std::string("'") + PLOMBRIX_ASSET_GENERATOR + "' '" + dir.string() + "' '" +
                              PLOMBRIX_FONT_FILE + "' '" + PLOMBRIX_FONT_LICENCE + "' > /dev/null";
  return std::system(command.c_str());
}

}  // namespace AssetFiles
