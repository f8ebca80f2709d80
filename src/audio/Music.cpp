#include "audio/Music.h"

#include "audio/SoundSystem.h"

void KeepMusicGoing(SoundSystem* soundSystem, CSound* blues, bool musicOff) {
    if (!soundSystem || !blues) return;
    if (!musicOff && !soundSystem->IsPlaying(blues))
        soundSystem->Play(blues);
    else if (musicOff && soundSystem->IsPlaying(blues))
        soundSystem->Stop(blues);
}
