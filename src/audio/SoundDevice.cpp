#include "audio/SoundDevice.h"

#include <new>
#include <vector>

#include "audio/Mixer.h"
#include "audio/SampleConversion.h"
#include "audio/Sound.h"
#include "audio/SoundBuffer.h"
#include "audio/WavReader.h"
#include "platform/LoadReport.h"

namespace {

void FillFromMixer(void* context, int16_t* samples, uint32_t frames, uint32_t channels) {
    static_cast<Mixer*>(context)->Mix(samples, frames, channels);
}

}  // namespace

SoundDevice::SoundDevice() : mixer(std::make_shared<Mixer>()) {}

SoundDevice::~SoundDevice() {
    // The audio thread must be gone before the mixer it fills from can go.
    if (audioOutput) audioOutput->Stop();
}

Result SoundDevice::Initialize(Window*, uint32_t) {
    audioOutput.reset();
    audioOutput = CreateAudioOutput();
    return audioOutput ? kOk : kFail;
}

Result SoundDevice::SetPrimaryFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample) {
    if (!audioOutput) return kNotInitialized;
    // The mixer makes 16-bit samples only.
    if (bitsPerSample != 16 || channels < 1 || channels > 2 || samplesPerSecond == 0) return kFail;
    WaveFormat format;
    format.formatTag = kFormatPcm;
    format.channels = channels;
    format.samplesPerSec = samplesPerSecond;
    format.bitsPerSample = bitsPerSample;
    format.blockAlign = uint16_t(bitsPerSample / 8 * channels);
    format.avgBytesPerSec = format.blockAlign * samplesPerSecond;
    if (Failed(audioOutput->Start(channels, samplesPerSecond, &FillFromMixer, mixer.get()))) return kFail;
    primaryFormat = format;
    return kOk;
}

Result SoundDevice::CreateSoundBuffer(const BufferDescription& description, std::unique_ptr<SoundBuffer>* buffer) {
    if (!buffer || !description.format) return kInvalidArg;
    if ((description.flags & kCapsPrimaryBuffer) || description.bufferBytes == 0 ||
        description.bufferBytes > kMaxSoundBufferBytes)
        return kInvalidArg;
    if (!CanConvert(*description.format) || primaryFormat.samplesPerSec == 0) return kFail;
    *buffer = std::make_unique<SoundBuffer>(mixer, *description.format, description.bufferBytes,
                                            primaryFormat.samplesPerSec, description.storedBytes);
    return kOk;
}

Result SoundDevice::CreateSound(CSound** sound, const char* fileName, uint32_t creationFlags, Guid algorithm,
                                uint32_t bufferCount) {
    if (!fileName || !sound || bufferCount == 0) return kInvalidArg;
    if (!audioOutput) {
        LoadReport(fileName, "not loaded: no sound device");
        return kNotInitialized;
    }
    std::vector<std::unique_ptr<SoundBuffer>> buffers;
    auto reader = std::unique_ptr<WavReader>(new (std::nothrow) WavReader);
    if (!reader) return kOutOfMemory;
    // The open status is not needed: a reader that failed has no data, which is what counts.
    reader->Open(fileName, nullptr, kReadMode);
    if (reader->Size() == 0) {
        LoadReport(fileName, reader->format ? "no sample data" : "cannot be opened as a RIFF WAVE file with \"fmt \" and \"data\" chunks");
        return kFail;
    }
    // The sound lasts as long as its data chunk says. What the file lacks of it plays as
    // silence and takes no memory: a claim of up to 4 GiB in a few bytes costs those bytes.
    const uint32_t bufferSize = reader->Size();
    if (bufferSize > kMaxSoundBufferBytes) {
        LoadReport(fileName, "a data chunk of " + std::to_string(bufferSize) + " bytes, more than a sound buffer holds (" +
                                 std::to_string(kMaxSoundBufferBytes) + ")");
        return kInvalidArg;
    }

    BufferDescription description;
    description.flags = creationFlags;
    description.bufferBytes = bufferSize;
    description.storedBytes = reader->StoredSize();
    description.format = reader->format.get();
    description.algorithm = algorithm;
    buffers.resize(bufferCount);
    Result result = CreateSoundBuffer(description, &buffers[0]);
    if (Failed(result)) {
        const WaveFormat& f = *reader->format;
        LoadReport(fileName, "a format that cannot be played (tag " + std::to_string(f.formatTag) + ", " +
                                 std::to_string(f.channels) + " channels, " + std::to_string(f.bitsPerSample) + " bits, " +
                                 std::to_string(f.samplesPerSec) + " samples a second)");
        return result;
    }
    const Result remembered = result == kNoVirtualization ? kNoVirtualization : kOk;
    for (uint32_t i = 1; i < bufferCount; ++i) {
        // Buffers with effects each need their own memory; the others share the first one's.
        if (creationFlags & kCapsCtrlFx) {
            result = CreateSoundBuffer(description, &buffers[i]);
            if (Failed(result)) return result;
        } else {
            buffers[i] = std::make_unique<SoundBuffer>(*buffers[0]);
        }
    }
    *sound = new (std::nothrow) CSound(std::move(buffers), bufferSize, std::move(reader), creationFlags);
    return remembered;
}
