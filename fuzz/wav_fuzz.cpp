// WAV files from the reader through a sound buffer to the mixer, as a sound is loaded and played.
#include <memory>

#include "audio/Mixer.h"
#include "audio/SampleConversion.h"
#include "audio/SoundBuffer.h"
#include "audio/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavReader reader;
    if (reader.OpenBytes(data, size) != 0 || !CanConvert(*reader.format)) return 0;
    auto mixer = std::make_shared<Mixer>();
    SoundBuffer buffer(mixer, *reader.format, reader.Size(), 44100, reader.StoredSize());
    void* memory = nullptr;
    uint32_t locked = 0, read = 0;
    if (buffer.Lock(0, reader.Size(), &memory, &locked) != 0) return 0;
    if (locked) reader.Read(static_cast<uint8_t*>(memory), locked, &read);
    buffer.Unlock(memory, locked);
    buffer.Play(0, 0, 0);
    int16_t out[2 * 4096];
    mixer->Mix(out, 4096, 2);
    return 0;
}
