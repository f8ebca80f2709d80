#include <cmath>

#include "Audio.h"

// The short sound effects. Each starts and ends in silence and is normalised to the same peak,
// kEffectPeak (see Audio.h for the headroom).

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr float kPeak = kEffectPeak;

// The hiss of steam as a shot leaves: band-limited noise with a quick chuff at the start.
Samples Steam() {
    Samples s(0.5);
    Random rng(101);
    LowPass low, high, body;
    for (size_t i = 0; i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float noise = rng.Signed();
        // Band-pass between about 1.5 and 6 kHz: low-pass, then remove the lows.
        const float lp = low.Run(noise, 6000.0f);
        const float band = lp - high.Run(lp, 1500.0f);
        const float env = static_cast<float>(std::min(1.0, t / 0.015) * std::exp(-t * 7.0));
        const float chuff = body.Run(noise, 400.0f) * static_cast<float>(std::exp(-t * 30.0)) * 2.0f;
        s.data[i] = band * env + chuff;
    }
    Finish(s, kPeak, 0.01);
    return s;
}

// A steam whistle: three close partials of a chord, rising slightly as the steam comes up.
Samples Toot() {
    Samples s(0.75);
    Random rng(103);
    LowPass breath;
    const double notes[3] = {587.33, 739.99, 880.0};
    double phase[3] = {0, 0, 0};
    for (size_t i = 0; i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double bend = 1.0 - 0.04 * std::exp(-t * 18.0);
        float v = 0.0f;
        for (int k = 0; k < 3; ++k) {
            phase[k] += kTwoPi * notes[k] * bend / kSampleRate;
            v += static_cast<float>(std::sin(phase[k]) + 0.3 * std::sin(2 * phase[k]) + 0.12 * std::sin(3 * phase[k]));
        }
        v += breath.Run(rng.Signed(), 2000.0f) * 0.3f;
        const double attack = std::min(1.0, t / 0.04), release = std::min(1.0, (0.75 - t) / 0.2);
        s.data[i] = v * static_cast<float>(attack * release);
    }
    Finish(s, kPeak, 0.005);
    return s;
}

// A struck metal partial set: a bell-like ring decaying at `decay` per second.
void Strike(Samples& s, double start, double base, const double* ratios, const double* gains, int count,
            double decay) {
    for (size_t i = s.Index(start); i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t * decay);
        if (t > 0.01 && env < 1e-4) break;  // rung out (not during the attack, which starts at 0)
        double v = 0.0;
        for (int k = 0; k < count; ++k) v += gains[k] * std::sin(kTwoPi * base * ratios[k] * t) * std::exp(-t * k * 3.0);
        s.data[i] += static_cast<float>(v * env);
    }
}

// Two bright coin rings, the second a fourth higher.
Samples Coins() {
    Samples s(0.6);
    const double ratios[4] = {1.0, 2.76, 5.4, 8.93};
    const double gains[4] = {1.0, 0.5, 0.25, 0.12};
    Strike(s, 0.0, 1318.5, ratios, gains, 4, 9.0);
    Strike(s, 0.08, 1760.0, ratios, gains, 4, 7.0);
    Finish(s, kPeak, 0.004);
    return s;
}

// A rail dropped into place: a heavy clank followed by a lighter one.
Samples Rail() {
    Samples s(0.6);
    Random rng(107);
    const double ratios[5] = {1.0, 2.31, 3.87, 5.52, 7.9};
    const double gains[5] = {1.0, 0.8, 0.6, 0.4, 0.25};
    Strike(s, 0.0, 310.0, ratios, gains, 5, 14.0);
    Strike(s, 0.13, 420.0, ratios, gains, 5, 20.0);
    LowPass thud;
    for (size_t i = 0; i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        s.data[i] += thud.Run(rng.Signed(), 900.0f) * static_cast<float>(std::exp(-t * 40.0) * 3.0);
    }
    Finish(s, kPeak, 0.004);
    return s;
}

// A blast: a low boom under rumbling noise whose brightness dies away.
Samples Explode() {
    Samples s(1.4);
    Random rng(109);
    LowPass rumble, rumble2;
    double phase = 0.0;
    for (size_t i = 0; i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float cutoff = static_cast<float>(200.0 + 3500.0 * std::exp(-t * 6.0));
        const float noise = rumble2.Run(rumble.Run(rng.Signed(), cutoff), cutoff) * 3.0f;
        phase += kTwoPi * (30.0 + 50.0 * std::exp(-t * 8.0)) / kSampleRate;
        const double env = std::min(1.0, t / 0.004) * std::exp(-t * 3.2);
        s.data[i] = static_cast<float>((noise + 0.8 * std::sin(phase)) * env);
    }
    Finish(s, kPeak, 0.02);
    return s;
}

}  // namespace

std::vector<NamedSound> MakeEffects() {
    std::vector<NamedSound> out;
    out.push_back({"steam", "steam.wav", Steam()});
    out.push_back({"toot", "toot.wav", Toot()});
    out.push_back({"coins", "coins.wav", Coins()});
    out.push_back({"rail", "rail.wav", Rail()});
    out.push_back({"explode", "explode.wav", Explode()});
    return out;
}
