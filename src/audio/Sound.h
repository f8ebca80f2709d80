#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Result.h"

class SoundBuffer;
class WavReader;

// One loaded sound: one or more buffers, each holding the whole data of its WAV file, and the
// reader that data came from, kept to fill a buffer again.
class CSound {
public:
    std::vector<std::unique_ptr<SoundBuffer>> buffers;  // empty when the sound has none
    uint32_t bufferSize = 0;  // bytes of WAV data in each buffer
    std::unique_ptr<WavReader> reader;
    uint32_t bufferCount = 0;
    uint32_t creationFlags = 0;

    // Takes the buffers and the open reader and fills the first buffer (the others share its
    // memory or are filled when played after a loss).
    CSound(std::vector<std::unique_ptr<SoundBuffer>> buffers, uint32_t bufferSize, std::unique_ptr<WavReader> reader,
           uint32_t creationFlags);
    virtual ~CSound();

    // True when any buffer is playing.
    bool IsPlaying();
    // Plays a buffer that is not playing (or any one when all are), with the controls the
    // sound was created for; the buffer's own status, or a failure.
    Result Play(uint32_t priority, uint32_t flags, int32_t volume, int32_t frequency, int32_t pan);
    // Stops every buffer, keeping their positions; the or of their statuses.
    Result Stop();
    // Puts every buffer back at the start of its data; the or of their statuses.
    Result RewindBuffers();

    // The first buffer not playing, else a random one; null when there are none.
    SoundBuffer* PickBuffer();
    // Restores a lost buffer, waiting while it stays lost; S_FALSE when it was not lost.
    Result RecoverLostBuffer(SoundBuffer* buffer, bool* restored);
    // Fills the whole buffer from the reader, the part past the data with silence.
    Result LoadIntoBuffer(SoundBuffer* buffer, bool repeat);
};
