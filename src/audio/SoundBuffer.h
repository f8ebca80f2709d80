#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/WaveFormat.h"
#include "platform/Result.h"

class Mixer;

// Play flag: start again from the beginning at the end instead of stopping.
constexpr uint32_t kPlayLooping = 0x1;

// Sample memory, shared by a buffer and its duplicates. Kept at the sound's own rate and
// resampled while mixing, so a sound costs at most twice its file whatever its rate.
struct SampleData {
    std::vector<int16_t> data;  // mono, 16-bit, at `rate`
    uint32_t rate = 1;
    uint32_t deviceRate = 1;
    uint64_t length = 0;        // device samples the data plays for
};

// One sound buffer of the mixer. It is filled through Lock and Unlock in the format of its WAV
// data and holds that data converted to mono 16-bit; play, stop and position act on
// what the mixer plays next.
class SoundBuffer {
public:
    // A stopped buffer of `bytes` bytes of `format` data (silent until filled), mixed by `mixer`
    // at `deviceRate` samples per second. Only the first `storedBytes` can be filled; the rest
    // always plays as silence.
    SoundBuffer(std::shared_ptr<Mixer> mixer, const WaveFormat& format, uint32_t bytes, uint32_t deviceRate,
                uint32_t storedBytes = UINT32_MAX);
    // A stopped duplicate that shares `original`'s sample memory.
    explicit SoundBuffer(const SoundBuffer& original);
    ~SoundBuffer();
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // kStatusPlaying while playing; never kStatusBufferLost, as mixer memory cannot be lost.
    Result GetStatus(uint32_t* status);
    // Starts playing from the current position; a playing buffer goes on where it is.
    Result Play(uint32_t reserved, uint32_t priority, uint32_t flags);
    // Stops playing and keeps the position.
    Result Stop();
    // Moves the play position to `byteOffset` of the WAV data.
    Result SetCurrentPosition(uint32_t byteOffset);
    // The play position as a byte offset of the WAV data.
    Result GetCurrentPosition(uint32_t* byteOffset);
    // Gives writable memory for `bytes` bytes at `offset` of the WAV data, or for fewer
    // (`audioBytes`) where the stored part ends.
    Result Lock(uint32_t offset, uint32_t bytes, void** audio, uint32_t* audioBytes);
    // Ends a Lock: the buffer's whole WAV data is converted and replaces the samples played.
    Result Unlock(void* audio, uint32_t audioBytes);
    // Gives lost memory back; nothing is ever lost here.
    Result Restore();
    // Attenuation in hundredths of a decibel, -10000 (silent) to 0 (unchanged).
    Result SetVolume(int32_t volume);
    // Sets the gain directly, in 16.16 fixed point (65536: unchanged; 0: silent).
    void SetGain(int32_t fixed);
    // Accepted for compatibility; the mixer plays every buffer at the rate it was converted to.
    Result SetFrequency(uint32_t frequency);
    // Accepted for compatibility; the output is mono, so there is nothing to pan.
    Result SetPan(int32_t pan);

    // Mixer state, guarded by mixer->lock.
    std::shared_ptr<SampleData> samples;
    size_t position = 0;  // next sample to mix
    bool playing = false;
    bool looping = false;
    int32_t gain = 65536;  // 16.16 fixed point

private:
    std::shared_ptr<Mixer> mixer;
    WaveFormat format;
    uint32_t bytes;
    uint32_t storedBytes;  // at most `bytes`
    uint32_t deviceRate;
    std::shared_ptr<std::vector<uint8_t>> wavData;  // the WAV-format bytes, shared with duplicates
};
