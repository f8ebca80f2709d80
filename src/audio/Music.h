#pragma once

// Once per frame: starts the music "blues" again when music is on and it has ended (sounds
// are never looped), stops it when music is off. Nothing happens without the sound.
void KeepMusicGoing();
