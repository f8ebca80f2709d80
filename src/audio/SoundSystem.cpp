#include "audio/SoundSystem.h"

#include <new>

#include "audio/Sound.h"
#include "audio/SoundBuffer.h"
#include "audio/SoundDevice.h"

SoundSystem::SoundSystem(Window* window_) : window(window_) {
    device = new (std::nothrow) SoundDevice;
    if (!device) return;
    if (Failed(device->Initialize(window, kCooperativePriority))) return;
    if (Failed(device->SetPrimaryFormat(1, 44100, 16))) return;
    enabled = true;
}

SoundSystem::~SoundSystem() { delete device; }

uint32_t SoundSystem::CreateSound(CSound** sound, const char* fileName) {
    if (!enabled) return 1;
    const Result result = device->CreateSound(sound, fileName, 0, Guid{}, 1);
    // A positive code is a success of the device but still not a plain sound for the game.
    return Failed(result) ? 1 : uint32_t(result);
}

bool SoundSystem::IsPlaying(CSound* sound) { return enabled && sound && sound->IsPlaying(); }

uint32_t SoundSystem::Stop(CSound* sound) {
    if (enabled && sound && sound->IsPlaying()) {
        sound->Stop();
        sound->RewindBuffers();
    }
    return 0;
}

uint32_t SoundSystem::Play(CSound* sound) {
    if (!enabled || !sound) return 0;
    // Playing a sound that is already playing would go on where it is; the game wants it
    // heard from the start.
    if (sound->IsPlaying()) {
        sound->Stop();
        sound->RewindBuffers();
    }
    return Failed(sound->Play(0, 0, 0, -1, 0)) ? 1 : 0;
}

void SoundSystem::SetLoudness(CSound* sound, int32_t percent) {
    if (!sound) return;
    const int32_t clamped = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    for (const auto& buffer : sound->buffers)
        if (buffer) buffer->SetGain(clamped * 65536 / 100);
}
