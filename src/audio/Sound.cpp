#include "audio/Sound.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "audio/AudioStatus.h"
#include "audio/SoundBuffer.h"
#include "audio/WavReader.h"

CSound::CSound(std::vector<std::unique_ptr<SoundBuffer>> buffers_, uint32_t bufferSize_,
               std::unique_ptr<WavReader> reader_, uint32_t creationFlags_)
    : buffers(std::move(buffers_)),
      bufferSize(bufferSize_),
      reader(std::move(reader_)),
      bufferCount(uint32_t(buffers.size())),
      creationFlags(creationFlags_) {
    if (bufferCount > 0) LoadIntoBuffer(buffers[0].get(), false);
}

CSound::~CSound() = default;

bool CSound::IsPlaying() {
    for (auto& buffer : buffers) {
        uint32_t status = 0;
        if (buffer && !Failed(buffer->GetStatus(&status)) && (status & kStatusPlaying)) return true;
    }
    return false;
}

SoundBuffer* CSound::PickBuffer() {
    if (buffers.empty()) return nullptr;
    for (auto& buffer : buffers) {
        uint32_t status = 0;
        if (buffer && !Failed(buffer->GetStatus(&status)) && !(status & kStatusPlaying)) return buffer.get();
    }
    // All are playing: interrupt one at random rather than always the same.
    return buffers[size_t(std::rand()) % buffers.size()].get();
}

Result CSound::RecoverLostBuffer(SoundBuffer* buffer, bool* restored) {
    if (!buffer) return kNotInitialized;
    if (restored) *restored = false;
    uint32_t status = 0;
    if (Failed(buffer->GetStatus(&status))) return kFail;
    if (!(status & kStatusBufferLost)) return kSFalse;
    // The device may keep the memory for a while; ask again every 10 ms until it gives it back.
    Result result;
    do {
        if (buffer->Restore() == kBufferLost) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        result = buffer->Restore();
    } while (result == kBufferLost);
    if (restored) *restored = true;
    return kOk;
}

Result CSound::LoadIntoBuffer(SoundBuffer* buffer, bool repeat) {
    if (!buffer) return kNotInitialized;
    if (Failed(RecoverLostBuffer(buffer, nullptr))) return kFail;
    void* memory = nullptr;
    uint32_t lockedSize = 0;
    if (Failed(buffer->Lock(0, bufferSize, &memory, &lockedSize))) return kFail;
    auto* bytes = static_cast<uint8_t*>(memory);
    reader->Rewind();
    uint32_t read = 0;
    if (lockedSize && Failed(reader->Read(bytes, lockedSize, &read))) {
        buffer->Unlock(memory, lockedSize);
        return kFail;
    }
    // 8-bit samples are unsigned, so their silence is the middle value.
    const uint8_t silence = reader->format && reader->format->bitsPerSample == 8 ? 128 : 0;
    if (repeat && read > 0) {
        while (read < lockedSize) {
            uint32_t more = 0;
            if (reader->chunk.size == 0) reader->Rewind();
            if (Failed(reader->Read(bytes + read, lockedSize - read, &more)) || more == 0) break;
            read += more;
        }
    }
    if (read < lockedSize) std::memset(bytes + read, silence, lockedSize - read);
    return buffer->Unlock(memory, lockedSize);
}

Result CSound::Play(uint32_t priority, uint32_t flags, int32_t volume, int32_t frequency, int32_t pan) {
    if (buffers.empty()) return kNotInitialized;
    SoundBuffer* buffer = PickBuffer();
    if (!buffer) return kFail;
    bool restored = false;
    if (Failed(RecoverLostBuffer(buffer, &restored))) return kFail;
    if (restored && Failed(LoadIntoBuffer(buffer, false))) return kFail;
    if (creationFlags & kCapsCtrlVolume) buffer->SetVolume(volume);
    if (frequency != -1 && (creationFlags & kCapsCtrlFrequency)) buffer->SetFrequency(uint32_t(frequency));
    if (creationFlags & kCapsCtrlPan) buffer->SetPan(pan);
    return buffer->Play(0, priority, flags);
}

Result CSound::Stop() {
    if (buffers.empty()) return kNotInitialized;
    Result result = kOk;
    for (auto& buffer : buffers) result |= buffer->Stop();
    return result;
}

Result CSound::RewindBuffers() {
    if (buffers.empty()) return kNotInitialized;
    Result result = kOk;
    for (auto& buffer : buffers) result |= buffer->SetCurrentPosition(0);
    return result;
}
