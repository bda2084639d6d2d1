#include "WaveFile.h"

#include <sndfile.h>

#include <stdexcept>

namespace WaveFile {

void writeMono(const std::string& path, const Synth::Buffer& samples) {
  SF_INFO info{};
  info.samplerate = Synth::kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
  const sf_count_t written = sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
  if (written != static_cast<sf_count_t>(samples.size())) throw std::runtime_error("short write to " + path);
}

}  // namespace WaveFile
