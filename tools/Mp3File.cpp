#include "Mp3File.h"

#include <lame/lame.h>

#include <fstream>
#include <stdexcept>
#include <vector>

namespace Mp3File {

namespace {
constexpr int kKilobitsPerSecond = 128;
constexpr int kQuality = 7;   // LAME's 0 (best, slowest) .. 9 (worst, fastest)
constexpr int kChunk = 8192;  // samples a channel handed to the encoder at a time
}  // namespace

void writeStereo(const std::string& path, const Synth::Buffer& left, const Synth::Buffer& right) {
  lame_global_flags* lame = lame_init();
  if (lame == nullptr) throw std::runtime_error("LAME did not start");
  lame_set_in_samplerate(lame, Synth::kRate);
  lame_set_out_samplerate(lame, Synth::kRate);
  lame_set_num_channels(lame, 2);
  lame_set_mode(lame, JOINT_STEREO);
  lame_set_VBR(lame, vbr_off);
  lame_set_brate(lame, kKilobitsPerSecond);
  lame_set_quality(lame, kQuality);
  lame_set_bWriteVbrTag(lame, 1);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    throw std::runtime_error("LAME refused its settings");
  }

  std::vector<unsigned char> mp3;
  std::vector<unsigned char> chunk(static_cast<std::size_t>(1.25 * kChunk + 7200));
  const int total = static_cast<int>(left.size());
  for (int start = 0; start < total; start += kChunk) {
    const int count = std::min(kChunk, total - start);
    const int bytes = lame_encode_buffer_ieee_float(lame, left.data() + start, right.data() + start, count,
                                                    chunk.data(), static_cast<int>(chunk.size()));
    if (bytes < 0) {
      lame_close(lame);
      throw std::runtime_error("LAME failed to encode");
    }
    mp3.insert(mp3.end(), chunk.begin(), chunk.begin() + bytes);
  }
  const int tail = lame_encode_flush(lame, chunk.data(), static_cast<int>(chunk.size()));
  if (tail > 0) mp3.insert(mp3.end(), chunk.begin(), chunk.begin() + tail);

  // The info frame was written as a placeholder at the front; fill it in now
  // that the length and padding are known.
  unsigned char tag[2880];
  const std::size_t tagSize = lame_get_lametag_frame(lame, tag, sizeof tag);
  lame_close(lame);
  if (tagSize > 0 && tagSize <= mp3.size()) std::copy(tag, tag + tagSize, mp3.begin());

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(mp3.data()), static_cast<std::streamsize>(mp3.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace Mp3File
