#pragma once
#include <string>
#include <vector>

#include "Image.h"

// Synthesised sound at 44.1 kHz, one channel, as floats; written as 16-bit PCM WAV.
constexpr int kSampleRate = 44100;

// Peaks the sounds are normalised to, in full scale. The music and the five effects can all
// sound at once (each effect at most once: a sound played again restarts); at these levels even
// that pile-up, at the music's loudest moment, stays near -1 dBFS, and the game's mixer bends
// anything louder below it. The two keep the music-to-effects balance the game was voiced with.
constexpr float kMusicPeak = 0.25f;
constexpr float kEffectPeak = 0.35f;

struct Samples {
    std::vector<float> data;
    explicit Samples(double seconds) : data(static_cast<size_t>(seconds * kSampleRate + 0.5), 0.0f) {}
    size_t Index(double t) const { return static_cast<size_t>(t * kSampleRate + 0.5); }
    // Adds v at time t (seconds) when t lies inside the buffer.
    void Add(double t, float v) {
        const size_t i = Index(t);
        if (i < data.size()) data[i] += v;
    }
};

// A one-pole low-pass filter with cutoff in Hz (changeable per sample).
class LowPass {
public:
    float Run(float x, float cutoff);

private:
    float y = 0.0f;
};

// Scales the samples so the largest magnitude is `peak`, then fades the first and last
// `fadeSeconds` linearly to zero so the sound starts and ends in silence (no click).
void Finish(Samples& s, float peak, double fadeSeconds);

// The RIFF WAVE bytes (PCM, 1 channel, 44100 Hz, 16 bits) of the samples, clipped to [-1, 1].
std::vector<unsigned char> WavBytes(const Samples& s);

// A named sound: the name the game plays it by, its file name and its samples.
struct NamedSound {
    std::string name;
    std::string fileName;
    Samples samples;
};

// The effects "steam", "toot", "coins", "rail", "explode".
std::vector<NamedSound> MakeEffects();
// "blues": two twelve-bar choruses that loop back into each other.
Samples MakeBlues();
