#include "EffectSounds.h"

#include <array>

#include "Rng.h"

namespace EffectSounds {

namespace {

using Synth::Biquad;
using Synth::Buffer;
using Synth::kRate;
using Synth::kTwoPi;

// A sine whose pitch slides from `from` towards `to` with time constant glide,
// added into out from sample `at`, shaped by pluck(attack, decay).
void glide(Buffer& out, double at, double from, double to, double glideTime, double attack, double decay,
           double gain, double length) {
  double phase = 0.0;
  const int start = Synth::samples(at), n = Synth::samples(length);
  for (int i = 0; i < n && start + i < static_cast<int>(out.size()); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double hz = to + (from - to) * std::exp(-t / glideTime);
    phase += kTwoPi * hz / kRate;
    out[start + i] += static_cast<float>(gain * Synth::pluck(t, attack, decay) * std::sin(phase));
  }
}

}  // namespace

Buffer merge(int variant) {
  Rng rng(0x3E96E000 + variant);
  // Pitches spread over an octave and a half, shuffled by the variant number.
  const double base = 220.0 * std::pow(2.0, ((variant * 5) % 14) / 14.0 * 1.5);
  Buffer out(Synth::samples(0.3), 0.0f);
  const double rise = rng.range(0.6, 1.1);
  glide(out, 0.0, base, base * (1.0 + rise), 0.03, 0.004, rng.range(0.045, 0.075), 1.0, 0.3);
  // A bubble's first overtone, only in the wet start.
  glide(out, 0.0, base * 2.0, base * 2.0 * (1.0 + rise), 0.03, 0.002, 0.018, 0.25, 0.1);
  if (variant % 2 == 1) {
    // A second, smaller bloop right behind: "bl-oop".
    glide(out, rng.range(0.055, 0.085), base * 1.25, base * 1.25 * (1.0 + rise), 0.025, 0.003, 0.04, 0.5,
          0.2);
  }
  Biquad soften = Biquad::lowPass(3200.0, 0.7);
  for (float& s : out) s = soften.process(s);
  Synth::fadeEdges(out, 0.0005, 0.02);
  Synth::normalisePeak(out, AssetTree::kMergeSounds.peak);
  return out;
}

Buffer pop(int variant) {
  Rng rng(0x90990000 + variant);
  Buffer out(Synth::samples(0.42), 0.0f);
  // The skin tearing: a short, bright burst of noise.
  Biquad tear = Biquad::bandPass(rng.range(2000.0, 3200.0), 0.8);
  for (int i = 0; i < Synth::samples(0.03); ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[i] +=
        static_cast<float>(0.9 * std::exp(-t / 0.004) * tear.process(static_cast<float>(rng.noise())) * 3.0);
  }
  // The plop: a fast falling tone.
  glide(out, 0.0, rng.range(750.0, 1050.0), rng.range(170.0, 240.0), 0.02, 0.001, 0.05, 0.9, 0.25);
  // The wet splash under it.
  Biquad splash = Biquad::lowPass(1400.0, 0.7);
  for (int i = 0; i < Synth::samples(0.2); ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[i] += static_cast<float>(0.45 * Synth::pluck(t, 0.002, 0.035) *
                                 splash.process(static_cast<float>(rng.noise())));
  }
  // Droplets landing.
  const int drops = 4 + rng.below(4);
  for (int d = 0; d < drops; ++d) {
    const double at = rng.range(0.03, 0.28);
    const double hz = rng.range(1300.0, 3200.0);
    glide(out, at, hz, hz * 1.6, 0.01, 0.001, 0.012, rng.range(0.12, 0.3) * (1.0 - at * 2.0), 0.06);
  }
  Synth::fadeEdges(out, 0.0002, 0.03);
  Synth::normalisePeak(out, AssetTree::kPopSounds.peak);
  return out;
}

Buffer click(int variant) {
  Rng rng(0xC11C0000 + variant);
  Buffer out(Synth::samples(0.1), 0.0f);
  // The tap of the fingertip, the tock of the poke and a little body under it.
  Biquad tap = Biquad::highPass(3000.0, 0.7);
  for (int i = 0; i < Synth::samples(0.004); ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[i] +=
        static_cast<float>(0.6 * std::exp(-t / 0.0008) * tap.process(static_cast<float>(rng.noise())) * 2.0);
  }
  const double tock = 1300.0 + variant * 230.0 + rng.range(-60.0, 60.0);
  glide(out, 0.0, tock * 1.08, tock, 0.004, 0.0005, 0.009, 1.0, 0.08);
  glide(out, 0.0, 320.0 + variant * 20.0, 180.0 + variant * 12.0, 0.01, 0.001, 0.02, 0.5, 0.09);
  Synth::fadeEdges(out, 0.0001, 0.01);
  Synth::normalisePeak(out, AssetTree::kClickSounds.peak);
  return out;
}

double chainNote(int step) {
  // A major scale up from C5, so twelve links climb an octave and a fifth.
  static constexpr std::array kScale = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19};
  static_assert(kScale.size() == AssetTree::kChainFiles.size(), "a note for every chain step");
  return 72.0 + kScale[step];
}

Buffer chain(int step) {
  const double hz = Synth::midiToHz(chainNote(step));
  Buffer out(Synth::samples(0.75), 0.0f);
  // A bell-like chime: whole-number partials, the higher ones dying sooner,
  // and a slightly detuned twin for shimmer.
  static const double kPartials[5] = {1.0, 0.45, 0.25, 0.12, 0.06};
  for (int k = 0; k < 5; ++k) {
    const double decay = 0.32 / (k + 1);
    glide(out, 0.0, hz * (k + 1), hz * (k + 1), 1.0, 0.004, decay, kPartials[k], 0.75);
    glide(out, 0.0, hz * (k + 1) * 1.0023, hz * (k + 1) * 1.0023, 1.0, 0.004, decay, kPartials[k] * 0.3,
          0.75);
  }
  Synth::fadeEdges(out, 0.0, 0.05);
  Synth::normalisePeak(out, AssetTree::kChainSounds.peak);
  return out;
}

std::vector<Effect> all() {
  // Each file of a group is one variant of its sound, numbered in index order.
  std::vector<Effect> effects;
  const auto add = [&effects](const AssetTree::SoundGroup& group, Buffer (*make)(int)) {
    for (int variant = 0; variant < group.count(); ++variant)
      effects.push_back({group.files[variant], make(variant)});
  };
  add(AssetTree::kMergeSounds, merge);
  add(AssetTree::kPopSounds, pop);
  add(AssetTree::kClickSounds, click);
  add(AssetTree::kChainSounds, chain);
  return effects;
}

}  // namespace EffectSounds
