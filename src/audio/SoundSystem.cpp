#include "audio/SoundSystem.h"

// Placeholder until the sound device exists: the system stays disabled, so the game runs silently.
SoundSystem::SoundSystem(Window* window_) : window(window_) {}

uint32_t SoundSystem::CreateSound(CSound**, const char*) { return 1; }

bool SoundSystem::IsPlaying(CSound*) { return false; }

uint32_t SoundSystem::Play(CSound*) { return 0; }

uint32_t SoundSystem::Stop(CSound*) { return 0; }
