#pragma once

// Forgets queued window messages and key states and ends every media subsystem (video, audio,
// events): the platform as a fresh process finds it. Windows, devices and sound outputs must
// already be gone.
void ResetPlatform();
