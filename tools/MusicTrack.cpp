#include "MusicTrack.h"

#include <algorithm>
#include <array>
#include <vector>

#include "Rng.h"

namespace MusicTrack {

namespace {

using Synth::Biquad;
using Synth::kRate;
using Synth::kTwoPi;

constexpr double kSecondsPerBeat = 60.0 / kBeatsPerMinute;
constexpr int kFramesPerBeat = static_cast<int>(kRate * kSecondsPerBeat);  // 22050, exact
constexpr int kSectionBars = 8;

// A stereo buffer the length of the loop where every write wraps round.
class LoopMix {
 public:
  LoopMix() : left_(loopFrames(), 0.0f), right_(loopFrames(), 0.0f) {}

  // pan: -1 left .. 1 right, equal power.
  void add(long frame, double value, double pan) {
    const long n = static_cast<long>(left_.size());
    const long i = ((frame % n) + n) % n;
    const double angle = (pan + 1.0) * kTwoPi / 8.0;
    left_[i] += static_cast<float>(value * std::cos(angle));
    right_[i] += static_cast<float>(value * std::sin(angle));
  }
  Synth::Buffer& left() { return left_; }
  Synth::Buffer& right() { return right_; }

 private:
  Synth::Buffer left_, right_;
};

long frameOf(double beat) { return static_cast<long>(std::lround(beat * kFramesPerBeat)); }

// ---- instruments -----------------------------------------------------------

void kick(LoopMix& mix, double beat, double velocity) {
  double phase = 0.0;
  for (int i = 0; i < Synth::samples(0.35); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += kTwoPi * (48.0 + 110.0 * std::exp(-t / 0.03)) / kRate;
    mix.add(frameOf(beat) + i, velocity * Synth::pluck(t, 0.002, 0.11) * std::sin(phase), 0.0);
  }
}

void snare(LoopMix& mix, double beat, double velocity, Rng& rng) {
  Biquad body = Biquad::bandPass(1900.0, 0.9);
  for (int i = 0; i < Synth::samples(0.22); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double noise = body.process(static_cast<float>(rng.noise())) * 2.2;
    const double tone = std::sin(kTwoPi * 210.0 * t) * std::exp(-t / 0.03) * 0.5;
    mix.add(frameOf(beat) + i, velocity * (noise * Synth::pluck(t, 0.001, 0.055) + tone), 0.05);
  }
}

void hat(LoopMix& mix, double beat, double velocity, Rng& rng) {
  Biquad hiss = Biquad::highPass(7500.0, 0.8);
  for (int i = 0; i < Synth::samples(0.08); ++i) {
    const double t = static_cast<double>(i) / kRate;
    mix.add(frameOf(beat) + i,
            velocity * Synth::pluck(t, 0.0005, 0.014) * hiss.process(static_cast<float>(rng.noise())), 0.35);
  }
}

void bass(LoopMix& mix, double beat, double length, double note, double velocity) {
  const double hz = Synth::midiToHz(note);
  const double seconds = length * kSecondsPerBeat;
  double phase = 0.0;
  for (int i = 0; i < Synth::samples(seconds + 0.08); ++i) {
    const double t = static_cast<double>(i) / kRate;
    // A little upward flick at the start makes it bounce.
    phase += kTwoPi * hz * (1.0 - 0.06 * std::exp(-t / 0.012)) / kRate;
    const double release = t > seconds ? std::exp(-(t - seconds) / 0.02) : 1.0;
    const double tone =
        std::sin(phase) + 0.28 * std::sin(2 * phase) * std::exp(-t / 0.08) + 0.1 * std::sin(3 * phase);
    mix.add(frameOf(beat) + i, velocity * Synth::pluck(t, 0.004, 0.35) * release * tone, 0.0);
  }
}

void marimba(LoopMix& mix, double beat, double note, double velocity, double pan) {
  const double hz = Synth::midiToHz(note);
  for (int i = 0; i < Synth::samples(0.45); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double tone = std::sin(kTwoPi * hz * t) * Synth::pluck(t, 0.002, 0.14) +
                        0.3 * std::sin(kTwoPi * hz * 3.93 * t) * Synth::pluck(t, 0.001, 0.025);
    mix.add(frameOf(beat) + i, velocity * tone, pan);
  }
}

void bell(LoopMix& mix, LoopMix& echo, double beat, double note, double velocity) {
  const double hz = Synth::midiToHz(note);
  for (int i = 0; i < Synth::samples(0.9); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double tone = std::sin(kTwoPi * hz * t) * Synth::pluck(t, 0.002, 0.35) +
                        0.35 * std::sin(kTwoPi * hz * 2.76 * t) * Synth::pluck(t, 0.001, 0.12) +
                        0.15 * std::sin(kTwoPi * hz * 5.4 * t) * Synth::pluck(t, 0.001, 0.05);
    mix.add(frameOf(beat) + i, velocity * tone, 0.45);
    echo.add(frameOf(beat) + i, velocity * tone * 0.5, 0.45);
  }
}

void lead(LoopMix& mix, LoopMix& echo, double beat, double length, double note, double velocity) {
  const double hz = Synth::midiToHz(note);
  const double seconds = length * kSecondsPerBeat * 0.9;
  double phase = 0.0;
  for (int i = 0; i < Synth::samples(seconds + 0.1); ++i) {
    const double t = static_cast<double>(i) / kRate;
    // Scoop up into the note, then a gentle vibrato on longer ones.
    const double scoop = std::pow(2.0, -0.35 / 12.0 * std::exp(-t / 0.025));
    const double vibrato =
        1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, std::max(0.0, (t - 0.15) / 0.2));
    phase += kTwoPi * hz * scoop * vibrato / kRate;
    const double release = t > seconds ? std::exp(-(t - seconds) / 0.025) : 1.0;
    const double tone = std::sin(phase) + 0.18 * std::sin(2 * phase) + 0.06 * std::sin(3 * phase);
    const double value = velocity * Synth::pluck(t, 0.008, 1.2) * release * tone;
    mix.add(frameOf(beat) + i, value, -0.05);
    echo.add(frameOf(beat) + i, value, -0.05);
  }
}

// A swell of filtered noise that opens up and ends exactly on a beat.
void riser(LoopMix& mix, double beat, double beats, double velocity, Rng& rng) {
  const int n = static_cast<int>(frameOf(beats));
  Biquad low = Biquad::lowPass(1200.0, 0.7), high = Biquad::lowPass(7000.0, 0.7);
  for (int i = 0; i < n; ++i) {
    const double progress = static_cast<double>(i) / n;
    const float noise = static_cast<float>(rng.noise());
    // Crossfade from a dull to a bright hiss as it grows.
    const double hiss = low.process(noise) * (1.0 - progress) + high.process(noise) * progress;
    mix.add(frameOf(beat) + i, velocity * progress * progress * hiss, 0.0);
  }
}

void bloop(LoopMix& mix, double beat, double note, double velocity, double pan) {
  const double hz = Synth::midiToHz(note);
  double phase = 0.0;
  for (int i = 0; i < Synth::samples(0.2); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += kTwoPi * hz * (1.8 - 0.8 * std::exp(-t / 0.03)) / kRate;
    mix.add(frameOf(beat) + i, velocity * Synth::pluck(t, 0.003, 0.05) * std::sin(phase), pan);
  }
}

// ---- the score -------------------------------------------------------------

struct Chord {
  double root;                 // bass note
  std::array<double, 3> keys;  // marimba voicing
};
const Chord kF{41, {60, 65, 69}};
const Chord kDm{38, {62, 65, 69}};
const Chord kBb{46, {62, 65, 70}};
const Chord kC{36, {60, 64, 67}};
const Chord kGm{43, {62, 67, 70}};
const Chord kAm{45, {60, 64, 69}};

const Chord* const kTheme[kSectionBars] = {&kF, &kDm, &kBb, &kC, &kF, &kDm, &kGm, &kC};
const Chord* const kAnswer[kSectionBars] = {&kBb, &kC, &kAm, &kDm, &kGm, &kC, &kF, &kC};
const Chord* const kBreak[kSectionBars] = {&kDm, &kBb, &kF, &kC, &kDm, &kBb, &kGm, &kC};

struct Note {
  double beat, length, pitch;  // beat within the bar
};
using Phrase = std::vector<std::vector<Note>>;  // one list of notes a bar

const Phrase kThemeTune = {
    {{0, .5, 72}, {.5, .5, 77}, {1, 1, 81}, {2, .5, 79}, {2.5, .5, 77}, {3, 1, 72}},
    {{0, .5, 74}, {.5, .5, 77}, {1, 1, 81}, {2, 1.5, 79}, {3.5, .5, 77}},
    {{0, .5, 74}, {.5, .5, 77}, {1, 1, 82}, {2, .5, 81}, {2.5, .5, 79}, {3, 1, 77}},
    {{0, 1, 79}, {1, .5, 76}, {1.5, .5, 72}, {2, 2, 79}},
    {{0, .5, 72}, {.5, .5, 77}, {1, 1, 81}, {2, .5, 84}, {2.5, .5, 81}, {3, 1, 77}},
    {{0, .5, 81}, {.5, .5, 82}, {1, 1, 81}, {2, .5, 77}, {2.5, .5, 74}, {3, 1, 77}},
    {{0, .5, 79}, {.5, .5, 82}, {1, 1, 84}, {2, .5, 82}, {2.5, .5, 79}, {3, 1, 76}},
    {{0, .5, 76}, {.5, .5, 79}, {1, 1, 84}, {2, 1.5, 72}},
};

const Phrase kAnswerTune = {
    {{0, 1.5, 77}, {1.5, .5, 79}, {2, 1, 82}, {3, 1, 81}},
    {{0, 1.5, 79}, {1.5, .5, 76}, {2, 1, 72}, {3, 1, 76}},
    {{0, 1.5, 76}, {1.5, .5, 77}, {2, 1, 81}, {3, 1, 84}},
    {{0, 2, 81}, {2, .5, 77}, {2.5, .5, 74}, {3, 1, 77}},
    {{0, .5, 74}, {.5, .5, 79}, {1, .5, 82}, {1.5, .5, 79}, {2, 1, 86}, {3, 1, 82}},
    {{0, .5, 84}, {.5, .5, 82}, {1, .5, 79}, {1.5, .5, 76}, {2, 2, 79}},
    {{0, .5, 81}, {.5, .5, 79}, {1, .5, 77}, {1.5, .5, 79}, {2, 1, 81}, {3, 1, 84}},
    {{0, 3, 79}, {3, .5, 76}, {3.5, .5, 72}},
};

void drums(LoopMix& mix, int bar, bool breakdown, Rng& rng) {
  const double start = bar * kBeatsPerBar;
  const int inSection = bar % kSectionBars;
  const bool build = breakdown && inSection >= 6;
  if (!breakdown || build) {
    kick(mix, start, 0.7);
    kick(mix, start + 2, 0.65);
    if (inSection % 4 == 3) kick(mix, start + 2.5, 0.45);
  } else {
    kick(mix, start, 0.55);
  }
  if (!breakdown) {
    snare(mix, start + 1, 0.32, rng);
    snare(mix, start + 3, 0.32, rng);
  }
  if (build && inSection == 7) {
    // A rising roll and a swell of hiss back into the theme.
    for (int i = 0; i < 8; ++i) snare(mix, start + i * 0.5, 0.1 + 0.03 * i, rng);
    for (int i = 0; i < 4; ++i) snare(mix, start + 3 + i * 0.25, 0.2 + 0.04 * i, rng);
    riser(mix, start, kBeatsPerBar, 0.35, rng);
  } else if (build) {
    snare(mix, start + 1, 0.25, rng);
    snare(mix, start + 3, 0.25, rng);
  }
  for (int i = 0; i < 8; ++i)
    hat(mix, start + i * 0.5, (i % 2 == 1 ? 0.13 : 0.07) * (breakdown ? 0.8 : 1.0), rng);
  if (!breakdown && inSection % 2 == 1) hat(mix, start + 3.75, 0.06, rng);
}

void harmony(LoopMix& mix, int bar, const Chord& chord, bool breakdown) {
  const double start = bar * kBeatsPerBar;
  const double r = chord.root;
  if (breakdown) {
    bass(mix, start, 1.8, r, 0.5);
    bass(mix, start + 2, 1.8, r + 7, 0.4);
  } else {
    const Note walk[6] = {{0, .8, r},   {1, .4, r + 12}, {1.5, .4, r + 7},
                          {2.5, .4, r}, {3, .4, r + 12}, {3.5, .4, r + 7}};
    for (const Note& n : walk) bass(mix, start + n.beat, n.length, n.pitch, n.beat == 0 ? 0.55 : 0.42);
  }
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 3; ++k) marimba(mix, start + i + 0.5, chord.keys[k], 0.09, -0.4 + k * 0.1);
}

void bells(LoopMix& mix, LoopMix& echo, int bar, const Chord& chord) {
  const int pattern[8] = {0, 1, 2, 3, 2, 1, 0, 1};
  for (int i = 0; i < 8; ++i) {
    const int step = pattern[i];
    const double note = step == 3 ? chord.keys[0] + 12 : chord.keys[step];
    bell(mix, echo, bar * kBeatsPerBar + i * 0.5, note + 12, i == 0 ? 0.13 : 0.09);
  }
}

// Two echo taps, a dotted eighth and a dotted quarter behind, crossing sides;
// they wrap round like everything else.
void addEcho(LoopMix& mix, LoopMix& send) {
  const long n = static_cast<long>(send.left().size());
  const long tap1 = frameOf(0.75), tap2 = frameOf(1.5);
  for (long i = 0; i < n; ++i) {
    const double l = send.left()[i], r = send.right()[i];
    const double mono = (l + r) * 0.5;
    mix.add(i + tap1, mono * 0.28, 0.6);
    mix.add(i + tap2, mono * 0.14, -0.6);
  }
}

}  // namespace

int loopFrames() { return kBars * kBeatsPerBar * kFramesPerBeat; }

Stereo render() {
  LoopMix mix, echo;
  Rng rng(0x70147E4);
  for (int bar = 0; bar < kBars; ++bar) {
    const int section = bar / kSectionBars, inSection = bar % kSectionBars;
    const bool breakdown = section == 3;
    const Chord* const* chords = section == 1 ? kAnswer : (breakdown ? kBreak : kTheme);
    const Chord& chord = *chords[inSection];
    drums(mix, bar, breakdown, rng);
    harmony(mix, bar, chord, breakdown);
    if (section == 2 || breakdown) bells(mix, echo, bar, chord);
    if (!breakdown) {
      const Phrase& tune = section == 1 ? kAnswerTune : kThemeTune;
      for (const Note& n : tune[inSection])
        lead(mix, echo, bar * kBeatsPerBar + n.beat, n.length, n.pitch, 0.26);
    } else {
      // Bubbles rising through the breakdown.
      for (int i = 0; i < 8; ++i)
        if (rng.uniform() < 0.35)
          bloop(mix, bar * kBeatsPerBar + i * 0.5, chord.keys[rng.below(3)] + 12, 0.18, rng.range(-0.7, 0.7));
    }
  }
  addEcho(mix, echo);
  Stereo out{std::move(mix.left()), std::move(mix.right())};
  const double peak = std::max(Synth::peak(out.left), Synth::peak(out.right));
  const double gain = kPeak / peak;
  for (float& s : out.left) s = static_cast<float>(s * gain);
  for (float& s : out.right) s = static_cast<float>(s * gain);
  return out;
}

}  // namespace MusicTrack
