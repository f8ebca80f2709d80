#include <algorithm>
#include <cmath>
#include <vector>

#include "Audio.h"

// "blues": a shuffle twelve-bar blues in A at 120 beats a minute, two choruses (48 seconds) of
// bass boogie, piano comping, drums and a harmonica-like lead. The last bar is the turnaround
// on the dominant, so the end leads straight back into the start when the game replays it: notes
// that ring past the end are folded back onto the start, as they would sound in a loop, and the
// ends fade over a few milliseconds only, so that the moment between two plays is never heard as
// a click or a gap.

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kBar = 2.0;    // seconds: four beats at 120 a minute
constexpr int kBars = 24;       // two choruses

// Start time of swung eighth `eighth` counted from the start of `bar` (it may run past the bar):
// the second eighth of each beat comes two thirds of the way through the beat.
double Time(int bar, int eighth) {
    bar += eighth / 8;
    eighth %= 8;
    return bar * kBar + (eighth / 2) * 0.5 + (eighth % 2) * (0.5 * 2.0 / 3.0);
}

double Frequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Root of each bar of the chorus in semitones above A: I IV I I IV IV I I V IV I V.
const int kChordRoot[12] = {0, 5, 0, 0, 5, 5, 0, 0, 7, 5, 0, 7};

void Bass(Samples& s, double start, double end, int midi) {
    const double f = Frequency(midi);
    for (size_t i = s.Index(start); i < s.Index(end + 0.02) && i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        const double release = std::clamp((end + 0.02 - start - t) / 0.02, 0.0, 1.0);
        const double env = std::min(1.0, t / 0.005) * std::exp(-t * 3.5) * release;
        const double w = kTwoPi * f * t;
        s.data[i] += static_cast<float>(0.35 * env * (std::sin(w) + 0.45 * std::sin(2 * w) + 0.15 * std::sin(3 * w)));
    }
}

// An electric-piano tone: a sine whose brightness (frequency modulation) fades quickly.
void Piano(Samples& s, double start, double length, int midi, double gain) {
    const double f = Frequency(midi);
    for (size_t i = s.Index(start); i < s.Index(start + length + 0.06) && i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        const double release = std::clamp((length + 0.06 - t) / 0.06, 0.0, 1.0);
        const double env = std::min(1.0, t / 0.004) * std::exp(-t * 2.5) * release;
        const double w = kTwoPi * f * t;
        s.data[i] += static_cast<float>(gain * env * std::sin(w + 1.3 * std::exp(-t * 6.0) * std::sin(w)));
    }
}

// A reedy lead: harmonics falling off as 1/k, a soft attack and a vibrato that comes in late.
void Lead(Samples& s, double start, double length, int midi) {
    const double f = Frequency(midi);
    double phase = 0.0;
    for (size_t i = s.Index(start); i < s.Index(start + length) && i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        const double vib = 1.0 + 0.006 * std::min(1.0, std::max(0.0, t - 0.15) / 0.2) * std::sin(kTwoPi * 5.5 * t);
        phase += kTwoPi * f * vib / kSampleRate;
        double v = 0.0;
        for (int k = 1; k <= 6; ++k) v += std::sin(k * phase) / k * (k % 2 ? 1.0 : 0.6);
        const double env = std::min(1.0, t / 0.03) * std::min(1.0, (length - t) / 0.05) * (0.8 + 0.2 * std::exp(-t * 4));
        s.data[i] += static_cast<float>(0.16 * env * v);
    }
}

void Kick(Samples& s, double start) {
    double phase = 0.0;
    for (size_t i = s.Index(start); i < s.Index(start + 0.3) && i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        phase += kTwoPi * (50.0 + 90.0 * std::exp(-t * 30.0)) / kSampleRate;
        s.data[i] += static_cast<float>(0.6 * std::min(1.0, t / 0.002) * std::exp(-t * 12.0) * std::sin(phase));
    }
}

void Snare(Samples& s, double start, Random& rng) {
    LowPass lp;
    for (size_t i = s.Index(start); i < s.Index(start + 0.25) && i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t * 18.0);
        const float noise = lp.Run(rng.Signed(), 5000.0f);
        s.data[i] += static_cast<float>(env * (0.3 * noise + 0.15 * std::sin(kTwoPi * 185.0 * t)));
    }
}

void HiHat(Samples& s, double start, double gain, Random& rng) {
    LowPass lp;
    for (size_t i = s.Index(start); i < s.Index(start + 0.06) && i < s.data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start;
        const float n = rng.Signed();
        const float high = n - lp.Run(n, 7000.0f);
        s.data[i] += static_cast<float>(gain * std::exp(-t * 70.0) * high);
    }
}

struct Note {
    int eighth, length, midi;
};

const std::vector<Note> kRiffA = {{0, 1, 76}, {1, 1, 79}, {2, 3, 81}, {5, 1, 79}, {6, 2, 76}, {8, 1, 72},
                                  {9, 1, 74}, {10, 1, 75}, {11, 1, 76}, {12, 1, 72}, {13, 3, 69}};
const std::vector<Note> kRiffB = {{0, 2, 76}, {2, 1, 74}, {3, 3, 76}, {6, 1, 79}, {7, 1, 76},
                                  {8, 1, 74}, {9, 1, 72}, {10, 2, 69}, {12, 1, 67}, {13, 3, 69}};
const std::vector<Note> kRiffA2 = {{0, 3, 69}, {3, 1, 72}, {4, 1, 74}, {5, 1, 75}, {6, 1, 76},
                                   {7, 1, 79}, {8, 4, 81}, {12, 1, 79}, {13, 1, 76}, {14, 2, 74}};
const std::vector<Note> kRiffB2 = {{0, 1, 79}, {1, 1, 76}, {2, 2, 74}, {4, 1, 76}, {5, 1, 74},
                                   {6, 2, 72}, {8, 1, 74}, {9, 1, 72}, {10, 2, 69}, {12, 4, 69}};
// The turnaround: down the blues scale over the tonic, then up the dominant seventh.
const std::vector<Note> kTurnaround = {{0, 1, 81}, {1, 1, 79}, {2, 1, 76}, {3, 1, 75}, {4, 1, 74}, {5, 1, 72},
                                       {6, 2, 69}, {8, 2, 64}, {10, 2, 68}, {12, 1, 71}, {13, 1, 74}, {14, 1, 76}};

void Phrase(Samples& s, int bar, const std::vector<Note>& notes) {
    for (const Note& n : notes) {
        const double start = Time(bar, n.eighth);
        Lead(s, start, Time(bar, n.eighth + n.length) - start - 0.02, n.midi);
    }
}

// Adds what lies past `loopLength` onto the start and cuts it off there.
void FoldTail(Samples& s, size_t loopLength) {
    for (size_t i = loopLength; i < s.data.size(); ++i) s.data[i - loopLength] += s.data[i];
    s.data.resize(loopLength);
}

}  // namespace

Samples MakeBlues() {
    const size_t loopLength = static_cast<size_t>(kBars * kBar * kSampleRate + 0.5);
    // Room after the last bar for the notes still ringing at its end.
    Samples s(kBars * kBar + 0.5);
    Random rng(211);
    static const int kBoogie[8] = {0, 4, 7, 9, 10, 9, 7, 4};
    static const int kVoicing[4] = {4, 9, 10, 14};  // third, thirteenth, seventh, ninth
    for (int bar = 0; bar < kBars; ++bar) {
        const int root = kChordRoot[bar % 12];
        for (int e = 0; e < 8; ++e) Bass(s, Time(bar, e), Time(bar, e + 1) - 0.01, 45 + root + kBoogie[e]);
        // Piano stabs on beats two and four, plus a pickup on the last swung eighth.
        const int pianoRoot = root == 0 ? 57 : 45 + root;
        for (int e : {2, 6, 7}) {
            const double length = e == 7 ? 0.12 : 0.28;
            for (int v : kVoicing) Piano(s, Time(bar, e), length, pianoRoot + v, e == 7 ? 0.06 : 0.09);
        }
        Kick(s, Time(bar, 0));
        Kick(s, Time(bar, 4));
        Snare(s, Time(bar, 2), rng);
        Snare(s, Time(bar, 6), rng);
        for (int e = 0; e < 8; ++e) HiHat(s, Time(bar, e), e % 2 ? 0.06 : 0.1, rng);
    }
    Phrase(s, 0, kRiffA);
    Phrase(s, 4, kRiffA);
    Phrase(s, 8, kRiffB);
    Phrase(s, 10, kTurnaround);
    Phrase(s, 12, kRiffA2);
    Phrase(s, 16, kRiffA2);
    Phrase(s, 20, kRiffB2);
    Phrase(s, 22, kTurnaround);
    FoldTail(s, loopLength);
    Finish(s, kMusicPeak, 0.004);
    return s;
}
