#pragma once

// From now on KeepLevelFresh watches the file of the level in play.
void WatchLevelFiles();

// Once a frame: when the file of the level in play has changed on disk since the level started
// (or since the last look) and it loads, starts the level again from the file; when it no longer
// loads, the level in play stays and the head-up display shows the checker's first error until
// the file loads again. Does nothing unless WatchLevelFiles was called.
void KeepLevelFresh();
