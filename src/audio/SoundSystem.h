#pragma once
#include <cstdint>

class CSound;
class SoundDevice;
class Window;

// The game's only door to sound. Enabled only when the sound device was set up completely;
// otherwise every operation quietly does nothing. Every operation accepts a null sound.
class SoundSystem {
public:
    bool enabled = false;
    SoundDevice* device = nullptr;  // owned; the game never destroys the system
    Window* window = nullptr;

    // Sets up the sound device (mono, 44100 samples per second, 16 bits); stays disabled,
    // silently, when any step fails.
    explicit SoundSystem(Window* window);
    // Asks for a system that never opens a sound device.
    struct NoDevice {};
    // A system that stays disabled without touching the sound hardware: for tools that share the
    // game's loaders, where opening the device costs a tenth of a second and plays nothing.
    explicit SoundSystem(NoDevice) {}
    // Closes the device; the sounds made through it stay valid but are no longer heard.
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // 0 when the sound was made from the WAV file and stored through `sound`; nonzero otherwise.
    uint32_t CreateSound(CSound** sound, const char* fileName);
    // True only when enabled and the sound is playing.
    bool IsPlaying(CSound* sound);
    // Plays the sound from its beginning (restarting it if playing); 1 when playing failed, else 0.
    uint32_t Play(CSound* sound);
    // Plays the sound at `percent` (0..100) of its full loudness from now on, also while it plays.
    void SetLoudness(CSound* sound, int32_t percent);
    // Stops and rewinds a playing sound; always 0.
    uint32_t Stop(CSound* sound);
};
