#include "AssetFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include <SDL2/SDL.h>
#include <mpg123.h>

namespace AssetFiles {

namespace fs = std::filesystem;

std::string missingFrom(const std::set<std::string>& names, const std::set<std::string>& others) {
  std::string listed;
  for (const std::string& name : names)
    if (!others.count(name)) listed += "\n  " + name;
  return listed.empty() ? " none" : listed;
}

fs::path resDir() { return fs::path(PLOMBRIX_BUILD_DIR) / "res"; }

fs::path built(const AssetTree::File& file) { return resDir() / file.underRoot(); }

Picture::Picture(const AssetTree::File& file) {
  const std::string path = built(file).string();
  if (!load(path.c_str())) throw std::runtime_error("cannot load " + path);
}

double Pcm::peak(std::size_t firstFrame, std::size_t frameCount) const {
  const std::size_t end = frameCount == SIZE_MAX ? samples.size() : (firstFrame + frameCount) * channels;
  double p = 0.0;
  for (std::size_t i = firstFrame * channels; i < end; ++i)
    p = std::max(p, static_cast<double>(std::abs(samples[i])));
  return p;
}

namespace {
void appendS16(Pcm& pcm, const unsigned char* bytes, std::size_t count) {
  for (std::size_t i = 0; i + 1 < count; i += 2)
    pcm.samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)) / 32768.0f);
}
}  // namespace

Pcm readWave(const fs::path& path) {
  SDL_AudioSpec format{};
  Uint8* buffer = nullptr;
  Uint32 bytes = 0;
  if (SDL_LoadWAV(path.string().c_str(), &format, &buffer, &bytes) == nullptr)
    throw std::runtime_error(path.string() + " is not a wave file: " + SDL_GetError());
  Pcm pcm{format.freq, format.channels, {}};
  if (format.format == AUDIO_S16LSB) appendS16(pcm, buffer, bytes);
  SDL_FreeWAV(buffer);
  if (format.format != AUDIO_S16LSB) throw std::runtime_error(path.string() + ": not 16-bit");
  return pcm;
}

Pcm decodeMp3(const fs::path& path) {
  mpg123_init();
  const std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> handle(mpg123_new(nullptr, nullptr),
                                                                        mpg123_delete);
  mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  if (mpg123_open(handle.get(), path.string().c_str()) != MPG123_OK)
    throw std::runtime_error("cannot open " + path.string());
  long rate = 0;
  int channels = 0, encoding = 0;
  mpg123_getformat(handle.get(), &rate, &channels, &encoding);
  mpg123_format_none(handle.get());
  mpg123_format(handle.get(), rate, channels, MPG123_ENC_SIGNED_16);
  Pcm pcm{static_cast<int>(rate), channels, {}};
  std::vector<unsigned char> buffer(65536);
  for (int status = MPG123_OK; status != MPG123_DONE;) {
    std::size_t done = 0;
    status = mpg123_read(handle.get(), buffer.data(), buffer.size(), &done);
    appendS16(pcm, buffer.data(), done);
    if (status != MPG123_OK && status != MPG123_NEW_FORMAT && status != MPG123_DONE)
      throw std::runtime_error("cannot decode " + path.string());
  }
  return pcm;
}

double fundamentalHz(const Pcm& mono, double fromSeconds, double toSeconds) {
  const auto first = mono.samples.begin() + static_cast<std::ptrdiff_t>(fromSeconds * mono.rate);
  const std::vector<float> window(first,
                                  first + static_cast<std::ptrdiff_t>((toSeconds - fromSeconds) * mono.rate));
  const int minLag = mono.rate / 2500, maxLag = mono.rate / 150;
  std::vector<double> match(maxLag + 2, 0.0);
  for (int lag = minLag - 1; lag <= maxLag + 1; ++lag)
    for (std::size_t i = 0; i + lag < window.size(); ++i)
      match[lag] += static_cast<double>(window[i]) * window[i + lag];
  const double best = *std::max_element(match.begin() + minLag, match.begin() + maxLag + 1);
  for (int lag = minLag; lag <= maxLag; ++lag) {
    const double a = match[lag - 1], b = match[lag], c = match[lag + 1];
    // The peak, refined between whole samples with a parabola.
    if (b >= 0.9 * best && b >= a && b >= c) return mono.rate / (lag + 0.5 * (a - c) / (a - 2 * b + c));
  }
  return 0.0;
}

}  // namespace AssetFiles
