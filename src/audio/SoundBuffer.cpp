#include "audio/SoundBuffer.h"

#include <algorithm>
#include <cmath>

#include "audio/AudioStatus.h"
#include "audio/Mixer.h"
#include "audio/SampleConversion.h"

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> mixer_, const WaveFormat& format_, uint32_t bytes_,
                         uint32_t deviceRate_, uint32_t storedBytes_)
    : samples(std::make_shared<SampleData>()),
      mixer(std::move(mixer_)),
      format(format_),
      bytes(bytes_),
      storedBytes(std::min(storedBytes_, bytes_)),
      deviceRate(deviceRate_),
      wavData(std::make_shared<std::vector<uint8_t>>()) {
    mixer->Attach(this);
}

SoundBuffer::SoundBuffer(const SoundBuffer& original)
    : samples(original.samples),
      mixer(original.mixer),
      format(original.format),
      bytes(original.bytes),
      storedBytes(original.storedBytes),
      deviceRate(original.deviceRate),
      wavData(original.wavData) {
    mixer->Attach(this);
}

SoundBuffer::~SoundBuffer() { mixer->Detach(this); }

Result SoundBuffer::GetStatus(uint32_t* status) {
    if (!status) return kInvalidArg;
    std::lock_guard<std::mutex> guard(mixer->lock);
    *status = playing ? kStatusPlaying : 0;
    return kOk;
}

Result SoundBuffer::Play(uint32_t, uint32_t, uint32_t flags) {
    std::lock_guard<std::mutex> guard(mixer->lock);
    playing = true;
    looping = (flags & kPlayLooping) != 0;
    return kOk;
}

Result SoundBuffer::Stop() {
    std::lock_guard<std::mutex> guard(mixer->lock);
    playing = false;
    return kOk;
}

Result SoundBuffer::SetCurrentPosition(uint32_t byteOffset) {
    if (byteOffset > bytes) return kInvalidArg;
    std::lock_guard<std::mutex> guard(mixer->lock);
    position = DeviceSampleCount(byteOffset / format.blockAlign, format.samplesPerSec, deviceRate);
    return kOk;
}

Result SoundBuffer::GetCurrentPosition(uint32_t* byteOffset) {
    if (!byteOffset) return kInvalidArg;
    std::lock_guard<std::mutex> guard(mixer->lock);
    *byteOffset = uint32_t(DeviceSampleCount(position, deviceRate, format.samplesPerSec) * format.blockAlign);
    return kOk;
}

Result SoundBuffer::Lock(uint32_t offset, uint32_t count, void** audio, uint32_t* audioBytes) {
    if (!audio || !audioBytes || offset > bytes || count > bytes - offset) return kInvalidArg;
    // The WAV-format bytes only live while someone writes them; the mixer plays the converted
    // samples. Only the game thread touches them, so no mixer lock is needed.
    wavData->resize(storedBytes, 0);
    *audio = wavData->data() + std::min(offset, storedBytes);
    *audioBytes = offset < storedBytes ? std::min(count, storedBytes - offset) : 0;
    return kOk;
}

Result SoundBuffer::Unlock(void*, uint32_t) {
    // Convert outside the lock, then swap under it, so the audio thread waits only for the
    // swap and the old samples are freed here, not there.
    std::vector<int16_t> converted;
    const bool ok = ConvertToMono(format, wavData->data(), wavData->size(), &converted);
    std::vector<uint8_t>().swap(*wavData);
    if (!ok) return kFail;
    // Past the converted samples the mixer plays silence, to the end of the whole buffer.
    const uint64_t length = DeviceSampleCount(bytes / format.blockAlign, format.samplesPerSec, deviceRate);
    std::lock_guard<std::mutex> guard(mixer->lock);
    samples->data.swap(converted);
    samples->rate = format.samplesPerSec;
    samples->deviceRate = deviceRate;
    samples->length = length;
    return kOk;
}

Result SoundBuffer::Restore() { return kOk; }

Result SoundBuffer::SetVolume(int32_t volume) {
    if (volume < -10000 || volume > 0) return kInvalidArg;
    const int32_t fixed = int32_t(std::lround(65536.0 * std::pow(10.0, volume / 2000.0)));
    std::lock_guard<std::mutex> guard(mixer->lock);
    gain = fixed;
    return kOk;
}

void SoundBuffer::SetGain(int32_t fixed) {
    std::lock_guard<std::mutex> guard(mixer->lock);
    gain = fixed;
}

Result SoundBuffer::SetFrequency(uint32_t) { return kOk; }

Result SoundBuffer::SetPan(int32_t pan) { return pan < -10000 || pan > 10000 ? kInvalidArg : kOk; }
