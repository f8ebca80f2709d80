#pragma once

class CSound;
class SoundSystem;

// Once per frame: starts `blues` again when music is on and it has ended (sounds are never
// looped), stops it when music is off. Nothing happens without a sound system or a sound.
void KeepMusicGoing(SoundSystem* soundSystem, CSound* blues, bool musicOff);
