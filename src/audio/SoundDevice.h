#pragma once
#include <cstdint>
#include <memory>

#include "audio/AudioStatus.h"
#include "audio/WaveFormat.h"
#include "platform/AudioOutput.h"

class CSound;
class Mixer;
class SoundBuffer;
class Window;

// The longest sound buffer a sound device makes, in bytes, as sound cards have always allowed:
// a data chunk that claims more is refused rather than played as hours of silence.
constexpr uint32_t kMaxSoundBufferBytes = 0x0FFFFFFF;

// What a sound buffer is made from: creation flags, size in bytes, format and 3D algorithm.
// `storedBytes` is how much of it keeps memory (all when above `bufferBytes`): the rest plays
// as silence, so a file whose data chunk claims more than it holds costs only what it holds.
struct BufferDescription {
    uint32_t flags = 0;
    uint32_t bufferBytes = 0;
    uint32_t storedBytes = UINT32_MAX;
    const WaveFormat* format = nullptr;
    Guid algorithm;
};

// The sound card and the turning of WAV files into sounds mixed onto it.
class SoundDevice {
public:
    std::unique_ptr<AudioOutput> audioOutput;  // null until Initialize succeeds
    std::shared_ptr<Mixer> mixer;              // shared with every buffer made here
    WaveFormat primaryFormat;                  // the output format, once set

    SoundDevice();
    ~SoundDevice();

    // Starts the audio back end (any earlier one is closed first). The window and cooperative
    // level are recorded only: one mixer serves the whole process.
    Result Initialize(Window* window, uint32_t cooperativeLevel);
    // Opens the output stream in this PCM format and starts mixing; only 16-bit mono or stereo.
    Result SetPrimaryFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample);
    // Makes a sound of `bufferCount` buffers holding the whole data of the WAV file `fileName`.
    // E_FAIL when the file has no readable data; `sound` is written only on success.
    Result CreateSound(CSound** sound, const char* fileName, uint32_t creationFlags, Guid algorithm,
                       uint32_t bufferCount);

    // A stopped buffer as described; fails for a primary buffer, no data or an unplayable format.
    Result CreateSoundBuffer(const BufferDescription& description, std::unique_ptr<SoundBuffer>* buffer);
};
