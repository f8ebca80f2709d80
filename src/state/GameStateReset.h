#pragma once

// Puts every global of state/GameState.h back to its start-up value. The level, grid and grid
// vertex buffer are destroyed (the device they were made on must still be alive); the other
// pointers are forgotten, not freed, as their owners live elsewhere.
void ResetGameState();
