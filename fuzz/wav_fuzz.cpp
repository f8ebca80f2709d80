// WAV files from the reader through a sound buffer to the mixer, as the game loads and plays a
// sound. Each is loaded and played twice with fresh memory filled differently: the two must sound
// the same, and silent from where the file ends, however much more its data chunk claims.
#include <algorithm>
#include <memory>
#include <vector>

#include "FuzzInput.h"
#include "audio/Mixer.h"
#include "audio/SampleConversion.h"
#include "audio/Sound.h"
#include "audio/SoundBuffer.h"
#include "audio/WavReader.h"

namespace {

constexpr uint32_t kDeviceRate = 44100;
// Enough of a sound to hear its stored part end and the silence after it, within a fuzzing run.
constexpr uint64_t kMaxFramesPlayed = 1 << 16;

struct Played {
    std::vector<int16_t> out;
    uint64_t silentFrom = 0;  // the first device frame after the samples the file holds
};

Played LoadAndPlay(const uint8_t* data, size_t size, uint8_t pattern) {
    SetFillPattern(pattern);
    FillFreshAllocations(true);
    Played played;
    auto reader = std::make_unique<WavReader>();
    if (reader->OpenBytes(data, size) == 0 && CanConvert(*reader->format) && reader->Size() > 0) {
        const WaveFormat format = *reader->format;
        const uint32_t bytes = reader->Size(), stored = reader->StoredSize();
        auto mixer = std::make_shared<Mixer>();
        std::vector<std::unique_ptr<SoundBuffer>> buffers;
        buffers.push_back(std::make_unique<SoundBuffer>(mixer, format, bytes, kDeviceRate, stored));
        SoundBuffer* buffer = buffers[0].get();
        CSound sound(std::move(buffers), bytes, std::move(reader), 0);
        buffer->Play(0, 0, 0);
        const uint64_t length = DeviceSampleCount(bytes / format.blockAlign, format.samplesPerSec, kDeviceRate);
        // The frame that interpolates between the last stored sample and the next is not silent yet.
        played.silentFrom = DeviceSampleCount(stored / format.blockAlign, format.samplesPerSec, kDeviceRate) + 1;
        played.out.assign(size_t(std::min({length, played.silentFrom + 4096, kMaxFramesPlayed})), int16_t(pattern * 257));
        mixer->Mix(played.out.data(), uint32_t(played.out.size()), 1);
    }
    FillFreshAllocations(false);
    return played;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Played first = LoadAndPlay(data, size, 0xA5), second = LoadAndPlay(data, size, 0x5A);
    Expect(first.out == second.out, "two loads of one sound differ: it depends on memory the loader never wrote");
    const bool silentPastTheFile =
        std::all_of(first.out.begin() + std::min<size_t>(first.out.size(), first.silentFrom), first.out.end(),
                    [](int16_t sample) { return sample == 0; });
    Expect(silentPastTheFile, "a sound is not silent where its file ends");
    return 0;
}
