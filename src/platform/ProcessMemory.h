#pragma once

// Sets up how this process takes memory for large buffers; call once, first thing in main,
// before any thread starts. Without it nothing changes but speed: the call may do nothing.
void PrepareLargeBufferMemory();
