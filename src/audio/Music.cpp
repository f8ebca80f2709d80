#include "audio/Music.h"

#include "audio/SoundSystem.h"
#include "resources/ResourceCatalogue.h"
#include "shell/GameState.h"

void KeepMusicGoing() {
    if (!g_catalogue || !g_soundSystem) return;
    CSound* blues = g_catalogue->FindSound("blues");
    if (!g_musicOff && !g_soundSystem->IsPlaying(blues))
        g_soundSystem->Play(blues);
    else if (g_musicOff && g_soundSystem->IsPlaying(blues))
        g_soundSystem->Stop(blues);
}
